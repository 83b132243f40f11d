// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the language chooser on the main window: the flag, the combo box and the captions.
#include "windowtest.h"

#include "combobox.h"
#include "errors.h"
#include "filelistbox.h"
#include "label.h"
#include "popupmenu.h"
#include "shape.h"
#include "skinbutton.h"
#include "tlanguage.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

const QStringList Italian {QStringLiteral("ESCI"),
    QStringLiteral("CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO"), QStringLiteral("STAMPA")};
const QStringList English {
    QStringLiteral("QUIT"), QStringLiteral("CLICK THE BOXES"), QStringLiteral("PRINT IT")};
const QStringList German {
    QStringLiteral("ENDE"), QStringLiteral("KLICKE AUF DIE KÄSTCHEN"), QStringLiteral("DRUCKEN")};

// A language file with the three captions of the window.
QByteArray languageFile(const QStringList& captions)
{
    return "[Translations]\r\nForm1.Esci.Caption=" + captions[0].toUtf8() + "\r\nForm1.Label2.Caption="
        + captions[1].toUtf8() + "\r\nForm1.StampaCrucintarsio.Caption=" + captions[2].toUtf8() + "\r\n";
}

QString shippedData()
{
    return QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/");
}

// The value of a key in a shipped language file, read here line by line on its own.
QString shippedValue(const QString& path, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString prefix = key + QLatin1Char('=');
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return {};
}

} // namespace

class TestForm1Language : public WindowTest {
    Q_OBJECT

private:
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder->exeFolder() + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The window on an exe folder holding lingue.txt (english, deutsch, italiano: not in
    // alphabetical order) and the files of english and deutsch.
    void openWindow()
    {
        folder = std::make_unique<SchemeFolder>();
        QVERIFY(folder->isValid());
        write(QStringLiteral("lingue.txt"), "english\r\ndeutsch\r\nitaliano\r\n");
        write(QStringLiteral("english.lng"), languageFile(English));
        write(QStringLiteral("deutsch.lng"), languageFile(German));
        createWindow();
        showWindow();
    }

    QStringList captions() const
    {
        return {form->Esci->text(), form->Label2->text(), form->StampaCrucintarsio->text()};
    }

    widgets::Shape* stripe(int n) const
    {
        return n == 1 ? form->RichiamaLingua1 : n == 2 ? form->RichiamaLingua2 : form->RichiamaLingua3;
    }

    QAbstractItemView* list() const { return form->SceltaLingua->view(); }

    // Presses and releases a mouse button over the middle of a stripe (0: on the bare panel just
    // below the flag), as the player does: through the window, so that Qt takes its own path
    // for the button, context-menu event included.
    void clickFlag(int n = 2, Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect r = stripe(n == 0 ? 2 : n)->geometry();
        const QPoint where = n == 0 ? QPoint(r.center().x(), r.bottom() + r.height() / 2) : r.center();
        QVERIFY(n != 0 || !form->Schermo->childAt(where));
        const QPoint inWindow = form->Schermo->mapTo(form.get(), where);
        QTest::mousePress(form->windowHandle(), button, {}, inWindow);
        QTest::mouseRelease(form->windowHandle(), button, {}, inWindow);
    }

    // Opens the chooser by the flag and waits for its list to drop down.
    void openChooser()
    {
        clickFlag();
        QVERIFY(form->SceltaLingua->isVisible());
        QTRY_VERIFY(list()->isVisible());
    }

    // Moves the mouse onto an entry of the open list, which highlights it, and presses Return.
    void hoverEntryAndPressReturn(const QString& name)
    {
        const QModelIndex index = list()->model()->index(form->SceltaLingua->findText(name), 0);
        QTest::mouseMove(list()->viewport(), list()->visualRect(index).center());
        QTRY_COMPARE(list()->currentIndex(), index);
        QTest::keyClick(list(), Qt::Key_Return);
    }

    // Clicks an entry of the open list.
    void clickEntry(const QString& name)
    {
        const int row = form->SceltaLingua->findText(name, Qt::MatchExactly);
        QVERIFY2(row >= 0, qPrintable(name));
        const QModelIndex index = list()->model()->index(row, 0);
        list()->scrollTo(index);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(index).center());
    }

private slots:
    // Any button released over any stripe fills the list from lingue.txt, in file order, shows
    // the combo box and opens its list; the field keeps "italiano". The right button opens no
    // popup menu there; on the panel beside the flag it opens the menu and no chooser.
    void flagOpensChooser_data()
    {
        QTest::addColumn<int>("stripe"); // 0: the panel below the flag
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("green, left button") << 1 << Qt::LeftButton;
        QTest::newRow("white, left button") << 2 << Qt::LeftButton;
        QTest::newRow("red, left button") << 3 << Qt::LeftButton;
        QTest::newRow("green, right button") << 1 << Qt::RightButton;
        QTest::newRow("white, right button") << 2 << Qt::RightButton;
        QTest::newRow("red, middle button") << 3 << Qt::MiddleButton;
        QTest::newRow("panel below the flag, right button") << 0 << Qt::RightButton;
    }

