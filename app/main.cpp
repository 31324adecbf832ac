// kolvane: the address book program.

#include "app/JapaneseUi.h"
#include "app/KolvaneApp.h"
#include "app/QtUserInteraction.h"
#include "platform/QtSettingsStore.h"
#include "platform/StringTable.h"
#include "print/layouts/LayoutRoot.h"
#include "res/AppStrings.h"
#include "zklib/dialogs/ZkQtText.h"

#include <QApplication>
#include <QStandardPaths>

namespace {

// The layout folders lie beside the program (an installed program's bundled
// layouts in <prefix>/share/kolvane), or in the user's data folder, seeded from
// the bundled layouts, when that folder cannot be written.
void ChooseLayoutFolders() {
    const CString bundled =
        FindBundledLayoutRoot(ZkQt_PathFromQString(QCoreApplication::applicationDirPath()).c_str());
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/Tavrin/ｺﾙｳﾞｧﾈ");
    SetLayoutRoot(ChooseLayoutRoot(bundled, ZkQt_PathFromQString(userDir).c_str()));
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    SetUpJapaneseUi(qapp);
    CQtSettingsStore settings;
    AfxSetProfile(&settings);
    CQtUserInteraction interaction;
    AfxSetUserInteraction(&interaction);
    AfxSetResourceStrings(&AppStrings());
    ChooseLayoutFolders();

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
