// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the editor's window, offscreen through its real widgets: strokes and keys, undo and
// redo of every kind of change, open and save with the bytes compared, the verdict of each
// kind, and the files that cannot be opened or saved.
#include "checkrunner.h"
#include "editordocument.h"
#include "editorwindow.h"
#include "gridview.h"
#include "importdialog.h"
#include "verdictpanel.h"
#include "words.h"

#include "asanyuser.h"
#include "errors.h"
#include "inifile.h"
#include "privatecups.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <memory>

Q_DECLARE_METATYPE(std::string)

using namespace Qt::StringLiterals;

using editor::EditorWindow;

class EditorWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startsOnAnEmptyGridWithFocus();
    void strokes_data();
    void strokes();
    void keys();
    void undoInTheMiddleOfAStroke();
    void changes_data();
    void changes();
    void roundTrip_data();
    void roundTrip();
    void verdicts_data();
    void verdicts();
    void suggestionIsAnUndoableChange();
    void import_data();
    void import();
    void filesThatCannotBeOpened_data();
    void filesThatCannotBeOpened();
    void failedSaveKeepsTheChanges();
    void saveAsFromAFolderThatCannotBeWritten_data();
    void saveAsFromAFolderThatCannotBeWritten();
    void unsavedChangesAreAskedFor();
    void worksheet_data();
    void worksheet();
    void printsOnASpooler();
    void shippedLanguageFiles_data();
    void shippedLanguageFiles();

private:
    // The cells of rows 1 .. rows as "#" (picture cell) and "-" (any other), one string a row.
    QStringList picture(int rows = 5, int columns = 8) const;
    QPoint centre(int row, int column) const { return window_->grid().cellRect(row, column).center(); }
    void waitForVerdict() { QTRY_VERIFY(!window_->checks().busy()); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&window_->grid(), key, modifiers);
    }
    QString write(const QString& name, const QByteArray& bytes);
    QByteArray read(const QString& name) const;

    // The CUPS setup of this process: until a test starts its spooler, no printer at all.
    std::unique_ptr<PrivateCups> cups_;
    std::unique_ptr<EditorWindow> window_;
    QTemporaryDir dir_;
    QStringList errors_;
    QString nextFileName_;
    int keepAnswer_ = QMessageBox::Cancel;
    int asked_ = 0;
    int savesAsked_ = 0; // names asked for saving
    QString askedFolder_; // where the last file dialog started
};

void EditorWindowTest::initTestCase()
{
    cups_ = std::make_unique<PrivateCups>();
    QVERIFY(cups_->isValid());
}

