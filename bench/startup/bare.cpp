// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: a bare Qt program that shows one maximised, empty
// window, built with the same flags as Tessaria and timed the same way.
#include "framestamp.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window::FrameStamp::watch(&window);
    window.showMaximized();
    return QApplication::exec();
}
