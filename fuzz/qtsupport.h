// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt application that the fuzz targets on Qt need, started once on the offscreen platform:
// a QApplication for those with widgets, a QGuiApplication for pictures alone.
#pragma once

#include <QGuiApplication>

#include <cstdlib>

namespace fuzz {

// Call from LLVMFuzzerInitialize. Qt sees only the program's name, never libFuzzer's flags.
// Qt's warnings (a negative row count refused, a damaged picture, and the like) are dropped:
// libFuzzer's output stays readable and every run is not slowed by printing.
template <typename Application = QGuiApplication> void startApplication(char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    static Application* application = new Application(qtArgc, qtArgv);
    (void)application;
}

} // namespace fuzz
