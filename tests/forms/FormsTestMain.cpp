// Runs every registered test class of the card forms, custom controls and
// dialogs, with the Japanese font the program uses.

#include "FormsTestSupport.h"

#include <QFontDatabase>
#include <QtTest>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSizeF(QApplication::font().pointSizeF());
            QApplication::setFont(font);
            break;
        }
    }
    int failures = 0;
    for (const auto& make : FormsTests()) {
        const std::unique_ptr<QObject> test = make();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