void EditorWindowTest::init()
{
    errors_.clear();
    asked_ = 0;
    savesAsked_ = 0;
    widgets::setErrorReporter([this](const QString& message) { errors_ << message; });
    window_ = std::make_unique<EditorWindow>();
    window_->setDialogs({[this](EditorWindow::FileQuestion question, const QString& folder) {
                             savesAsked_ += question == EditorWindow::FileQuestion::Save ? 1 : 0;
                             askedFolder_ = folder;
                             return nextFileName_;
                         },
        [this] {
            ++asked_;
            return keepAnswer_;
        },
        {},
        [this](QPrinter& printer) {
            // Never a printer of the machine: the print goes to the PDF file named next.
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(nextFileName_);
            return true;
        }});
    window_->resize(900, 700);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void EditorWindowTest::cleanup()
{
    window_->document().markSaved(window_->document().filePath());
    window_.reset();
    widgets::setErrorReporter({});
    editor::setLanguageFile(QString());
}

QStringList EditorWindowTest::picture(int rows, int columns) const
{
    QStringList lines;
    for (int r = 0; r < rows; ++r) {
        QString line;
        for (int c = 0; c < columns; ++c)
            line += window_->document().filled(r * 21 + c) ? QLatin1Char('#') : QLatin1Char('-');
        lines << line;
    }
    return lines;
}

QString EditorWindowTest::write(const QString& name, const QByteArray& bytes)
{
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
    return file.fileName();
}

QByteArray EditorWindowTest::read(const QString& name) const
{
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void EditorWindowTest::startsOnAnEmptyGridWithFocus()
{
    QCOMPARE(QApplication::focusWidget(), &window_->grid());
    QCOMPARE(window_->grid().cursor(), QPoint(0, 0));
    for (int i = 0; i < 441; ++i)
        QVERIFY(window_->document().kind(i) == editor::CellKind::Blank);
    QVERIFY(window_->windowTitle().startsWith(QStringLiteral("senza nome.dis")));
    QVERIFY(!window_->isWindowModified());
    QVERIFY(!window_->findChild<QAction*>(QStringLiteral("Salva"))->isEnabled());
}

// A stroke: the button, the cells (row,column from 0) the mouse goes through, the picture after.
void EditorWindowTest::strokes_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<QList<QPoint>>("path");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("click paints one cell")
        << true << QList<QPoint> {{1, 2}}
        << QStringList {"--------", "--#-----", "--------", "--------", "--------"};
    QTest::newRow("a fast drag paints every cell it crosses")
        << true << QList<QPoint> {{0, 0}, {0, 6}, {3, 6}}
        << QStringList {"#######-", "------#-", "------#-", "------#-", "--------"};
    QTest::newRow("a diagonal drag") << true << QList<QPoint> {{0, 0}, {3, 3}}
                                     << QStringList {
                                            "#-------", "-#------", "--#-----", "---#----", "--------"};
    QTest::newRow("right button clears what a first stroke painted")
        << false << QList<QPoint> {{0, 1}, {0, 4}}
        << QStringList {"#----##-", "--------", "--------", "--------", "--------"};
}

void EditorWindowTest::strokes()
{
    QFETCH(bool, left);
    QFETCH(QList<QPoint>, path);
    QFETCH(QStringList, after);
    QWidget* grid = &window_->grid();
    QUndoStack& undo = window_->document().undoStack();
    if (!left) {
        // Something to clear: the first row painted in one stroke.
        QTest::mousePress(grid, Qt::LeftButton, {}, centre(0, 0));
        QTest::mouseMove(grid, centre(0, 6));
        QTest::mouseRelease(grid, Qt::LeftButton, {}, centre(0, 6));
    }
    const int steps = undo.count();
    const QStringList before = picture();
    const Qt::MouseButton button = left ? Qt::LeftButton : Qt::RightButton;
    QTest::mousePress(grid, button, {}, centre(path.front().x(), path.front().y()));
    for (const QPoint& cell : path) {
        // QTest::mouseMove sends no buttons; the drag needs them held.
        QMouseEvent move(QEvent::MouseMove, centre(cell.x(), cell.y()),
            grid->mapToGlobal(centre(cell.x(), cell.y())), Qt::NoButton, button, Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    QTest::mouseRelease(grid, button, {}, centre(path.back().x(), path.back().y()));
    QCOMPARE(picture(), after);
    QCOMPARE(undo.count(), steps + 1);
    QVERIFY(window_->isWindowModified());
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(picture(), before);
    QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(picture(), after);
}

void EditorWindowTest::keys()
{
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    press(Qt::Key_Space);
    QCOMPARE(window_->grid().cursor(), QPoint(2, 1));
    press(Qt::Key_End);
    QCOMPARE(window_->grid().cursor(), QPoint(20, 1));
    press(Qt::Key_Right); // stays at the edge
    press(Qt::Key_Space);
    press(Qt::Key_Home);
    QCOMPARE(window_->grid().cursor(), QPoint(0, 1));
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Space);
    press(Qt::Key_Space); // toggles back
    QVERIFY(window_->document().filled(1 * 21 + 2));
    QVERIFY(window_->document().filled(1 * 21 + 20));
    QVERIFY(!window_->document().filled(0));
    press(Qt::Key_End);
    press(Qt::Key_Down);
    press(Qt::Key_Delete);
    QVERIFY(!window_->document().filled(1 * 21 + 20));
    QUndoStack& undo = window_->document().undoStack();
    QCOMPARE(undo.count(), 5);
    // Ctrl+Shift+Z redoes as Ctrl+Y does.
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(window_->document().filled(1 * 21 + 20));
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!window_->document().filled(1 * 21 + 20));
}

// Ctrl+Z while the button is held undoes the step before the stroke and ends the stroke; keys
// wait until the button is released.
void EditorWindowTest::undoInTheMiddleOfAStroke()
{
    press(Qt::Key_Down);
    press(Qt::Key_Space); // row 2, column 1
    QWidget* grid = &window_->grid();
    QTest::mousePress(grid, Qt::LeftButton, {}, centre(0, 0));
    QMouseEvent move(QEvent::MouseMove, centre(0, 3), grid->mapToGlobal(centre(0, 3)), Qt::NoButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid, &move);
    press(Qt::Key_Space); // ignored while drawing
    QCOMPARE(picture(3), (QStringList {"####----", "#-------", "--------"}));
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, centre(0, 3));
    QCOMPARE(picture(3), (QStringList {"--------", "--------", "--------"}));
    QCOMPARE(window_->document().undoStack().count(), 1);
    QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(picture(3), (QStringList {"--------", "#-------", "--------"}));
}

