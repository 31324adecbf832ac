// Runs every registered test class of the card forms, custom controls and
// dialogs, with the Japanese font the program uses.

#include "FormsTestSupport.h"
#include "views/JapaneseUi.h"

#include <QtTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpJapaneseUi(app);
    int failures = 0;
    for (const auto& make : FormsTests()) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
