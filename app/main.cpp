// kolvane: the address book program.

#include "app/JapaneseUi.h"
#include "app/KolvaneApp.h"
#include "app/QtUserInteraction.h"
#include "platform/QtSettingsStore.h"
#include "platform/StringTable.h"
#include "res/AppStrings.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    SetUpJapaneseUi(qapp);
    CQtSettingsStore settings;
    AfxSetProfile(&settings);
    CQtUserInteraction interaction;
    AfxSetUserInteraction(&interaction);
    AfxSetResourceStrings(&AppStrings());

    int result = 0;
    {
        CKolvaneApp app;
        if (app.InitInstance(QApplication::arguments().mid(1))) {
            result = QApplication::exec();
            app.ExitInstance();
        }
    }
    settings.Sync();
    AfxSetUserInteraction(nullptr);
    AfxSetProfile(nullptr);
    return result;
}
