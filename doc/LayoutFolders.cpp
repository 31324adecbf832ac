#include "doc/LayoutFolders.h"

#include "layouts/LayoutRoot.h"
#include "platform/QtText.h"

#include <QStandardPaths>

void ChooseLayoutFolders(const std::string& programDir) {
    const CString bundled = FindBundledLayoutRoot(programDir.c_str());
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/Tavrin/ｺﾙｳﾞｧﾈ");
    SetLayoutRoot(ChooseLayoutRoot(bundled, qtext::ToPath(userDir).c_str()));
}
