// The Qt application that the fuzz targets of the language layer need, started once on the
// offscreen platform.
#pragma once

#include <QApplication>

#include <cstdlib>

namespace fuzz {

// Call from LLVMFuzzerInitialize. Qt sees only the program's name, never libFuzzer's flags.
// Qt's warnings (a negative row count refused, and the like) are dropped: libFuzzer's output
// stays readable and every run is not slowed by printing.
inline void startApplication(char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int qtArgc = 1;
    static char* qtArgv[] = {argv[0], nullptr};
    static QApplication* application = new QApplication(qtArgc, qtArgv);
    (void)application;
}

} // namespace fuzz