// A change of the whole picture by its shortcut, on the picture drawn by rows of keys.
void EditorWindowTest::changes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("after");
    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("clear") << (ctrl | Qt::Key_Delete)
                           << QStringList {"--------", "--------", "--------", "--------", "--------"};
    QTest::newRow("shift up") << (ctrl | Qt::Key_Up)
                              << QStringList {"-##-----", "-#------", "--------", "--------", "--------"};
    QTest::newRow("shift down") << (ctrl | Qt::Key_Down)
                                << QStringList {"--------", "#-------", "-##-----", "-#------", "--------"};
    QTest::newRow("shift left") << (ctrl | Qt::Key_Left)
                                << QStringList {"--------", "##------", "#-------", "--------", "--------"};
    QTest::newRow("shift right") << (ctrl | Qt::Key_Right)
                                 << QStringList {"-#------", "--##----", "--#-----", "--------", "--------"};
    QTest::newRow("mirror") << (ctrl | Qt::Key_M)
                            << QStringList {"--------------------#", "------------------##-",
                                   "-------------------#-", "---------------------", "---------------------"};
}

void EditorWindowTest::changes()
{
    QFETCH(int, key);
    QFETCH(QStringList, after);
    // Row 1: column 1; row 2: columns 2, 3; row 3: column 2.
    press(Qt::Key_Space);
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Space);
    press(Qt::Key_Right);
    press(Qt::Key_Space);
    press(Qt::Key_Down);
    press(Qt::Key_Left);
    press(Qt::Key_Space);
    // The rows of after are 8 or 21 cells long; the rest of the row is blank.
    const int columns = int(after.front().size());
    QStringList before {"#-------", "-##-----", "-#------", "--------", "--------"};
    for (QString& row : before)
        row = row.leftJustified(columns, QLatin1Char('-'));
    QCOMPARE(picture(5, columns), before);
    QTest::keyClick(window_.get(), Qt::Key(key & ~int(Qt::KeyboardModifierMask)),
        Qt::KeyboardModifiers(key & int(Qt::KeyboardModifierMask)));
    QCOMPARE(picture(5, columns), after);
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(picture(5, columns), before);
    QTest::keyClick(window_.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(picture(5, columns), after);
}

// A file opened, Save disabled until a change; a change by key at the cursor (row 1, column 1
// moved by the keys given), Ctrl+S, and the bytes on disk.
void EditorWindowTest::roundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("keys"); // r, d: right, down; s: space
    QTest::addColumn<QByteArray>("saved");

    QTest::newRow("holes, digits, letters and a long line kept")
        << QByteArray("-#\xB0"
                      "3a-\n#--x---------------beyond\n")
        << "drrs"
        << QByteArray("-#\xB0"
                      "3a-\n#-#x---------------beyond\n");
    QTest::newRow("byte-order mark and CR LF kept") << QByteArray("\xEF\xBB\xBF"
                                                                  "-#-\r\n#-#\r\n")
                                                    << "s"
                                                    << QByteArray("\xEF\xBB\xBF"
                                                                  "##-\r\n#-#\r\n");
    QTest::newRow("a UTF-8 degree sign is one cell")
        << QByteArray("\xC2\xB0-#\n") << "rs" << QByteArray("\xC2\xB0##\n");
    QTest::newRow("a cell beyond a short file") << QByteArray("#") << "ddrs" << QByteArray("#\n\n=#\n");
}

void EditorWindowTest::roundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, keys);
    QFETCH(QByteArray, saved);
    const QString path = write(QStringLiteral("drawing.dis"), file);
    QAction* save = window_->findChild<QAction*>(QStringLiteral("Salva"));
    QVERIFY(window_->openFile(path));
    QCOMPARE(window_->windowTitle(), QStringLiteral("drawing.dis[*] – Tessaria – Editor di schemi"));
    QVERIFY(!save->isEnabled());
    // Ctrl+S with nothing changed writes nothing.
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(read(QStringLiteral("drawing.dis")), file);
    for (const QChar key : keys)
        press(key == QLatin1Char('r')     ? Qt::Key_Right
                : key == QLatin1Char('d') ? Qt::Key_Down
                                          : Qt::Key_Space);
    QVERIFY(save->isEnabled());
    QVERIFY(window_->isWindowModified());
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(errors_.isEmpty());
    QCOMPARE(read(QStringLiteral("drawing.dis")), saved);
    QVERIFY(!window_->isWindowModified());
    QVERIFY(!save->isEnabled());
    // Undone back to the file: an open of the saved file gives the same cells.
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(window_->isWindowModified());
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(read(QStringLiteral("drawing.dis")), file);
}

