// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: the application, the main window Form1 and the event loop.
#include "commandline.h"
#include "form1.h"
#include "framestamp.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include "tessaria-48.xpm"

int main(int argc, char* argv[])
{
    // Answered before the application exists: QApplication asks for a display at once, and
    // without one Qt aborts.
    if (const std::optional<int> status = window::answerBeforeWindow(argc, argv, TESSARIA_VERSION))
        return *status;
    QApplication application(argc, argv);
    // The title the task bar and the error box show. (Setting it as the display name instead
    // would make the platform append it to the window caption.)
    QApplication::setApplicationName(QStringLiteral("Tessaria 1.0"));
    QApplication::setDesktopFileName(QStringLiteral("tessaria"));
    // Built in as XPM: reading a picture file, even one named as PNG, makes Qt load every image
    // format plugin to ask whether it can.
    QApplication::setWindowIcon(QIcon(QPixmap(tessaria_48)));

    // Form1 belongs to the application's component tree; closing it ("ESCI" or the close
    // button) ends the event loop and the program.
    TForm1 form1;
    window::FrameStamp::watch(&form1);
    form1.show();
    return QApplication::exec();
}