    void flagOpensChooser()
    {
        QFETCH(int, stripe);
        QFETCH(Qt::MouseButton, button);
        openWindow();
        QVERIFY(!form->SceltaLingua->isVisible());
        clickFlag(stripe, button);
        if (stripe == 0) {
            QTRY_VERIFY(form->suiPopupMenu1->isVisible());
            form->suiPopupMenu1->hide();
            QVERIFY(!form->SceltaLingua->isVisible());
            return;
        }
        QVERIFY(!form->suiPopupMenu1->isVisible());
        QVERIFY(form->SceltaLingua->isVisible());
        QCOMPARE(form->SceltaLingua->items(), (QStringList {"english", "deutsch", "italiano"}));
        QTRY_VERIFY(list()->isVisible());
        QCOMPARE(form->SceltaLingua->text(), QStringLiteral("italiano"));
        QCOMPARE(captions(), Italian);
        QVERIFY(errors.isEmpty());
    }

    // A choice in the open list, by arrow key or by mouse, applies the language at once and
    // hides the combo box.
    void chooseLanguage_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Down key reaches the first entry") << "key"
                                                          << "english" << English;
        // A letter moves the selection to the next entry it starts, as an arrow key would.
        QTest::newRow("letter d") << "letter"
                                  << "deutsch" << German;
        QTest::newRow("letter e") << "letter"
                                  << "english" << English;
        QTest::newRow("Return on the entry under the mouse") << "hover"
                                                             << "deutsch" << German;
        QTest::newRow("click on english") << "click"
                                          << "english" << English;
        QTest::newRow("click on deutsch") << "click"
                                          << "deutsch" << German;
        // No italiano.lng in the folder: nothing changes, the combo box hides all the same.
        QTest::newRow("click on italiano without its file") << "click"
                                                            << "italiano" << Italian;
    }

    void chooseLanguage()
    {
        QFETCH(QString, how);
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        openWindow();
        openChooser();
        if (how == QLatin1String("key"))
            QTest::keyClick(list(), Qt::Key_Down);
        else if (how == QLatin1String("letter"))
            QTest::keyClick(list(), name.at(0).toLatin1());
        else if (how == QLatin1String("hover"))
            hoverEntryAndPressReturn(name);
        else
            clickEntry(name);
        QTRY_VERIFY(form->SceltaLingua->isHidden());
        QCOMPARE(form->SceltaLingua->text(), name);
        QCOMPARE(captions(), expected);
        QVERIFY(errors.isEmpty());
    }

    // The flag is a stop in the tab order, right after the scheme list: Space or Return on it
    // opens the chooser, whose list then behaves as after a click (arrows choose, Escape closes).
    void flagByKeyboard()
    {
        openWindow();
        QCOMPARE(QApplication::focusWidget(), form->CaricaSchemi);
        QTest::keyClick(form->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), form->RichiamaLingua1);
        QTest::keyClick(form->windowHandle(), Qt::Key_Space);
        QVERIFY(form->SceltaLingua->isVisible());
        QTRY_VERIFY(list()->isVisible());
        QCOMPARE(form->SceltaLingua->items(), (QStringList {"english", "deutsch", "italiano"}));
        QTest::keyClick(list(), Qt::Key_Down);
        QTRY_VERIFY(form->SceltaLingua->isHidden());
        QCOMPARE(captions(), English);

        form->RichiamaLingua1->setFocus();
        QTest::keyClick(form->windowHandle(), Qt::Key_Return);
        QTRY_VERIFY(list()->isVisible());
        QTest::keyClick(list(), Qt::Key_Escape);
        QTRY_VERIFY(!list()->isVisible());
        QVERIFY(form->SceltaLingua->isVisible());
        QCOMPARE(captions(), English);
        QVERIFY(errors.isEmpty());
    }

    // Keys and clicks that neither move the selection to an entry nor edit the field choose
    // nothing: the combo box stays with its text, nothing is translated. italiano.lng exists
    // here, in other words, so that applying the field's text would show.
    void noChoice_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("listOpen"); // afterwards
        QTest::newRow("Escape") << "Escape" << false;
        QTest::newRow("click on the panel") << "panel" << false;
        QTest::newRow("click on the scheme list") << "scheme list" << false;
        QTest::newRow("Return in the list before any move") << "Return in the list" << false;
        QTest::newRow("Return in the field") << "Return in the field" << false;
        // The keyboard's way: the key goes to the combo box, which hands it to its field.
        QTest::newRow("Return on the combo box") << "Return on the combo box" << false;
        QTest::newRow("letter that starts no entry") << "letter x" << true;
    }

    void noChoice()
    {
        QFETCH(QString, how);
        QFETCH(bool, listOpen);
        openWindow();
        write(QStringLiteral("italiano.lng"), languageFile(English));
        openChooser();
        auto clickAt = [this](QWidget* on, QPoint at) {
            const QPoint inWindow = on->mapTo(form.get(), at);
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, inWindow);
        };
        if (how == QLatin1String("Escape")) {
            QTest::keyClick(list(), Qt::Key_Escape);
        } else if (how == QLatin1String("panel")) {
            clickAt(form->Schermo, QPoint(200, 400));
        } else if (how == QLatin1String("scheme list")) {
            clickAt(form->CaricaSchemi, form->CaricaSchemi->rect().center());
        } else if (how == QLatin1String("Return in the list")) {
            QTest::keyClick(list(), Qt::Key_Return);
        } else if (how == QLatin1String("Return in the field")) {
            QTest::keyClick(list(), Qt::Key_Escape);
            QTRY_VERIFY(!list()->isVisible());
            QTest::keyClick(form->SceltaLingua->lineEdit(), Qt::Key_Return);
        } else if (how == QLatin1String("Return on the combo box")) {
            QTest::keyClick(list(), Qt::Key_Escape);
            QTRY_VERIFY(!list()->isVisible());
            QTest::keyClick(form->SceltaLingua, Qt::Key_Return);
        } else {
            QTest::keyClick(list(), 'x');
        }
        QTRY_COMPARE(list()->isVisible(), listOpen);
        QVERIFY(form->SceltaLingua->isVisible());
        QCOMPARE(form->SceltaLingua->text(), QStringLiteral("italiano"));
        QCOMPARE(captions(), Italian);
        QVERIFY(errors.isEmpty());
    }

    // Choosing italiano brings the built-in texts back when italiano.lng exists; otherwise the
    // last language applied stays.
    void italianoAfterAnotherLanguage_data()
    {
        QTest::addColumn<bool>("withItalianFile");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("with italiano.lng") << true << Italian;
        QTest::newRow("without italiano.lng") << false << English;
    }

    void italianoAfterAnotherLanguage()
    {
        QFETCH(bool, withItalianFile);
        QFETCH(QStringList, expected);
        openWindow();
        if (withItalianFile)
            write(QStringLiteral("italiano.lng"), languageFile(Italian));
        openChooser();
        clickEntry(QStringLiteral("english"));
        QTRY_VERIFY(form->SceltaLingua->isHidden());
        QCOMPARE(captions(), English);

        openChooser();
        QCOMPARE(form->SceltaLingua->text(), QStringLiteral("english"));
        clickEntry(QStringLiteral("italiano"));
        QTRY_VERIFY(form->SceltaLingua->isHidden());
        QCOMPARE(form->SceltaLingua->text(), QStringLiteral("italiano"));
        QCOMPARE(captions(), expected);
        QVERIFY(errors.isEmpty());
    }

    // The language list and files that ship with the program work on the real window: every
    // file names every text that the window translates (the captions, the accessible names, the
    // words of the board), and choosing it writes them all.
    void shippedLanguages_data()
    {
        QTest::addColumn<QString>("name");
        QFile list(shippedData() + QStringLiteral("lingue.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        for (const QByteArray& line : list.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                QTest::newRow(line.constData()) << QString::fromUtf8(line).remove(QLatin1Char('\r'));
    }

    void shippedLanguages()
    {
        QFETCH(QString, name);
        openWindow();
        const QString source = shippedData() + name + QStringLiteral(".lng");
        QVERIFY2(QFile::exists(source), qPrintable(source));
        QFile::remove(folder->exeFolder() + QStringLiteral("lingue.txt"));
        QVERIFY(QFile::copy(shippedData() + QStringLiteral("lingue.txt"),
            folder->exeFolder() + QStringLiteral("lingue.txt")));
        QFile::remove(folder->exeFolder() + name + QStringLiteral(".lng"));
        QVERIFY(QFile::copy(source, folder->exeFolder() + name + QStringLiteral(".lng")));
        QStringList expected;
        for (const char* key :
            {"Form1.Esci.Caption", "Form1.Label2.Caption", "Form1.StampaCrucintarsio.Caption"}) {
            expected << shippedValue(source, QString::fromLatin1(key));
            QVERIFY2(!expected.last().isEmpty(), key);
        }
        const QStringList keys = form->Language1->properties();
        QCOMPARE(keys.size(), 19);
        QHash<QString, QString> values;
        for (const QString& key : keys) {
            values.insert(key, shippedValue(source, key));
            QVERIFY2(!values.value(key).isEmpty(), qPrintable(key));
        }
        // Start from a language of the test's own, so that italiano shows a change too.
        write(QStringLiteral("start.lng"), languageFile(German));
        form->SceltaLingua->setText(QStringLiteral("start"));
        form->SceltaLinguaChange();
        QCOMPARE(captions(), German);

        openChooser();
        clickEntry(name);
        QTRY_VERIFY(form->SceltaLingua->isHidden());
        QCOMPARE(captions(), expected);
        for (const QString& key : keys) {
            const QStringList path = key.split(QLatin1Char('.'));
            QObject* control = form->findComponent(path[1])->object();
            if (path[2] == QLatin1String("AccessibleName"))
                QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                    values.value(key));
            else
                QCOMPARE(control->property(path[2].toLatin1().constData()).toString(), values.value(key));
        }
        QVERIFY(errors.isEmpty());
    }

    // Without lingue.txt the flag reports "File not found"; the list is already empty and the
    // combo box keeps its visibility and its text.
    void missingLanguageList_data()
    {
        QTest::addColumn<bool>("shownBefore");
        QTest::newRow("combo box shown") << true;
        QTest::newRow("combo box hidden") << false;
    }

    void missingLanguageList()
    {
        QFETCH(bool, shownBefore);
        openWindow();
        if (shownBefore) {
            openChooser();
            QTest::keyClick(list(), Qt::Key_Escape);
            QTRY_VERIFY(!list()->isVisible());
            QCOMPARE(form->SceltaLingua->count(), 3);
        }
        QVERIFY(QFile::remove(folder->exeFolder() + QStringLiteral("lingue.txt")));
        clickFlag(1);
        QCOMPARE(errors, QStringList {"File not found"});
        QCOMPARE(form->SceltaLingua->isVisible(), shownBefore);
        QCOMPARE(form->SceltaLingua->count(), 0);
        QCOMPARE(form->SceltaLingua->text(), QStringLiteral("italiano"));
        QCOMPARE(captions(), Italian);

        // Once the file is back, the next release over the flag works again.
        write(QStringLiteral("lingue.txt"), "deutsch\n");
        clickFlag(3);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(form->SceltaLingua->items(), QStringList {"deutsch"});
        QTRY_VERIFY(list()->isVisible());
    }
};

QTEST_MAIN(TestForm1Language)
#include "tst_form1language.moc"
