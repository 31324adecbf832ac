#include "app/HelpPage.h"

#include "zklib/dialogs/ZkQtText.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

std::string FindHelpPage(const QString& programDir) {
    const QString relative = QStringLiteral("help/help.html");
    const QDir dir(programDir);
    QStringList candidates{dir.absoluteFilePath(relative),
                           dir.absoluteFilePath(QStringLiteral("../share/kolvane/") + relative)};
    candidates << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                            QStringLiteral("kolvane/") + relative);
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return ZkQt_PathFromQString(QDir::cleanPath(path));
    return ZkQt_PathFromQString(candidates.front());
}