void EditorWindowTest::verdicts_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("budget");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<int>("open");
    QTest::addColumn<int>("differs");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<int>("problems"); // the checker's remarks listed

    QTest::newRow("line by line") << QByteArray("##\n#-\n") << 20000 << "Risolvibile riga per riga" << 0 << 0
                                  << "<b>Facile</b>: ogni riga e colonna si completa alla prima passata" << 0;
    QTest::newRow("line by line, in three passes")
        << QByteArray("-#####\n#-#-#-\n#-##--\n--##--\n#####-\n") << 20000 << "Risolvibile riga per riga" << 0
        << 0
        << "<b>Medio</b>: la riga 5 si completa solo alla passata 3: servono prima le altre righe e colonne"
        << 0;
    QTest::newRow("needs trial") << QByteArray("#--#\n-##-\n") << 20000 << "Unico, ma serve un tentativo" << 8
                                 << 0
                                 << "<b>Difficile</b>: serve tirare a indovinare (8 caselle restano aperte)"
                                 << 0;
    QTest::newRow("not unique") << QByteArray("-#\n#-\n") << 20000 << "Non unico" << 4 << 4 << "" << 0;
    QTest::newRow("undecided") << QByteArray("-#\n#-\n") << 1 << "Non deciso" << 4 << 0 << "" << 0;
    QTest::newRow("a stray character: listed")
        << QByteArray("##x\n#-\n") << 20000 << "Risolvibile riga per riga" << 0 << 0
        << "<b>Facile</b>: ogni riga e colonna si completa alla prima passata" << 1;
    QTest::newRow("no picture cell") << QByteArray("---\n") << 20000 << "Errore" << 0 << 0 << "" << 1;
    QTest::newRow("six runs in a row")
        << QByteArray("#-#-#-#-#-#\n") << 20000 << "Errore" << 0 << 0 << "" << 1;
}

void EditorWindowTest::verdicts()
{
    QFETCH(QByteArray, file);
    QFETCH(int, budget);
    QFETCH(QString, verdict);
    QFETCH(int, open);
    QFETCH(int, differs);
    QFETCH(QString, grade);
    QFETCH(int, problems);
    window_->checks().setNodeBudget(budget);
    QVERIFY(window_->openFile(write(QStringLiteral("v.dis"), file)));
    waitForVerdict();
    QCOMPARE(window_->verdict().verdictText(), verdict);
    QCOMPARE(window_->verdict().gradeText(), grade);
    const std::vector<bool>& openMarks = window_->grid().openMarks();
    const std::vector<bool>& differMarks = window_->grid().differMarks();
    QCOMPARE(int(std::count(openMarks.begin(), openMarks.end(), true)), open);
    QCOMPARE(int(std::count(differMarks.begin(), differMarks.end(), true)), differs);
    // Rows with more than five runs (their clue areas are marked), and the checker's remarks.
    const editor::OverfullLines overfull = editor::overfullLines(window_->document().puzzle());
    QCOMPARE(int(std::count(overfull.rows.begin(), overfull.rows.end(), true)),
        file.startsWith("#-#-#-#-#-#") ? 1 : 0);
    QCOMPARE(window_->verdict().problems().size(), problems);
    // A change drops the marks of the old drawing at once.
    press(Qt::Key_End);
    press(Qt::Key_Space);
    QVERIFY(window_->grid().openMarks().empty());
    QCOMPARE(window_->verdict().verdictText(), QStringLiteral("Controllo in corso…"));
    waitForVerdict();
}

