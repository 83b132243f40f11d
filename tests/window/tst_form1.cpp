// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the main window through its real controls: layout, start-up, list, play, aids.
#include "windowtest.h"

#include "boardbox.h"
#include "checkbox.h"
#include "errors.h"
#include "filelistbox.h"
#include "glyphbutton.h"
#include "label.h"
#include "panel.h"
#include "popupmenu.h"
#include "properties.h"
#include "shape.h"
#include "skinbutton.h"
#include "timer.h"
#include "tlanguage.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHash>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace engine;

namespace {

// A design colour, 0x00BBGGRR, as a QColor.
QColor bgr(unsigned value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

const QColor White = bgr(0xFFFFFF);
const QColor Silver = bgr(0xC0C0C0);
const QColor SkyBlue = bgr(0xF0CAA6);
const QColor Yellow = bgr(0x00FFFF);
const QColor Green = bgr(0x008000);
const QColor Red = bgr(0x0000FF);

QVariant published(QObject* object, const char* name)
{
    const QMetaProperty property = widgets::findPublishedProperty(object, QString::fromLatin1(name));
    return property.isValid() ? property.read(object) : QVariant();
}

// A scheme of three rows and three columns in the top-left corner (the rest is dead):
//   # - #      row clues 1 1, 3, 1; column clues 2, 2, 2; six picture cells.
//   # # #
//   - # -
const QByteArray SmallScheme = "#-#\n###\n-#-\n";

// A second scheme with other clues, to tell a new load from the old board.
const QByteArray OtherScheme = "-##\n##-\n";

// The guide-line panels and their check box, which follow the boxes both in the order the window
// creates its components and in the tab order.
const QStringList GuideLinesAfterTheBoxes {
    "Panel2", "Panel3", "Panel4", "CheckBox2", "Panel5", "Panel6", "Panel7", "Panel8"};

// Withholds a window's activations, as where there is no window manager or focus-stealing
// prevention leaves a new window inactive.
class ActivationWithheld : public QObject {
public:
    explicit ActivationWithheld(QWidget* window)
        : window_(window)
    {
        QApplication::instance()->installEventFilter(this);
    }
    int withheld = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != window_ || event->type() != QEvent::WindowActivate)
            return false;
        ++withheld;
        return true;
    }

private:
    QWidget* window_;
};

} // namespace

class TestForm1 : public WindowTest {
    Q_OBJECT

private:
    // A window on a scheme folder holding small.dis and other.dis, shown and activated.
    void openWindow(bool withSchemi = true)
    {
        folder = std::make_unique<SchemeFolder>(withSchemi);
        QVERIFY(folder->isValid());
        if (withSchemi) {
            folder->write(QStringLiteral("small.dis"), SmallScheme);
            folder->write(QStringLiteral("other.dis"), OtherScheme);
        }
        createWindow();
        showWindow();
    }

    QString label4() const { return form->Label4->text(); }

    // Where the click marker lies when it marks box n: on the box, 3 pixels taller.
    QRect markerUnder(int n)
    {
        const QRect r = box(n)->geometry();
        return {r.x(), r.y(), r.width(), r.height() + 3};
    }

    // Picks an entry of the scheme list with the mouse, as the player does.
    void pick(const QString& entry)
    {
        const QList<QListWidgetItem*> found = form->CaricaSchemi->findItems(entry, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QRect r = form->CaricaSchemi->visualItemRect(found.first());
        QTest::mouseClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {}, r.center());
    }

    // The window of openWindow() with small.dis picked from the list, as most cases start.
    void openOnSmall()
    {
        openWindow();
        pick(QStringLiteral("small.dis"));
    }

    void click(int n) { QTest::mouseClick(box(n), Qt::LeftButton, {}, QPoint(10, 10)); }

    // Presses a key on the window, so that it goes wherever the focus is.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(form->windowHandle(), k, modifiers);
    }

    // Keys written as words, each with an optional count: "Right*2 Down Space".
    void keys(const QString& script)
    {
        static const QHash<QString, Qt::Key> names {{"Left", Qt::Key_Left}, {"Right", Qt::Key_Right},
            {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down}, {"Home", Qt::Key_Home}, {"End", Qt::Key_End},
            {"Space", Qt::Key_Space}, {"Return", Qt::Key_Return}};
        for (const QString& word : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList parts = word.split(QLatin1Char('*'));
            QVERIFY2(names.contains(parts[0]), qPrintable(word));
            const int count = parts.size() > 1 ? parts[1].toInt() : 1;
            for (int i = 0; i < count; ++i)
                key(names.value(parts[0]));
        }
    }

    // Walks the cursor from cell (fromRow, fromColumn) to cell (row, column) by arrows.
    void walk(int fromRow, int fromColumn, int row, int column)
    {
        for (; fromRow < row; ++fromRow)
            key(Qt::Key_Down);
        for (; fromRow > row; --fromRow)
            key(Qt::Key_Up);
        for (; fromColumn < column; ++fromColumn)
            key(Qt::Key_Right);
        for (; fromColumn > column; --fromColumn)
            key(Qt::Key_Left);
    }

    // What box n says to assistive technology.
    QString spoken(int n) const
    {
        return QAccessible::queryAccessibleInterface(box(n))->text(QAccessible::Name);
    }

    // Moves the mouse from outside onto box n, so that the box sees a move over it.
    void hover(int n)
    {
        QTest::mouseMove(form->Schermo, form->Schermo->rect().bottomLeft() + QPoint(20, -20));
        QTest::mouseMove(box(n), QPoint(9, 9));
        QTest::mouseMove(box(n), QPoint(10, 10));
    }

