// SPDX-License-Identifier: GPL-3.0-or-later
// File paths: the folder of the running program, and a name joined to a folder.
#pragma once

#include <QByteArray>
#include <QString>

namespace widgets {

// The folder of the running executable, ending in "/".
QString executableFolder();

// The folder, a "/" unless the folder is empty or already ends in one, then the name as it
// stands. Nothing is cleaned, and unlike QDir::filePath a name that starts with "/" stays
// inside the folder: names read from files (a language name, say) never leave it. The bytes
// form joins names as the file system spells them.
QString joinPath(const QString& folder, const QString& name);
QByteArray joinPath(const QByteArray& folder, const QByteArray& name);

} // namespace widgets
