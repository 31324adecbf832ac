// kolvane: the address book program.

#include "app/KolvaneApp.h"
#include "app/QtUserInteraction.h"
#include "layouts/LayoutRoot.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtText.h"
#include "platform/StringTable.h"
#include "res/AppStrings.h"
#include "views/JapaneseUi.h"

#include <QApplication>
#include <QStandardPaths>

namespace {

// The layout folders lie beside the program (an installed program's bundled
// layouts in <prefix>/share/kolvane), or in the user's data folder, seeded from
// the bundled layouts, when that folder cannot be written.
void ChooseLayoutFolders() {
    const CString bundled =
        FindBundledLayoutRoot(qtext::ToPath(QCoreApplication::applicationDirPath()).c_str());
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/Tavrin/ｺﾙｳﾞｧﾈ");
    SetLayoutRoot(ChooseLayoutRoot(bundled, qtext::ToPath(userDir).c_str()));
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
