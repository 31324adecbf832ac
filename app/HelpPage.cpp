#include "app/HelpPage.h"

#include "platform/QtText.h"

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
            return qtext::ToPath(QDir::cleanPath(path));
    return qtext::ToPath(candidates.front());
}
