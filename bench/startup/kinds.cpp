// SPDX-License-Identifier: GPL-3.0-or-later
// A second yardstick of the start-up benchmark: a plain Qt window with the kinds of controls
// Tessaria shows at start (a line of text, a file list, a hidden editable combo box, check
// boxes, buttons, a popup menu and 693 small widgets), built as simply as Qt allows. It shows
// what Qt itself costs for such a window, apart from anything Tessaria does.
#include "framestamp.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setFont(QFont(QStringLiteral("Courier New"), 8));
    (new QLabel(QStringLiteral("CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO"), &window))
        ->move(11, 8);
    auto* list = new QListWidget(&window);
    list->addItems({QStringLiteral("animali"), QStringLiteral("casa.dis"), QStringLiteral("cuore.dis")});
    list->setGeometry(8, 82, 141, 521);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    combo->hide();
    (new QCheckBox(QStringLiteral("SOS !!!"), &window))->move(496, 5);
    (new QCheckBox(QStringLiteral("---"), &window))->move(424, 5);
    (new QPushButton(QStringLiteral("STAMPA"), &window))->setGeometry(648, 4, 79, 21);
    (new QPushButton(QStringLiteral("ESCI"), &window))->setGeometry(735, 4, 55, 21);
    (new QPushButton(QStringLiteral("<"), &window))->setGeometry(10, 63, 140, 20);
    (new QMenu(&window))->addAction(QStringLiteral("Zoom +"));
    for (int i = 0; i < 693; ++i)
        (new QWidget(&window))->setGeometry(165 + (i % 27) * 23, 29 + (i / 27) * 22, 20, 20);
    window::FrameStamp::watch(&window);
    window.showMaximized();
    return QApplication::exec();
}
