// SPDX-License-Identifier: GPL-3.0-or-later
// The program's folder and joining names to folders.
#include "paths.h"

#include <QCoreApplication>

namespace widgets {

namespace {

template <typename Path> Path joined(const Path& folder, const Path& name)
{
    if (folder.isEmpty() || folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

} // namespace

QString executableFolder()
{
    return QCoreApplication::applicationDirPath() + u'/';
}

QString joinPath(const QString& folder, const QString& name)
{
    return joined(folder, name);
}

QByteArray joinPath(const QByteArray& folder, const QByteArray& name)
{
    return joined(folder, name);
}

} // namespace widgets