void EditorWindowTest::suggestionIsAnUndoableChange()
{
    QVERIFY(window_->openFile(write(QStringLiteral("s.dis"), "#--#\n-##-\n")));
    waitForVerdict();
    QPushButton& button = window_->verdict().suggestionButton();
    QVERIFY(button.isVisible());
    // "##-#" over "-##-" is found line by line: row 1 holds 2 and 1 in four cells.
    QCOMPARE(window_->verdict().suggestionText(),
        QStringLiteral("Suggerimento: cambia la casella di riga 1, colonna 2"));
    QCOMPARE(window_->grid().suggestion(), std::optional<int>(1));
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(window_->document().filled(1));
    waitForVerdict();
    QCOMPARE(window_->verdict().verdictText(), QStringLiteral("Risolvibile riga per riga"));
    QVERIFY(!button.isVisible());
    QCOMPARE(window_->verdict().suggestionText(), QString());
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!window_->document().filled(1));
    QVERIFY(!window_->isWindowModified());
}

// A picture of grey levels 50, 100, 150, 200 over a black row, a .non puzzle and a text grid,
// imported onto a drawing whose first cell is painted; then undone.
void EditorWindowTest::import_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // empty: the grey picture
    QTest::addColumn<int>("threshold"); // 0: the dialog's default
    QTest::addColumn<bool>("invert");
    QTest::addColumn<QStringList>("after");

    const QStringList none {"--------", "--------", "--------"};
    QTest::newRow("picture at the default threshold")
        << "grey.png" << QByteArray() << 0 << false << QStringList {"##------", "####----", "--------"};
    QTest::newRow("picture, threshold 75")
        << "grey.png" << QByteArray() << 75 << false << QStringList {"#-------", "####----", "--------"};
    QTest::newRow("picture inverted")
        << "grey.png" << QByteArray() << 0 << true << QStringList {"##------", "--------", "--------"};
    QTest::newRow(".non puzzle") << "p.non" << QByteArray("width 2\nheight 2\nrows\n2\n1\ncolumns\n1\n2\n")
                                 << 0 << false << QStringList {"##------", "-#------", "--------"};
    QTest::newRow("text grid") << "t.txt" << QByteArray(".X.\nXXX\n") << 0 << false
                               << QStringList {"-#------", "###-----", "--------"};
}

void EditorWindowTest::import()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, threshold);
    QFETCH(bool, invert);
    QFETCH(QStringList, after);
    QString path = dir_.filePath(name);
    if (bytes.isEmpty()) {
        QImage grey(4, 2, QImage::Format_Grayscale8);
        const int levels[] = {50, 100, 150, 200};
        for (int x = 0; x < 4; ++x) {
            grey.setPixel(x, 0, qRgb(levels[x], levels[x], levels[x]));
            grey.setPixel(x, 1, qRgb(0, 0, 0));
        }
        QVERIFY(grey.save(path));
    } else {
        path = write(name, bytes);
    }
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    press(Qt::Key_Space); // row 3, column 1: cleared by the import
    window_->setDialogs({{}, {},
        [&](editor::ImportDialog& dialog) {
            if (threshold > 0)
                dialog.threshold().setValue(threshold);
            if (invert)
                dialog.invert().setChecked(true);
            return true;
        },
        {}});
    const QStringList before = picture(3);
    QVERIFY(window_->importFile(path));
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(QLatin1Char('\n'))));
    QCOMPARE(picture(3), after);
    QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(picture(3), before);
}

void EditorWindowTest::filesThatCannotBeOpened_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // written unless empty
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("language"); // empty: Italian

    // The cause in the chosen language; a cause without a word of its own in the library's.
    QTest::newRow("missing") << "nothing.dis" << QByteArray() << "non esiste"
                             << "";
    QTest::newRow("missing, in English") << "nothing.dis" << QByteArray() << "does not exist"
                                         << "english";
    QTest::newRow("binary") << "binary.dis" << QByteArray("#-\0\x01\x02", 5) << "contiene dati binari"
                            << "";
    QTest::newRow("too large") << "large.dis" << QByteArray(1024 * 1024 + 1, '-') << "è troppo grande"
                               << "";
    QTest::newRow("a folder") << "" << QByteArray() << "non è un file"
                              << "";
    QTest::newRow("import: no picture") << "import:fake.png" << QByteArray("just text") << "non è un'immagine"
                                        << "";
    QTest::newRow("import: no picture, in 中文")
        << "import:fake.png" << QByteArray("just text") << "不是可以读取的图片"
        << "中文";
    QTest::newRow("import: bad .non")
        << "import:bad.non" << QByteArray("width 2\n") << "the key height is missing"
        << "";
    QTest::newRow("import: missing") << "import:gone.txt" << QByteArray() << "non esiste"
                                     << "";
}

