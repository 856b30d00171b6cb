// SPDX-License-Identifier: Apache-2.0
#include "core/Resources.h"

#include "core/BuildConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velt {

QString resourceDirectory()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    // The build puts the resources beside the program; nothing installs a resources folder
    // next to an installed one.
    const QString buildTree = programDir.filePath(QStringLiteral("resources"));
    if (QFileInfo(buildTree).isDir())
        return QDir::cleanPath(buildTree);
    const QString installed =
        QDir::cleanPath(programDir.filePath(QStringLiteral(VELT_INSTALLED_RESOURCE_DIR)));
    return QFileInfo(installed).isDir() ? installed : QString();
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