private slots:
    // --- Composition --------------------------------------------------------------------

    void controls_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("bounds");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QColor>("color"); // invalid: not checked
        QTest::addColumn<QColor>("fontColor"); // invalid: not checked
        QTest::addColumn<int>("fontHeight"); // character height in pixels
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("textProperty"); // empty: the control has no text
        QTest::addColumn<QString>("text");

        const QColor none;
        auto row = [](const char* name, const char* kind, QRect bounds, bool visible, QColor color,
                       QColor fontColor, int fontHeight, bool bold, const char* textProperty,
                       const QString& text) {
            QTest::newRow(name) << QString::fromLatin1(kind) << bounds << visible << color << fontColor
                                << fontHeight << bold << QString::fromLatin1(textProperty) << text;
        };
        row("Schermo", "scaling::TNoBDEResizerPanel", {0, 0, 814, 629}, true, Silver, none, 11, false, "",
            "");
        row("RichiamaLingua1", "widgets::Shape", {607, 4, 12, 21}, true, Green, none, 0, false, "", "");
        row("RichiamaLingua2", "widgets::Shape", {618, 4, 12, 21}, true, White, none, 0, false, "", "");
        row("RichiamaLingua3", "widgets::Shape", {629, 4, 12, 21}, true, Red, none, 0, false, "", "");
        row("Label1", "widgets::Label", {394, 8, 7, 14}, true, none, none, 11, true, "Caption", "0");
        row("Label2", "widgets::Label", {11, 8, 364, 14}, false, none, none, 11, true, "Caption",
            "CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO");
        row("Label4", "widgets::Label", {11, 24, 7, 14}, true, none, none, 11, false, "Caption", "");
        row("Shape1", "widgets::Shape", {286, 144, 20, 23}, true, bgr(0x00FF00), none, 0, false, "", "");
        row("Esci", "widgets::SkinButton", {735, 4, 55, 21}, true, none, none, 19, false, "Caption", "ESCI");
        row("StampaCrucintarsio", "widgets::SkinButton", {648, 4, 79, 21}, true, none, none, 19, false,
            "Caption", "STAMPA");
        row("CaricaSchemi", "widgets::FileListBox", {8, 82, 141, 521}, true, bgr(0xF0FBFF), none, 11, false,
            "", "");
        row("SceltaLingua", "widgets::ComboBox", {3, 2, 222, 31}, false, bgr(0x800000), White, 21, true,
            "Text", "italiano");
        row("BitBtn1", "widgets::GlyphButton", {10, 63, 140, 20}, true, none, none, 16, true, "Caption", "<");
        row("SpinButton1", "widgets::SpinButton", {575, 5, 20, 31}, false, none, none, 0, false, "", "");
        row("CheckBox1", "widgets::CheckBox", {496, 5, 65, 17}, true, none, none, 11, false, "Caption",
            "SOS !!!");
        row("CheckBox2", "widgets::CheckBox", {424, 5, 65, 17}, true, none, none, 11, false, "Caption",
            "---");
        const QRect lines[] = {{281, 252, 513, 3}, {281, 362, 513, 3}, {281, 472, 513, 3}, {281, 582, 513, 3},
            {398, 139, 3, 489}, {513, 139, 3, 489}, {628, 139, 3, 489}, {743, 139, 3, 489}};
        for (int i = 0; i < 8; ++i)
            row(qPrintable(QStringLiteral("Panel%1").arg(i + 1)), "widgets::Panel", lines[i], false, Red,
                none, 11, false, "Caption", "");

        // The board, by the numbering of its boxes.
        const QColor black = bgr(0x000000);
        for (int r = 1; r <= 21; ++r)
            for (int c = 1; c <= 21; ++c)
                row(qPrintable(QStringLiteral("suiEdit%1").arg((r - 1) * 21 + c)), "widgets::BoardBox",
                    {286 + 23 * (c - 1), 144 + 22 * (r - 1), 20, 20}, true, White, black, 16, true, "Text",
                    "");
        for (int r = 1; r <= 21; ++r)
            for (int k = 1; k <= 5; ++k)
                row(qPrintable(QStringLiteral("suiEdit%1").arg(442 + 5 * (r - 1) + (k - 1))),
                    "widgets::BoardBox", {165 + 23 * (k - 1), 144 + 22 * (r - 1), 20, 20}, false, Silver,
                    black, 16, true, "Text", "");
        for (int c = 1; c <= 21; ++c)
            for (int k = 1; k <= 5; ++k)
                row(qPrintable(QStringLiteral("suiEdit%1").arg(547 + 21 * (k - 1) + (c - 1))),
                    "widgets::BoardBox", {286 + 23 * (c - 1), 29 + 22 * (k - 1), 20, 20}, false, Silver,
                    black, 16, true, "Text", "");
        const QColor grey = bgr(0x808080);
        for (int line = 1; line <= 21; ++line) {
            row(qPrintable(QStringLiteral("suiEdit%1").arg(651 + line)), "widgets::BoardBox",
                {770, 144 + 22 * (line - 1), 20, 20}, false, Silver, grey, 13, true, "Text",
                QString::number(line));
            row(qPrintable(QStringLiteral("suiEdit%1").arg(672 + line)), "widgets::BoardBox",
                {286 + 23 * (line - 1), 607, 20, 20}, false, Silver, grey, 13, true, "Text",
                QString::number(line));
        }
    }

    // Every control as the layout creates it, read through its published properties (the
    // names the translation and scaling layers use), before the window is shown.
    void controls()
    {
        QFETCH(QString, kind);
        QFETCH(QRect, bounds);
        QFETCH(bool, visible);
        QFETCH(QColor, color);
        QFETCH(QColor, fontColor);
        QFETCH(int, fontHeight);
        QFETCH(bool, bold);
        QFETCH(QString, textProperty);
        QFETCH(QString, text);

        TForm1 window;
        widgets::Component* component = window.findComponent(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(component);
        QCOMPARE(component->name(), QLatin1String(QTest::currentDataTag()));
        QCOMPARE(component->owner(), &window);
        QObject* control = component->object();
        QCOMPARE(control->objectName(), component->name());
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        QWidget* expectedParent = control == window.Schermo ? static_cast<QWidget*>(&window) : window.Schermo;
        QCOMPARE(qobject_cast<QWidget*>(control)->parentWidget(), expectedParent);

        const QRect actual(published(control, "Left").toInt(), published(control, "Top").toInt(),
            published(control, "Width").toInt(), published(control, "Height").toInt());
        QCOMPARE(actual, bounds);
        QCOMPARE(published(control, "Visible").toBool(), visible);
        QCOMPARE(published(control, "Enabled").toBool(), true);
        if (color.isValid())
            QCOMPARE(published(control, "Color").value<QColor>(), color);
        if (fontColor.isValid())
            QCOMPARE(published(control, "FontColor").value<QColor>(), fontColor);
        if (fontHeight > 0) {
            const QFont font = qobject_cast<QWidget*>(control)->font();
            QCOMPARE(font.family(), QStringLiteral("Courier New"));
            QCOMPARE(font.pixelSize(), fontHeight);
            QCOMPARE(font.bold(), bold);
        }
        if (!textProperty.isEmpty())
            QCOMPARE(published(control, qPrintable(textProperty)).toString(), text);
    }

    void window()
    {
        TForm1 window;
        QCOMPARE(window.name(), QStringLiteral("Form1"));
        QCOMPARE(window.owner(), &widgets::Component::application());
        QCOMPARE(widgets::Component::application().findComponent(u"form1"), &window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Tessaria 1.0   https://github.com/tessaria/tessaria"));
        QCOMPARE(window.size(), QSize(814, 629));
        QCOMPARE(window.pos(), QPoint(194, 35));
        QCOMPARE(window.font().family(), QStringLiteral("Courier New"));
        QCOMPARE(window.font().pixelSize(), 11);
        QVERIFY(!window.font().bold());
        QCOMPARE(window.Schermo->geometry(), window.rect());

        QCOMPARE(window.objectName(), QStringLiteral("Form1"));
        QCOMPARE(window.Timer1->name(), QStringLiteral("Timer1"));
        QCOMPARE(window.Timer1->objectName(), QStringLiteral("Timer1"));
        // Named after its creation, as the translation component has no name parameter.
        QCOMPARE(window.Language1->name(), QStringLiteral("Language1"));
        QCOMPARE(window.Language1->objectName(), QStringLiteral("Language1"));
        QVERIFY(window.Timer1->isEnabled());
        QVERIFY(window.Timer1->isActive());
        QCOMPARE(window.Timer1->interval(), 1000);

        QCOMPARE(window.suiPopupMenu1->attachedTo(), window.Schermo);
        QCOMPARE(window.suiPopupMenu1->actions(),
            (QList<QAction*> {window.IngrandisciSchema, window.VerticaleF31}));
        QCOMPARE(window.IngrandisciSchema->text(), QStringLiteral("Zoom +"));
        QCOMPARE(window.IngrandisciSchema->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(window.VerticaleF31->text(), QStringLiteral("Zoom -"));
        QCOMPARE(window.VerticaleF31->shortcut(), QKeySequence(Qt::Key_F4));
        QCOMPARE(window.CaricaSchemi->toolTip(), QStringLiteral("Scegli un esercizio"));
        for (widgets::Shape* stripe :
            {window.RichiamaLingua1, window.RichiamaLingua2, window.RichiamaLingua3})
            QVERIFY(!stripe->showHint());
    }

    // The engine's box n is the control named "suiEdit" + n.
    void boxLookup()
    {
        TForm1 window;
        for (int n = 1; n <= 693; ++n) {
            widgets::Component* named = window.findComponent(QStringLiteral("suiEdit%1").arg(n));
            QVERIFY(named);
            QCOMPARE(&window.box(n), dynamic_cast<engine::Box*>(named));
        }
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, window.box(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, window.box(694));
    }

    // The window owns its ~720 components in creation order.
    void ownershipOrder()
    {
        TForm1 window;
        QStringList expected {"Schermo", "RichiamaLingua1", "RichiamaLingua2", "RichiamaLingua3", "Label1",
            "Label2", "Label4", "Shape1", "Panel1", "Esci", "StampaCrucintarsio", "CaricaSchemi",
            "SceltaLingua", "BitBtn1", "SpinButton1", "CheckBox1"};
        for (int n = 1; n <= 693; ++n)
            expected << QStringLiteral("suiEdit%1").arg(n);
        expected << GuideLinesAfterTheBoxes << "suiPopupMenu1"
                 << "IngrandisciSchema"
                 << "VerticaleF31"
                 << "Language1"
                 << "Timer1"
                 << "Cursore";
        QStringList actual;
        for (int i = 0; i < window.componentCount(); ++i)
            actual << window.component(i)->name();
        QCOMPARE(actual, expected);
    }

    // The tab order of the layout, among the controls that take the focus (the boxes are
    // read-only and the guide lines are panels: neither takes it).
    void tabOrder()
    {
        TForm1 window;
        QStringList expected {"Esci", "StampaCrucintarsio", "CaricaSchemi", "RichiamaLingua1", "SceltaLingua",
            "BitBtn1", "SpinButton1", "CheckBox1", "Cursore"};
        for (int n = 1; n <= 693; ++n)
            expected << QStringLiteral("suiEdit%1").arg(n);
        expected << "Panel1" << GuideLinesAfterTheBoxes;
        const auto takesFocus = [&window](const QString& name) {
            return qobject_cast<QWidget*>(window.findComponent(name)->object())->focusPolicy() != Qt::NoFocus;
        };
        expected.removeIf([&](const QString& name) { return !takesFocus(name); });
        // The board is one stop, the cursor; none of its 693 boxes is one.
        QCOMPARE(expected.size(), 9);

        QStringList actual;
        QWidget* w = &window;
        do {
            if (const widgets::Component* c = widgets::componentOf(w); c && expected.contains(c->name()))
                actual << c->name();
            w = w->nextInFocusChain();
        } while (w != &window);
        QCOMPARE(actual, expected);
    }

    // Tab on the shown window goes round the stops that are shown: the board is one of them,
    // the flag another; the hidden language list and spin button are passed over.
    void tabGoesRound()
    {
        openWindow();
        form->Esci->setFocus();
        const QList<QWidget*> expected {form->StampaCrucintarsio, form->CaricaSchemi, form->RichiamaLingua1,
            form->BitBtn1, form->CheckBox1, form->Cursore, form->CheckBox2, form->Esci};
        QList<QWidget*> actual;
        for (int i = 0; i < expected.size(); ++i) {
            key(Qt::Key_Tab);
            actual << QApplication::focusWidget();
        }
        QCOMPARE(actual, expected);
        QVERIFY(form->isVisible());
    }

    // Labels and shapes lie beneath the boxes, the guide lines above them.
    void stacking()
    {
        TForm1 window;
        window.Panel1->show();
        window.Panel5->show();
        // Panel1 covers the top pixel row of row 6; Panel5 the right edge of column 5.
        QCOMPARE(window.Schermo->childAt(300, 254), window.Panel1);
        QCOMPARE(window.Schermo->childAt(399, 200), window.Panel5);
        // The click marker shows only below cell 1.
        QCOMPARE(window.Schermo->childAt(290, 150), box(window, 1));
        QCOMPARE(window.Schermo->childAt(290, 165), window.Shape1);
    }

    // --- Start-up and the scheme list ----------------------------------------------------

    // The start-up runs when the window is first shown, whether an activation follows or not.
    void activation_data()
    {
        QTest::addColumn<bool>("activated");
        QTest::newRow("activated") << true;
        QTest::newRow("never activated") << false;
    }

    void activation()
    {
        QFETCH(bool, activated);
        std::unique_ptr<ActivationWithheld> withheld;
        if (activated) {
            openWindow();
        } else {
            folder = std::make_unique<SchemeFolder>();
            folder->write(QStringLiteral("small.dis"), SmallScheme);
            folder->write(QStringLiteral("other.dis"), OtherScheme);
            createWindow();
            withheld = std::make_unique<ActivationWithheld>(form.get());
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            QTRY_VERIFY(withheld->withheld > 0);
        }
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        QCOMPARE(form->exeFolder(), folder->exeFolder());
        QCOMPARE(QDir(form->CaricaSchemi->directory()), QDir(folder->schemi()));
        QCOMPARE(form->CaricaSchemi->items(), (QStringList {"other.dis", "small.dis"}));
        QCOMPARE(form->CaricaSchemi->toolTip(), QStringLiteral("Scegli un esercizio"));
        QTRY_VERIFY(form->size() != QSize(TForm1::DesignClientWidth, TForm1::DesignClientHeight));
        QCOMPARE(form->Schermo->geometry(), form->rect());
        QVERIFY(errors.isEmpty());
    }

    // The focus starts in the scheme list, so the first keys pick schemes; a pick that loads
    // a scheme hands the keys to the board. A press on "ESCI" that is not a click leaves the
    // focus where it was, so a Space after it cannot quit.
    void focusStartsInTheSchemeList()
    {
        openWindow();
        QCOMPARE(QApplication::focusWidget(), form->CaricaSchemi);
        // Space picks the first entry; from then on the board has the keys: Return is a click
        // on cell 1 (blank in other.dis), Down moves the cursor and loads nothing.
        QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        QCOMPARE(label4(), QStringLiteral("4"));
        QCOMPARE(QApplication::focusWidget(), form->Cursore);
        QTest::keyClick(form->windowHandle(), Qt::Key_Return);
        QVERIFY(form->isVisible());
        QCOMPARE(box(1)->backgroundColor(), SkyBlue);
        QTest::keyClick(form->windowHandle(), Qt::Key_Down);
        QCOMPARE(label4(), QStringLiteral("4"));
        QCOMPARE(form->Cursore->box(), cell(2, 1));
        // Back in the list by Shift+Tab, an arrow browses one step and the board has the keys.
        for (int tabs = 0; tabs < 10 && QApplication::focusWidget() != form->CaricaSchemi; ++tabs)
            QTest::keyClick(form->windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), form->CaricaSchemi);
        QTest::keyClick(form->windowHandle(), Qt::Key_Down);
        QCOMPARE(label4(), QStringLiteral("6"));
        QCOMPARE(QApplication::focusWidget(), form->Cursore);
        QTest::keyClick(form->windowHandle(), Qt::Key_Up);
        QCOMPARE(label4(), QStringLiteral("6"));
        form->CaricaSchemi->setFocus();

        // The child presses "ESCI", thinks better of it and lets go elsewhere.
        QTest::mousePress(form->Esci, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(form->Esci, Qt::LeftButton, {}, QPoint(10, 60));
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), form->CaricaSchemi);
        // Space and Return on the entry already picked do nothing.
        QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        QTest::keyClick(form->windowHandle(), Qt::Key_Return);
        QVERIFY(form->isVisible());
        QCOMPARE(label4(), QStringLiteral("6"));
        // Tab still reaches it.
        QWidget* focus = nullptr;
        for (int tabs = 0; tabs < 20 && focus != form->Esci; ++tabs) {
            QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
            focus = QApplication::focusWidget();
        }
        QCOMPARE(focus, form->Esci);
        QVERIFY(errors.isEmpty());
    }

    // Activation from another window of the program maximises the window again and points
    // the list back at the scheme folder.
    void reactivation()
    {
        openWindow();
        folder->mkdir(QStringLiteral("animali"));
        form->CaricaSchemi->setDirectory(folder->schemi() + QStringLiteral("/animali"));
        form->showNormal();
        QTRY_VERIFY(!(form->windowState() & Qt::WindowMaximized));

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!(form->windowState() & Qt::WindowMaximized));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        QCOMPARE(QDir(form->CaricaSchemi->directory()), QDir(folder->schemi()));
        QVERIFY(errors.isEmpty());
    }

    // A right click on the panel, or on a control on it, opens the popup menu.
    void popupMenu_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("panel") << "Schermo";
        QTest::newRow("cell") << "suiEdit1";
    }

    void popupMenu()
    {
        QFETCH(QString, target);
        openWindow();
        auto* widget = qobject_cast<QWidget*>(form->findComponent(target)->object());
        const QPoint where = target == QLatin1String("Schermo") ? QPoint(200, 400) : QPoint(10, 10);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, where, widget->mapToGlobal(where));
        QApplication::sendEvent(widget, &rightClick);
        QTRY_VERIFY(form->suiPopupMenu1->isVisible());
        form->suiPopupMenu1->hide();
    }

    void missingSchemeFolder()
    {
        openWindow(false);
        QCOMPARE(form->CaricaSchemi->count(), 0);
        QVERIFY2(form->CaricaSchemi->toolTip().contains(folder->schemi()),
            qPrintable(form->CaricaSchemi->toolTip()));
        QVERIFY(errors.isEmpty());
        // "<" looks again, quietly.
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QCOMPARE(form->CaricaSchemi->count(), 0);
        QVERIFY(errors.isEmpty());
    }

    void backToSchemeFolder()
    {
        openWindow();
        folder->write(QStringLiteral("animali/gatto.dis"), SmallScheme);
        form->CaricaSchemi->refresh();
        const QList<QListWidgetItem*> found
            = form->CaricaSchemi->findItems(QStringLiteral("animali"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseDClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {},
            form->CaricaSchemi->visualItemRect(found.first()).center());
        QCOMPARE(form->CaricaSchemi->items(), QStringList {"gatto.dis"});

        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QCOMPARE(QDir(form->CaricaSchemi->directory()), QDir(folder->schemi()));
        QCOMPARE(form->CaricaSchemi->items(), (QStringList {"animali", "other.dis", "small.dis"}));
        QVERIFY(errors.isEmpty());
    }

    // An entry that is no scheme loads nothing: the game in play, its counter and its seconds
    // go on. A folder, even one named like a scheme, is entered by a double click.
    void picksThatLoadNothing_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("isFolder");
        QTest::newRow("a folder named like a scheme") << "x.dis" << true;
        QTest::newRow("a folder") << "animali" << true;
        QTest::newRow("an upper-case extension") << "SMALL.DIS" << false;
        QTest::newRow("another extension") << "small.txt" << false;
    }

    void picksThatLoadNothing()
    {
        QFETCH(QString, entry);
        QFETCH(bool, isFolder);
        openWindow();
        if (isFolder)
            folder->write(entry + QStringLiteral("/dentro.dis"), OtherScheme);
        else
            folder->write(entry, OtherScheme);
        form->CaricaSchemi->refresh();
        pick(QStringLiteral("small.dis"));
        click(cell(1, 1));
        click(cell(1, 2));

        const QList<QListWidgetItem*> found = form->CaricaSchemi->findItems(entry, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QPoint centre = form->CaricaSchemi->visualItemRect(found.first()).center();
        QTest::mouseClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {}, centre);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QCOMPARE(label4(), QStringLiteral("5"));
        QCOMPARE(box(cell(1, 1))->backgroundColor(), Yellow);
        QCOMPARE(box(cell(1, 2))->backgroundColor(), SkyBlue);
        QVERIFY(!box(cell(4, 4))->isVisibleTo(form->Schermo));

        const QStringList listed = form->CaricaSchemi->items();
        QTest::mouseDClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(form->CaricaSchemi->items(), isFolder ? QStringList {"dentro.dis"} : listed);
        QVERIFY(errors.isEmpty());
        QCOMPARE(label4(), QStringLiteral("5"));
        // The game goes on to its end.
        for (const int n : {cell(1, 3), cell(2, 1), cell(2, 2), cell(2, 3), cell(3, 2)})
            click(n);
        QCOMPARE(label4(), QStringLiteral("0"));
        QCOMPARE(box(cell(1, 1))->backgroundColor(), Green);
    }

    // A scheme whose name an older Windows system wrote in Windows-1252 is listed, picked and
    // loaded by its own bytes.
    void schemeNamedInWindows1252()
    {
        openWindow();
        QVERIFY(folder->writeNative("caf\xE9.dis", SmallScheme));
        form->CaricaSchemi->refresh();
        QCOMPARE(form->CaricaSchemi->items(),
            (QStringList {
                QStringLiteral("café.dis"), QStringLiteral("other.dis"), QStringLiteral("small.dis")}));
        pick(QStringLiteral("café.dis"));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QCOMPARE(label4(), QStringLiteral("6"));
        QCOMPARE(box(rowClueSlot(2, 5))->boxText(), QStringLiteral("3"));
    }

    // The loader reads the list's selected entry when the list reports the pick, so by then
    // the clicked entry must be the selected one.
    void pickReportsTheClickedEntry()
    {
        openWindow();
        QStringList seen;
        connect(form->CaricaSchemi, &widgets::FileListBox::pickChanged, this,
            [&] { seen << form->CaricaSchemi->fileName(); });
        pick(QStringLiteral("small.dis"));
        QCOMPARE(seen, QStringList {folder->schemi() + QStringLiteral("/small.dis")});
    }

    void pickLoadsAndShowsClues()
    {
        openOnSmall();
        QVERIFY(errors.isEmpty());
        QCOMPARE(label4(), QStringLiteral("6"));
        QVERIFY(form->Label2->isVisible());
        QCOMPARE(form->Label1->text(), QStringLiteral("0"));

        // Rows 1..3 and columns 1..3 stay; everything else is dead and hidden.
        for (int n = 1; n <= 441; ++n) {
            const bool inPicture = cellRow(n) <= 3 && cellColumn(n) <= 3;
            QVERIFY2(box(n)->isVisible() == inPicture, qPrintable(QString::number(n)));
        }
        const char* rowClues[3][5] = {{"", "", "", "1", "1"}, {"", "", "", "", "3"}, {"", "", "", "", "1"}};
        for (int r = 1; r <= 3; ++r) {
            QVERIFY(box(rowLabel(r))->isVisible());
            for (int k = 1; k <= 5; ++k) {
                QCOMPARE(box(rowClueSlot(r, k))->boxText(), QLatin1String(rowClues[r - 1][k - 1]));
                QVERIFY(box(rowClueSlot(r, k))->isVisible());
                QCOMPARE(box(rowClueSlot(r, k))->backgroundColor(), Silver);
            }
        }
        for (int c = 1; c <= 3; ++c) {
            QVERIFY(box(columnLabel(c))->isVisible());
            QCOMPARE(box(columnClueSlot(c, 5))->boxText(), QStringLiteral("2"));
            QCOMPARE(box(columnClueSlot(c, 4))->boxText(), QString());
        }
        QVERIFY(!box(rowClueSlot(4, 5))->isVisible());
        QVERIFY(!box(rowLabel(4))->isVisible());
        QVERIFY(!box(columnClueSlot(4, 5))->isVisible());

        // Arrow keys pick as well: the next entry down is small.dis's neighbour above.
        QTest::keyClick(form->CaricaSchemi, Qt::Key_Up);
        QCOMPARE(label4(), QStringLiteral("4"));
        QCOMPARE(box(columnClueSlot(1, 5))->boxText(), QStringLiteral("1"));
    }

    void cellClicks()
    {
        openOnSmall();
        const int filled = cell(1, 1);
        const int blank = cell(1, 2);

        click(filled);
        QCOMPARE(box(filled)->backgroundColor(), Yellow);
        QCOMPARE(box(filled)->textColor(), Yellow);
        QCOMPARE(label4(), QStringLiteral("5"));
        click(filled);
        QCOMPARE(box(filled)->backgroundColor(), White);
        QCOMPARE(label4(), QStringLiteral("6"));

        click(blank);
        QCOMPARE(box(blank)->backgroundColor(), SkyBlue);
        QCOMPARE(box(blank)->textColor(), SkyBlue);
        QCOMPARE(label4(), QStringLiteral("6"));
        // The click marker sits under the last clicked cell.
        QCOMPARE(form->Shape1->geometry(), markerUnder(blank));
        click(blank);
        QCOMPARE(box(blank)->backgroundColor(), White);
        QVERIFY(errors.isEmpty());
    }

    void cellClickBeforeAnyScheme()
    {
        openWindow();
        click(cell(2, 3));
        QCOMPARE(box(cell(2, 3))->backgroundColor(), White);
        QCOMPARE(form->Shape1->geometry(), markerUnder(cell(2, 3)));
        QCOMPARE(label4(), QString());
    }

    void clueSlotClicks()
    {
        openOnSmall();
        const QRect marker = form->Shape1->geometry();
        const int clue = rowClueSlot(2, 5); // "3"
        const int empty = rowClueSlot(2, 1); // shown with its group, but empty
        click(clue);
        QCOMPARE(box(clue)->backgroundColor(), White);
        click(clue);
        QCOMPARE(box(clue)->backgroundColor(), White);
        click(empty);
        QCOMPARE(box(empty)->backgroundColor(), Silver);
        QCOMPARE(form->Shape1->geometry(), marker);
        // The next pick turns the ticked slot silver again.
        pick(QStringLiteral("other.dis"));
        QCOMPARE(box(clue)->backgroundColor(), Silver);
    }

    void sosHover()
    {
        openOnSmall();
        const QRect marker = form->Shape1->geometry();
        const int filled = cell(2, 2);
        const int blank = cell(3, 1);

        hover(filled);
        QCOMPARE(box(filled)->backgroundColor(), White);
        QCOMPARE(label4(), QStringLiteral("6"));

        QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
        QVERIFY(form->CheckBox1->isChecked());
        hover(filled);
        QCOMPARE(box(filled)->backgroundColor(), Yellow);
        QCOMPARE(label4(), QStringLiteral("5"));
        hover(filled);
        QCOMPARE(label4(), QStringLiteral("5"));
        hover(blank);
        QCOMPARE(box(blank)->backgroundColor(), White);
        QCOMPARE(form->Shape1->geometry(), marker);

        // A found cell clicked back to white is found again by the next move over it.
        click(filled);
        QCOMPARE(label4(), QStringLiteral("6"));
        hover(filled);
        QCOMPARE(label4(), QStringLiteral("5"));
        QVERIFY(errors.isEmpty());
    }

    // A whole game by mouse: blanks marked, picture cells found by clicks or by sweeping the
    // mouse over the grid with "SOS !!!" ticked, the last one completes.
    void wholeGame_data()
    {
        QTest::addColumn<bool>("bySos");
        QTest::addColumn<bool>("byKeys"); // the pick too: Space in the list
        QTest::newRow("by clicks") << false << false;
        QTest::newRow("by SOS hover") << true << false;
        QTest::newRow("by keys alone") << false << true;
    }

    void wholeGame()
    {
        QFETCH(bool, bySos);
        QFETCH(bool, byKeys);
        openWindow();
        const QList<int> picture {cell(1, 1), cell(1, 3), cell(2, 1), cell(2, 2), cell(2, 3), cell(3, 2)};
        const QList<int> blanks {cell(1, 2), cell(3, 1)};
        if (byKeys) {
            // small.dis is the last entry of the list.
            keys(QStringLiteral("End"));
            QCOMPARE(label4(), QStringLiteral("6"));
            QCOMPARE(form->Cursore->box(), cell(1, 1));
            // Row by row: blanks marked, picture cells found, each by Space or Return.
            const QList<std::pair<int, int>> route {
                {1, 2}, {3, 1}, {1, 1}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {3, 2}};
            int row = 1;
            int column = 1;
            for (const auto& [r, c] : route) {
                walk(row, column, r, c);
                row = r;
                column = c;
                QCOMPARE(form->Cursore->box(), cell(r, c));
                key(r == 2 ? Qt::Key_Return : Qt::Key_Space);
            }
            QCOMPARE(form->Shape1->geometry(), markerUnder(cell(3, 2)));
            QCOMPARE(label4(), QStringLiteral("0"));
            for (int n : picture)
                QCOMPARE(box(n)->backgroundColor(), Green);
            QCOMPARE(box(cell(1, 2))->backgroundColor(), SkyBlue);
            // The finished board takes no key: Space on a white cell leaves it white.
            keys(QStringLiteral("Right Space"));
            QCOMPARE(box(cell(3, 3))->backgroundColor(), White);
            QCOMPARE(form->Shape1->geometry(), markerUnder(cell(3, 2)));
            QVERIFY(errors.isEmpty());
            return;
        }
        pick(QStringLiteral("small.dis"));
        for (int n : blanks)
            click(n);
        const QRect afterBlanks = form->Shape1->geometry();
        if (bySos) {
            QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
            QVERIFY(form->CheckBox1->isChecked());
            // Row by row over the whole picture, as a child sweeps it.
            int found = 0;
            for (int r = 1; r <= 3; ++r) {
                for (int c = 1; c <= 3; ++c) {
                    hover(cell(r, c));
                    found += picture.contains(cell(r, c)) ? 1 : 0;
                    QCOMPARE(label4(), QString::number(6 - found));
                }
            }
        } else {
            for (int i = 0; i < picture.size(); ++i) {
                click(picture[i]);
                QCOMPARE(label4(), QString::number(5 - i));
            }
        }
        for (int n = 1; n <= 441; ++n) {
            QVERIFY2(!box(n)->isEnabled(), qPrintable(QString::number(n)));
            QCOMPARE(box(n)->boxText(), QString());
        }
        for (int n : picture) {
            QCOMPARE(box(n)->backgroundColor(), Green);
            QCOMPARE(box(n)->textColor(), Yellow);
        }
        QCOMPARE(box(cell(1, 2))->backgroundColor(), SkyBlue);
        QCOMPARE(box(cell(3, 3))->backgroundColor(), White);
        // The hover help never moves the click marker.
        const QRect last = bySos ? afterBlanks : markerUnder(cell(3, 2));
        QCOMPARE(form->Shape1->geometry(), last);

        // A finished board takes no more clicks or moves.
        click(cell(3, 3));
        hover(cell(3, 3));
        QCOMPARE(box(cell(3, 3))->backgroundColor(), White);
        QCOMPARE(form->Shape1->geometry(), last);
        QCOMPARE(label4(), QStringLiteral("0"));

        // The seconds stand still from completion on: past a tick of the real timer, Label1
        // shows what it showed.
        const QString seconds = form->Label1->text();
        QTest::qWait(1300);
        QCOMPARE(form->Label1->text(), seconds);
        QVERIFY(errors.isEmpty());
    }

    // The cursor after a load: row 1, column 1; arrows move it one position and stop at the
    // edges, left of column 1 into the row's clue slots, above row 1 into the column's; the
    // corner between them is never entered; Home and End go to column 1 and 21 of its row. It
    // passes over hidden cells (all but the top-left 3 x 3 of small.dis are hidden).
    void cursorMoves_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("expected");
        QTest::newRow("start") << "" << cell(1, 1);
        QTest::newRow("right edge") << "Right*25" << cell(1, 21);
        QTest::newRow("bottom edge") << "Down*25" << cell(21, 1);
        QTest::newRow("bottom right corner") << "Down*20 End Right" << cell(21, 21);
        QTest::newRow("over hidden cells") << "Down*5 Right*4" << cell(6, 5);
        QTest::newRow("row clue slot 5") << "Left" << rowClueSlot(1, 5);
        QTest::newRow("row clue slot 1, left edge") << "Left*7" << rowClueSlot(1, 1);
        QTest::newRow("row clue slots go down") << "Left*2 Down*20" << rowClueSlot(21, 4);
        QTest::newRow("column clue slot 5") << "Up" << columnClueSlot(1, 5);
        QTest::newRow("column clue slot 1, top edge") << "Up*7" << columnClueSlot(1, 1);
        QTest::newRow("corner not entered from the left") << "Left Up" << rowClueSlot(1, 5);
        QTest::newRow("corner not entered from above") << "Up Left" << columnClueSlot(1, 5);
        QTest::newRow("Home from a row clue slot") << "Down Left*3 Home" << cell(2, 1);
        QTest::newRow("End from a row clue slot") << "Left*3 End" << cell(1, 21);
        QTest::newRow("End in the column clue slots") << "Up*2 End" << columnClueSlot(21, 4);
        QTest::newRow("Home, End, Home") << "Right*3 End Home" << cell(1, 1);
    }

    void cursorMoves()
    {
        QFETCH(QString, script);
        QFETCH(int, expected);
        openWindow();
        pick(QStringLiteral("other.dis"));
        keys(QStringLiteral("Right*2 Down"));
        // The next load puts the cursor back on row 1, column 1 and gives the board the keys.
        pick(QStringLiteral("small.dis"));
        QCOMPARE(QApplication::focusWidget(), form->Cursore);
        QCOMPARE(form->Cursore->box(), cell(1, 1));
        keys(script);
        QCOMPARE(form->Cursore->box(), expected);
        QCOMPARE(label4(), QStringLiteral("6"));
        QVERIFY(errors.isEmpty());
    }

    // Space acts on the box under the cursor exactly as a click: a clue slot is ticked off, a
    // hidden cell or clue slot does nothing (the marker stays). A mouse click puts the cursor
    // on the clicked box and gives the board the keys.
    void spaceOnTheCursor()
    {
        openOnSmall();
        keys(QStringLiteral("Left Space"));
        QCOMPARE(box(rowClueSlot(1, 5))->backgroundColor(), White);
        // Slot 1 of row 1 holds no clue; the clue slots of row 5 are hidden.
        keys(QStringLiteral("Left*4 Space"));
        QCOMPARE(box(rowClueSlot(1, 1))->backgroundColor(), Silver);
        keys(QStringLiteral("Right*4 Down*4 Space"));
        QCOMPARE(form->Cursore->box(), rowClueSlot(5, 5));
        QVERIFY(!box(rowClueSlot(5, 5))->isVisible());
        QCOMPARE(box(rowClueSlot(5, 5))->backgroundColor(), Silver);
        const QRect marker = form->Shape1->geometry();
        keys(QStringLiteral("Home Right*4 Space Return"));
        QCOMPARE(form->Cursore->box(), cell(5, 5));
        QVERIFY(!box(cell(5, 5))->isVisible());
        QCOMPARE(form->Shape1->geometry(), marker);
        QCOMPARE(label4(), QStringLiteral("6"));

        form->CaricaSchemi->setFocus();
        click(cell(2, 3));
        QCOMPARE(QApplication::focusWidget(), form->Cursore);
        QCOMPARE(form->Cursore->box(), cell(2, 3));
        QCOMPARE(label4(), QStringLiteral("5"));
        keys(QStringLiteral("Space"));
        QCOMPARE(label4(), QStringLiteral("6"));
        QCOMPARE(box(cell(2, 3))->backgroundColor(), White);
        QVERIFY(errors.isEmpty());
    }

    // With "SOS !!!" ticked, the cursor's move onto a cell finds it as a mouse move would; the
    // marker stays. Unticked, moves find nothing.
    void sosByCursor()
    {
        openOnSmall();
        keys(QStringLiteral("Right*2 Down"));
        QCOMPARE(label4(), QStringLiteral("6"));
        const QRect marker = form->Shape1->geometry();
        form->CheckBox1->setFocus();
        key(Qt::Key_Space);
        QVERIFY(form->CheckBox1->isChecked());
        // Tab from "SOS !!!" reaches the board.
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->Cursore);
        keys(QStringLiteral("Left")); // (2, 2): picture
        QCOMPARE(box(cell(2, 2))->backgroundColor(), Yellow);
        QCOMPARE(label4(), QStringLiteral("5"));
        keys(QStringLiteral("Up")); // (1, 2): blank
        QCOMPARE(box(cell(1, 2))->backgroundColor(), White);
        keys(QStringLiteral("Left Down Right Right Up Down Down Left")); // the rest, some twice
        QCOMPARE(label4(), QStringLiteral("0"));
        QCOMPARE(box(cell(3, 2))->backgroundColor(), Green);
        QCOMPARE(form->Shape1->geometry(), marker);
        QVERIFY(errors.isEmpty());
    }

    // While the board has the keys, no key loads a scheme, changes the list or quits.
    void noKeyOnTheBoardChangesTheScheme()
    {
        openOnSmall();
        click(cell(1, 1));
        QCOMPARE(label4(), QStringLiteral("5"));
        QListWidgetItem* current = form->CaricaSchemi->currentItem();
        const QList<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses {{Qt::Key_Down, {}}, {Qt::Key_Up, {}},
            {Qt::Key_PageDown, {}}, {Qt::Key_PageUp, {}}, {Qt::Key_O, {}}, {Qt::Key_S, {}},
            {Qt::Key_Escape, {}}, {Qt::Key_Backspace, {}}, {Qt::Key_Delete, {}},
            {Qt::Key_Q, Qt::ControlModifier}, {Qt::Key_W, Qt::ControlModifier}, {Qt::Key_F4, Qt::AltModifier},
            {Qt::Key_Home, {}}, {Qt::Key_End, {}}};
        for (const auto& [k, modifiers] : presses) {
            key(k, modifiers);
            QCOMPARE(QApplication::focusWidget(), form->Cursore);
        }
        QVERIFY(form->isVisible());
        QCOMPARE(form->CaricaSchemi->currentItem(), current);
        QCOMPARE(label4(), QStringLiteral("5"));
        QCOMPARE(box(cell(1, 1))->backgroundColor(), Yellow);
        QVERIFY(errors.isEmpty());
    }

    // The frame marks the cursor's box while the board has the keys, on the window and never
    // in the image that "STAMPA" prints.
    void cursorFrame()
    {
        openOnSmall();
        keys(QStringLiteral("Right"));
        const QColor frame(0xD0, 0x00, 0xD0);
        const QRect r = box(cell(1, 2))->geometry();
        const QImage shown = form->grab().toImage();
        QCOMPARE(shown.pixelColor(r.topLeft() + QPoint(1, 1)), frame);
        QCOMPARE(shown.pixelColor(r.bottomRight() - QPoint(1, 1)), frame);
        // The centre keeps the cell's own colour.
        QCOMPARE(shown.pixelColor(r.center()), White);
        QCOMPARE(form->printedImage().pixelColor(r.topLeft() + QPoint(1, 1)), White);
        // At another window size the frame follows the box, here a hidden cell at the far corner.
        form->showNormal();
        form->resize(1000, 700);
        QTRY_COMPARE(form->Schermo->size(), QSize(1000, 700));
        keys(QStringLiteral("Down*20 End"));
        const QRect scaled = box(cell(21, 21))->geometry();
        QCOMPARE(scaled, QRect(916, 650, 25, 22));
        const QImage resized = form->grab().toImage();
        QCOMPARE(resized.pixelColor(scaled.topLeft() + QPoint(1, 1)), frame);
        QCOMPARE(resized.pixelColor(scaled.bottomRight() - QPoint(1, 1)), frame);
        // Without the keys the board shows no frame.
        form->CaricaSchemi->setFocus();
        QCOMPARE(form->grab().toImage().pixelColor(scaled.topLeft() + QPoint(1, 1)), Silver);
        QVERIFY(errors.isEmpty());
    }

    // What the controls are called for assistive technology.
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::newRow("seconds") << "Label1"
                                 << "secondi";
        QTest::newRow("remaining counter") << "Label4"
                                           << "caselle da trovare";
        QTest::newRow("guide lines") << "CheckBox2"
                                     << "linee guida";
        QTest::newRow("SOS") << "CheckBox1"
                             << "aiuto SOS";
        QTest::newRow("flag") << "RichiamaLingua1"
                              << "lingua";
        QTest::newRow("print") << "StampaCrucintarsio"
                               << "stampa";
        QTest::newRow("exit") << "Esci"
                              << "esci";
        QTest::newRow("back") << "BitBtn1"
                              << "indietro";
        QTest::newRow("board") << "Cursore"
                               << "griglia del disegno";
    }

    void accessibleNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, name);
        openWindow();
        QAccessibleInterface* a
            = QAccessible::queryAccessibleInterface(form->findComponent(control)->object());
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), name);
    }

    // Every cell says its row, column and state, never its hidden mark; a clue slot its number
    // and whether it is ticked; the cursor's box has the accessible focus. (The focus events
    // themselves need a platform that reports accessibility active, which offscreen is not.)
    void accessibleBoard()
    {
        openOnSmall();
        // Picture and blank cells alike are still to be found.
        QCOMPARE(spoken(cell(1, 1)), QStringLiteral("riga 1, colonna 1: da scoprire"));
        QCOMPARE(spoken(cell(1, 2)), QStringLiteral("riga 1, colonna 2: da scoprire"));
        QCOMPARE(spoken(cell(9, 4)), QStringLiteral("riga 9, colonna 4: vuota"));
        keys(QStringLiteral("Space Right Space"));
        QCOMPARE(spoken(cell(1, 1)), QStringLiteral("riga 1, colonna 1: parte del disegno"));
        QCOMPARE(spoken(cell(1, 2)), QStringLiteral("riga 1, colonna 2: vuota"));
        QCOMPARE(spoken(rowClueSlot(2, 5)), QStringLiteral("riga 2: numero 3"));
        QCOMPARE(spoken(columnClueSlot(3, 5)), QStringLiteral("colonna 3: numero 2"));
        keys(QStringLiteral("Down Left*2 Space"));
        QCOMPARE(spoken(rowClueSlot(2, 5)), QStringLiteral("riga 2: numero 3, spuntato"));

        // The window's focus leads through the board to the box under the cursor.
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(form.get());
        while (a && a->focusChild())
            a = a->focusChild();
        QVERIFY(a);
        QCOMPARE(a->object(), box(rowClueSlot(2, 5)));
        QVERIFY(a->state().focused);
        QVERIFY(!QAccessible::queryAccessibleInterface(box(cell(1, 1)))->state().focused);
        QVERIFY(errors.isEmpty());
    }

    void guideLines()
    {
        openWindow();
        const QList<widgets::Panel*> lines {form->Panel1, form->Panel2, form->Panel3, form->Panel4,
            form->Panel5, form->Panel6, form->Panel7, form->Panel8};
        QTest::mouseClick(form->CheckBox2, Qt::LeftButton);
        for (widgets::Panel* line : lines)
            QVERIFY2(line->isVisible(), qPrintable(line->name()));
        pick(QStringLiteral("small.dis")); // a load keeps them
        for (widgets::Panel* line : lines)
            QVERIFY2(line->isVisible(), qPrintable(line->name()));
        QTest::mouseClick(form->CheckBox2, Qt::LeftButton);
        for (widgets::Panel* line : lines)
            QVERIFY2(!line->isVisible(), qPrintable(line->name()));
    }

    void timerTicks()
    {
        openWindow();
        QSignalSpy ticks(form->Timer1, &widgets::Timer::timeout);
        const int before = form->Label1->text().toInt();
        QVERIFY(ticks.wait(1500));
        QCOMPARE(form->Label1->text().toInt(), before + 1);
        pick(QStringLiteral("small.dis"));
        QCOMPARE(form->Label1->text(), QStringLiteral("0"));
        QVERIFY(form->Timer1->isActive());
    }

    void zoomItemsDoNothing()
    {
        openOnSmall();
        click(cell(1, 1));
        const QImage before = form->Schermo->grab().toImage();
        QSignalSpy zoomIn(form->IngrandisciSchema, &QAction::triggered);
        QTest::keyClick(form.get(), Qt::Key_F3);
        QTest::keyClick(form.get(), Qt::Key_F4);
        QCOMPARE(zoomIn.size(), 1);
        QCOMPARE(label4(), QStringLiteral("5"));
        QCOMPARE(form->Schermo->grab().toImage(), before);
    }

    // A scheme that cannot be read: the error goes to the reporter, and the board stands as
    // the reset left it while the clues of the previous scheme stay.
    void unreadableScheme_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("message");
        QTest::newRow("vanished file") << "vanished.dis"
                                       << "File not found";
    }

    void unreadableScheme()
    {
        QFETCH(QString, entry);
        QFETCH(QString, message);
        openWindow();
        folder->write(QStringLiteral("vanished.dis"), SmallScheme);
        form->CaricaSchemi->refresh();
        QFile::remove(folder->schemi() + QStringLiteral("/vanished.dis"));

        pick(QStringLiteral("small.dis"));
        click(cell(1, 1));
        click(cell(1, 2));
        click(rowClueSlot(2, 5));
        QCOMPARE(label4(), QStringLiteral("5"));
        QVERIFY(errors.isEmpty());

        pick(entry);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(message), qPrintable(errors.first()));
        for (int n = 1; n <= 441; ++n) {
            QVERIFY2(box(n)->isVisible() && box(n)->isEnabled(), qPrintable(QString::number(n)));
            QCOMPARE(box(n)->backgroundColor(), White);
            QCOMPARE(box(n)->boxText(), QString());
        }
        QCOMPARE(form->Label1->text(), QStringLiteral("0"));
        QVERIFY(form->Label2->isVisible());
        QVERIFY(form->Timer1->isActive());
        QCOMPARE(label4(), QStringLiteral("5"));
        QCOMPARE(box(rowClueSlot(2, 5))->boxText(), QStringLiteral("3"));
        QCOMPARE(box(rowClueSlot(2, 5))->backgroundColor(), White);
        // The window stays usable.
        click(cell(5, 5));
        QCOMPARE(form->Shape1->geometry(), markerUnder(cell(5, 5)));
        QCOMPARE(errors.size(), 1);
    }

    void exitClosesTheWindow()
    {
        openWindow();
        QTest::mouseClick(form->Esci, Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