void EditorWindowTest::filesThatCannotBeOpened()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, cause);
    QFETCH(QString, language);
    if (!language.isEmpty())
        window_->chooseLanguage(
            QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/") + language + QStringLiteral(".lng"));
    press(Qt::Key_Space);
    const std::string drawing = window_->document().bytes();
    const bool import = name.startsWith(QStringLiteral("import:"));
    name.remove(QStringLiteral("import:"));
    const QString path = bytes.isEmpty() ? dir_.filePath(name) : write(name, bytes);
    QVERIFY(import ? !window_->importFile(path) : !window_->openFile(path));
    QCOMPARE(errors_.size(), 1);
    QVERIFY2(errors_.front().startsWith(path + QStringLiteral(": ")), qPrintable(errors_.front()));
    QVERIFY2(errors_.front().contains(cause), qPrintable(errors_.front()));
    QCOMPARE(window_->document().bytes(), drawing);
    QVERIFY(window_->isWindowModified());
}

void EditorWindowTest::failedSaveKeepsTheChanges()
{
    press(Qt::Key_Space);
    nextFileName_ = dir_.filePath(QStringLiteral("no such folder/a.dis"));
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(errors_.size(), 1);
    QCOMPARE(errors_.front(), nextFileName_ + QStringLiteral(": la cartella non esiste"));
    QVERIFY(window_->isWindowModified());
    QVERIFY(window_->windowTitle().startsWith(QStringLiteral("senza nome.dis[*]")));
    // The first save asks for a name; the file then holds the drawing.
    nextFileName_ = dir_.filePath(QStringLiteral("a.dis"));
    QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!window_->isWindowModified());
    QCOMPARE(read(QStringLiteral("a.dis")).left(23), QByteArray("#--------------------\n-"));
}

// A scheme opened from a folder the teacher cannot write (the shipped ones) is not saved in
// place: Save asks for a name, starting in the administrators' shared folder when that one is
// writable, else in the game's scheme folder. Root's override of file permissions is dropped,
// so that the folders are judged as a teacher's account would find them.
void EditorWindowTest::saveAsFromAFolderThatCannotBeWritten_data()
{
    QTest::addColumn<bool>("sharedWritable");
    QTest::newRow("the shared folder is writable") << true;
    QTest::newRow("the shared folder is read-only") << false;
}

void EditorWindowTest::saveAsFromAFolderThatCannotBeWritten()
{
    QFETCH(bool, sharedWritable);
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("shipped")));
    const QString shipped = write(QStringLiteral("shipped/gatto.dis"), "##\n#-\n");
    const QString shared = dir_.filePath(QStringLiteral("shared"));
    QVERIFY(QDir().mkpath(shared));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile::setPermissions(QFileInfo(shipped).path(), readOnly));
    if (!sharedWritable)
        QVERIFY(QFile::setPermissions(shared, readOnly));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(QFileInfo(shipped).path(), readOnly | QFileDevice::WriteOwner);
        QFile::setPermissions(shared, readOnly | QFileDevice::WriteOwner);
    });
    window_->setSharedFolder(shared);
    QVERIFY(window_->openFile(shipped));
    press(Qt::Key_Space);
    nextFileName_ = shared + QStringLiteral("/gatto.dis");
    {
        const enginetest::WithoutReadOverride asAnyUser;
        QTest::keyClick(window_.get(), Qt::Key_S, Qt::ControlModifier);
    }
    QCOMPARE(savesAsked_, 1);
    QCOMPARE(askedFolder_,
        sharedWritable ? shared
                       : QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("schemi")));
    QCOMPARE(read(QStringLiteral("shipped/gatto.dis")), QByteArray("##\n#-\n"));
    if (sharedWritable) {
        QCOMPARE(read(QStringLiteral("shared/gatto.dis")), QByteArray("-#\n#-\n"));
        QVERIFY(!window_->isWindowModified());
    }
}

