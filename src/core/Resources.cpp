#include "core/Resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velt {

QString resourceDirectory()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        programDir.filePath(QStringLiteral("resources")),
        programDir.filePath(QStringLiteral("../libexec/velt-firmware-updater")),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return {};
}

QString resourcePath(const QString& name)
{
    const QString directory = resourceDirectory();
    if (directory.isEmpty())
        return {};
    const QString path = QDir(directory).filePath(name);
    return QFileInfo::exists(path) ? path : QString();
}

} // namespace velt
