// SPDX-License-Identifier: GPL-3.0-or-later
// tessaria-editor: the teacher's scheme editor; opens the file named on the command line, if any.
#include "editorwindow.h"
#include "framestamp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaria-editor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaria – Editor di schemi"));
    editor::EditorWindow window;
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window.openFile(args.at(1));
    // Like the game, the editor takes the whole screen of a classroom PC.
    window.showMaximized();
    window::FrameStamp::watch(&window);
    return QApplication::exec();
}