void EditorWindowTest::unsavedChangesAreAskedFor()
{
    press(Qt::Key_Space);
    keepAnswer_ = QMessageBox::Cancel;
    QTest::keyClick(window_.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(asked_, 1);
    QVERIFY(window_->document().filled(0));
    QVERIFY(!window_->close());
    QCOMPARE(asked_, 2);
    keepAnswer_ = QMessageBox::Discard;
    QTest::keyClick(window_.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(asked_, 3);
    QVERIFY(!window_->document().filled(0));
    QVERIFY(!window_->isWindowModified());
}

// The worksheet of the drawing as a PDF or printed (here through QPrinter into a PDF file):
// one page, or two with the solution.
void EditorWindowTest::worksheet_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("failure");
    QTest::newRow("worksheet") << "SchedaPdf" << 1 << ": la cartella non esiste";
    QTest::newRow("with the solution") << "SchedaPdfSoluzione" << 2 << ": la cartella non esiste";
    QTest::newRow("printed") << "Stampa" << 1 << ": la stampa non è riuscita";
    QTest::newRow("printed with the solution") << "StampaSoluzione" << 2 << ": la stampa non è riuscita";
}

void EditorWindowTest::worksheet()
{
    QFETCH(QString, action);
    QFETCH(int, pages);
    QFETCH(QString, failure);
    QVERIFY(window_->openFile(write(QStringLiteral("w.dis"), "##\n#-\n")));
    nextFileName_ = dir_.filePath(QStringLiteral("w.pdf"));
    window_->findChild<QAction*>(action)->trigger();
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(QLatin1Char('\n'))));
    const QByteArray pdf = read(QStringLiteral("w.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(int(pdf.count("/Type /Page\n")), pages);
    // A single sheet has no title (the name would give the picture away); the name heads the
    // solution page. The words follow the language chosen, Italian without a file.
    QCOMPARE(window_->worksheetSheet().title, std::string());
    QCOMPARE(window_->worksheetSheet().name, std::string("w"));
    QCOMPARE(editor::worksheetWords().solution, std::string("Soluzione"));
    window_->chooseLanguage(QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/english.lng"));
    QCOMPARE(editor::worksheetWords().name, std::string("Name"));
    QCOMPARE(editor::worksheetWords().solution, std::string("Solution"));
    window_->chooseLanguage(QString());
    QCOMPARE(editor::worksheetWords().name, std::string("Nome"));
    // A folder that does not exist: the error names the file.
    nextFileName_ = dir_.filePath(QStringLiteral("none/w.pdf"));
    window_->findChild<QAction*>(action)->trigger();
    QCOMPARE(errors_.size(), 1);
    QVERIFY2(errors_.front().startsWith(nextFileName_ + failure), qPrintable(errors_.front()));
}

// Printing through the print dialog on a real spooler: a cupsd of the test's own whose default
// queue is a cups-pdf printer gets the worksheet and its solution, two pages.
void EditorWindowTest::printsOnASpooler()
{
    if (!cups_->start())
        QSKIP(qPrintable(QStringLiteral("CUPS cannot be started here: ") + cups_->reason()));
    const auto stop = qScopeGuard([this] { cups_->stop(); });
    QVERIFY2(cups_->addDefaultPdfQueue(), qPrintable(cups_->reason()));
    QVERIFY(window_->openFile(write(QStringLiteral("p.dis"), "##\n#-\n")));
    // The dialog accepts only the private queue, never a printer of the machine.
    window_->setDialogs({{}, {}, {}, [](QPrinter& printer) {
                             return printer.outputFormat() == QPrinter::NativeFormat
                                 && printer.printerName() == PrivateCups::Queue;
                         }});
    QVERIFY(window_->printWorksheet(true));
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join(QLatin1Char('\n'))));
    QTRY_VERIFY2_WITH_TIMEOUT(
        !cups_->pdfs().isEmpty() && cups_->idle(), qPrintable(cups_->errorLog()), 120000);
    QCOMPARE(cups_->pdfs().size(), 1);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {cups_->pdfs().first()});
    QVERIFY2(info.waitForFinished(60000) && info.exitCode() == 0,
        "pdfinfo failed (scripts/deps.sh installs poppler-utils)");
    QVERIFY2(
        QString::fromLocal8Bit(info.readAllStandardOutput())
            .contains(QRegularExpression(QStringLiteral("^Pages: +2$"), QRegularExpression::MultilineOption)),
        "the printed worksheet does not have two pages");
}

