// SPDX-License-Identifier: GPL-3.0-or-later
// The offscreen screen that the window benchmarks run on.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace bench {

// Sets the offscreen platform up with one 1920 x 1080 screen without window frames, so that the
// window's client area is exactly the size it is given and, maximised, the screen. The platform's
// settings are written into folder, which must outlive the application. Call before the
// application is created; false when the settings cannot be written.
inline bool useOffscreenScreen(const QString& folder)
{
    const QString config = QDir(folder).filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(R"({"windowFrameMargins": false, "screens": [{"name": "Screen", "x": 0, "y": 0,)"
               R"( "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    return true;
}

} // namespace bench