// Every language of lingue.txt names each of the editor's parts that Italian names (a missing
// key fails); choosing one rewrites menus, actions, title and verdict, and Italian comes back
// without a file.
void EditorWindowTest::shippedLanguageFiles_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("verdict");

    struct Expected {
        const char* open;
        const char* title;
        const char* verdict;
    };
    const QHash<QString, Expected> expected {
        {u"english"_s, {"&Open…", "untitled.dis[*] – Tessaria – Scheme editor", "Solvable line by line"}},
        {u"deutsch"_s, {"Ö&ffnen…", "unbenannt.dis[*] – Tessaria – Rätsel-Editor", "Zeile für Zeile lösbar"}},
        {u"français"_s,
            {"&Ouvrir…", "sans titre.dis[*] – Tessaria – Éditeur de grilles", "Soluble ligne par ligne"}},
        {u"español"_s,
            {"&Abrir…", "sin título.dis[*] – Tessaria – Editor de esquemas", "Resoluble fila a fila"}},
        {u"italiano"_s,
            {"&Apri…", "senza nome.dis[*] – Tessaria – Editor di schemi", "Risolvibile riga per riga"}},
        {u"română"_s,
            {"&Deschide…", "fără nume.dis[*] – Tessaria – Editor de desene", "Se rezolvă rând cu rând"}},
        {u"shqip"_s,
            {"&Hap…", "pa emër.dis[*] – Tessaria – Redaktori i skemave", "Zgjidhet rresht pas rreshti"}},
        {u"العربية"_s, {"&فتح…", "بدون اسم.dis[*] – Tessaria – محرر الرسوم", "يحل صفًا بصف"}},
        {u"中文"_s, {"打开(&O)…", "未命名.dis[*] – Tessaria – 图案编辑器", "可以逐行解出"}},
        {u"українська"_s,
            {"&Відкрити…", "без назви.dis[*] – Tessaria – Редактор схем", "Розв'язується рядок за рядком"}},
    };
    QFile list(QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/lingue.txt"));
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    int rows = 0;
    for (const QString& line : QString::fromUtf8(list.readAll()).split(u'\n')) {
        const QString language = line.trimmed();
        if (language.isEmpty())
            continue;
        const Expected words = expected.value(language, {"", "", ""});
        QTest::newRow(language.toUtf8().constData())
            << language << QString::fromUtf8(words.open) << QString::fromUtf8(words.title)
            << QString::fromUtf8(words.verdict);
        ++rows;
    }
    QCOMPARE(rows, 10);
}

void EditorWindowTest::shippedLanguageFiles()
{
    QFETCH(QString, language);
    QFETCH(QString, open);
    QFETCH(QString, title);
    QFETCH(QString, verdict);
    const QString path
        = QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/") + language + QStringLiteral(".lng");

    // The keys of the editor's parts, as the Italian file names them.
    QFile italian(QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/italiano.lng"));
    QVERIFY(italian.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList keys;
    for (const QString& line : QString::fromUtf8(italian.readAll()).split(u'\n'))
        if (line.startsWith(u"Editor."))
            keys << line.section(u'=', 0, 0);
    QCOMPARE(keys.size(), 68);
    const lang::IniFile file(path);
    for (const QString& key : keys)
        QVERIFY2(!file.value(u"Translations", key).isEmpty(), qPrintable(language + u": "_s + key));
    QVERIFY2(!open.isEmpty(), "a language of lingue.txt without a row of expected words");

    QVERIFY(window_->openFile(write(QStringLiteral("l.dis"), "##\n#-\n")));
    waitForVerdict();
    window_->chooseLanguage(path);
    QCOMPARE(window_->findChild<QAction*>(QStringLiteral("Apri"))->text(), open);
    // Within the menu bar and within each menu, no two captions share an Alt key.
    const auto clash = [](const QList<QAction*>& actions) {
        QHash<QString, QString> seen; // the Alt key, the caption that has it
        for (const QAction* action : actions) {
            const QString key = QKeySequence::mnemonic(action->text()).toString();
            if (key.isEmpty())
                continue;
            if (seen.contains(key))
                return seen.value(key) + u" / "_s + action->text();
            seen.insert(key, action->text());
        }
        return QString();
    };
    QCOMPARE(clash(window_->menuBar()->actions()), QString());
    for (const QMenu* menu : window_->menuBar()->findChildren<QMenu*>())
        QCOMPARE(clash(menu->actions()), QString());
    QCOMPARE(window_->verdict().verdictText(), verdict);
    window_->document().newScheme();
    QCOMPARE(window_->windowTitle(), title);
    window_->chooseLanguage(QString());
    QCOMPARE(window_->findChild<QAction*>(QStringLiteral("Apri"))->text(), QStringLiteral("&Apri…"));
}

QTEST_MAIN(EditorWindowTest)
#include "tst_editorwindow.moc"
