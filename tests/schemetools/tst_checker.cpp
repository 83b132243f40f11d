// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of checking: the engine's clues read back on random drawings, one golden case per
// problem kind and verdict, the JSON form, the walk through folders and the shipped schemes.
#include "checker.h"
#include "filescan.h"
#include "report.h"

#include "asanyuser.h"
#include "drawing.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QTest>

#include <sys/stat.h>

using namespace schemetools;

class CheckerTest : public QObject {
    Q_OBJECT

private slots:
    void engineCluesMatchTheDrawing();
    void problems_data();
    void problems();
    void byteOrderMark();
    void notARegularFile();
    void jsonLines();
    void grade_data();
    void grade();
    void folderWalk();
    void whatChildrenCannotRead();
    void shippedSchemesAreUniqueLineByLine_data();
    void shippedSchemesAreUniqueLineByLine();

private:
    QTemporaryDir dir_;
};

void CheckerTest::engineCluesMatchTheDrawing()
{
    QRandomGenerator random(11);
    for (int round = 0; round < 300; ++round) {
        const int percent = int(random.bounded(10, 90));
        Bitmap drawing(GridSize, GridSize);
        for (int r = 0; r < GridSize; ++r) {
            for (int c = 0; c < GridSize; ++c)
                drawing.setFilled(r, c, int(random.bounded(100)) < percent);
        }
        const Puzzle puzzle = loadPuzzle(parseScheme(drawing.schemeText()));
        for (int i = 0; i < GridSize; ++i) {
            Clues row = drawing.rowClues(i);
            Clues column = drawing.columnClues(i);
            row.resize(std::min<size_t>(row.size(), 5));
            column.resize(std::min<size_t>(column.size(), 5));
            QCOMPARE(puzzle.rowClues[size_t(i)], row);
            QCOMPARE(puzzle.columnClues[size_t(i)], column);
            for (int k = 0; k < GridSize; ++k)
                QCOMPARE(puzzle.cell(i, k).visible,
                    !drawing.rowClues(i).empty() && !drawing.columnClues(k).empty());
        }
        QCOMPARE(puzzle.picture(), drawing);
    }
}

void CheckerTest::problems_data()
{
    // Expected problems: "error" or "warning", the file line (0: none), and the message.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("budget");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QStringList>("expected");

    const QString noProblems;
    const QByteArray row21 = QByteArray("#").repeated(21);
    QTest::newRow("unique line by line; a hole and = are fine")
        << "ok.dis" << enginetest::schemeFile({"#\xB0#", "#=#", "###"}) << 20000 << "unique-line"
        << QStringList();
    QTest::newRow("hidden cells are known empty: a diagonal between holes is unique")
        << "holes.dis" << enginetest::schemeFile({"#\xB0", "\xB0#"}) << 20000 << "unique-line"
        << QStringList();
    QTest::newRow("unique but needs trial") << "trial.dis" << enginetest::schemeFile({"#--#", "-##-"})
                                            << 20000 << "unique-trial" << QStringList();
    QTest::newRow("not unique") << "two.dis" << enginetest::schemeFile({"#-", "-#"}) << 20000 << "not-unique"
                                << QStringList();
    QTest::newRow("undecided within the budget")
        << "two.dis" << enginetest::schemeFile({"-#", "#-"}) << 1 << "undecided" << QStringList();
    QTest::newRow("six runs in a row")
        << "six.dis" << enginetest::schemeFile({"#-#-#-#-#-#", "###########"}) << 20000 << "error"
        << QStringList {"error:1:row 1 has 6 runs of picture cells, but a line shows at most five clues: the "
                        "window shows 1 1 1 1 1 and leaves out 1"};
    QTest::newRow("seven runs in a column")
        << "seven.dis"
        << enginetest::schemeFile(
               {"##", "-#", "##", "-#", "##", "-#", "##", "-#", "##", "-#", "##", "-#", "##"})
        << 20000 << "error"
        << QStringList {
               "error:0:column 1 has 7 runs of picture cells, but a line shows at most five clues: the "
               "window shows 1 1 1 1 1 and leaves out 1 1"};
    QTest::newRow("no picture cell")
        << "blank.dis" << enginetest::schemeFile({"---", "---"}) << 20000 << "error"
        << QStringList {
               "error:0:the drawing has no picture cell (#): the remaining counter starts at 0 and the "
               "game can never be finished"};
    QTest::newRow("a stray letter cuts clues")
        << "stray.dis" << enginetest::schemeFile({"##x#", "####"}) << 20000 << "error"
        << QStringList {
               "warning:1:row 1, column 3: 'x' is not one of # - ° =: it becomes a cell that takes no "
               "part in play, and the clues of its row and column stop before it; row 1 loses the clue 1; "
               "column 3 loses the clue 1",
               "error:0:the clues the window shows do not fit the drawing, so the child cannot work the "
               "picture "
               "out (see the characters above that stop the clues)"};
    const QString hidden = "its cell is hidden anyway, since its row or column has no picture cell";
    QTest::newRow("drawn with X and . as a text grid is: a hint to import it")
        << "grid.dis" << enginetest::schemeFile({"X.", "XX"}) << 20000 << "error"
        << QStringList {"warning:1:row 1, column 1: 'X' is not one of # - ° =: " + hidden,
               "warning:1:row 1, column 2: '.' is not one of # - ° =: " + hidden,
               "warning:2:row 2, column 1: 'X' is not one of # - ° =: " + hidden,
               "warning:2:row 2, column 2: 'X' is not one of # - ° =: " + hidden,
               "warning:0:the drawing is written with X and . as a text grid is, not with # and -: "
               "\"tessaria-schemi import FILE.txt -o NAME.dis\" turns a text grid into a scheme",
               "error:0:the drawing has no picture cell (#): the remaining counter starts at 0 and the "
               "game can never be finished"};
    QTest::newRow("a stray character in a dead line")
        << "dead.dis" << enginetest::schemeFile({"##", "x-"}) << 20000 << "unique-line"
        << QStringList {
               "warning:2:row 2, column 1: 'x' is not one of # - ° =: its cell is hidden anyway, since "
               "its row or column has no picture cell"};
    QTest::newRow("a NUL byte is named by its value")
        << "nul.dis" << QByteArray("##\n\0-\n", 6) << 20000 << "unique-line"
        << QStringList {
               "warning:2:row 2, column 1: the byte 0x00 is not one of # - ° =: its cell is hidden anyway, "
               "since its row or column has no picture cell"};
    QTest::newRow("a digit 1 is a picture cell the counter misses")
        << "one.dis" << enginetest::schemeFile({"#1", "##"}) << 20000 << "unique-line"
        << QStringList {
               "warning:1:row 1, column 2: '1' is not one of # - ° =: it is read as a picture cell, but "
               "the remaining counter does not count it, so the game ends before the whole picture is "
               "found (write '#')"};
    QTest::newRow("characters after column 21; blanks there and a UTF-8 degree sign are no content")
        << "long.dis"
        << enginetest::schemeFile({(row21.left(20) + "\xC2\xB0   ").constData(), (row21 + "  x").constData()})
        << 20000 << "unique-line"
        << QStringList {"warning:2:line 2 has more than 21 characters: those after the 21st are ignored"};
    QByteArray tooMany;
    for (int line = 0; line < 22; ++line)
        tooMany += row21 + "\n";
    QTest::newRow("lines after line 21")
        << "many.dis" << tooMany << 20000 << "unique-line"
        << QStringList {"warning:22:the file goes on after line 21 (from line 22): "
                        "the grid has 21 rows, the rest is ignored"};
    QTest::newRow("blank lines after line 21 are no content")
        << "blank-end.dis" << QByteArray(QByteArray("#\n").repeated(21) + "\n  \n\r\n") << 20000
        << "unique-line" << QStringList();
    QTest::newRow("a lone carriage return; CR LF is fine")
        << "cr.dis" << QByteArray("#\r#\r\n##\r\n") << 20000 << "unique-line"
        << QStringList {
               "warning:1:line 1 holds a carriage return (CR) that does not end the line: it is dropped"};
    QTest::newRow("a name in capitals")
        << "HOUSE.DIS" << enginetest::schemeFile({"#"}) << 20000 << "error"
        << QStringList {"error:0:the scheme list shows this file but does not load "
                        "it: the name must end in \".dis\" in small letters"};
}

void CheckerTest::problems()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    QFETCH(int, budget);
    QFETCH(QString, verdict);
    QFETCH(QStringList, expected);
    const std::string path = enginetest::writeFile(dir_, name, file);
    const CheckResult result = checkFile(path, CheckOptions {budget});
    QStringList problems;
    for (const Problem& p : result.problems)
        problems << QStringLiteral("%1:%2:%3")
                        .arg(p.severity == Severity::Error ? "error" : "warning")
                        .arg(p.fileLine)
                        .arg(QString::fromStdString(p.message));
    QCOMPARE(problems, expected);
    QCOMPARE(QString::fromStdString(verdictKey(result.verdict)), verdict);
    QCOMPARE(result.second.empty(), verdict != "not-unique");
    if (!result.second.empty()) {
        // Another picture, with the same clues.
        std::string second;
        for (const std::string& row : result.second)
            second += row + "\n";
        QVERIFY(second != file.toStdString());
        const Puzzle drawn = loadPuzzle(parseScheme(file.toStdString()));
        const Puzzle other = loadPuzzle(parseScheme(second));
        QVERIFY(drawn.rowClues == other.rowClues && drawn.columnClues == other.columnClues);
    }
    // The same bytes checked from memory agree, but for the problems of the file's name.
    if (name.endsWith(".dis"))
        QCOMPARE(verdictKey(checkBytes(path, file.toStdString(), CheckOptions {budget}).verdict),
            verdictKey(result.verdict));
}

void CheckerTest::byteOrderMark()
{
    const std::string path = enginetest::writeFile(dir_, "bom.dis", "\xEF\xBB\xBF#-#\n###\n");
    const CheckResult result = checkFile(path);
    QVERIFY(!result.problems.empty());
    QCOMPARE(result.problems.front().message,
        std::string(
            "the file starts with a byte-order mark (an invisible mark some editors write): it is skipped"));
    // Split across the chunks of a scan the mark is still found, and only at the very start.
    FileScan scan;
    for (const char* chunk : {"\xEF", "\xBB", "\xBF#\n"})
        scan.feed(chunk);
    QCOMPARE(scan.finish().size(), size_t(1));
    for (const Problem& p : checkBytes("x", "#\n\xEF\xBB\xBF").problems)
        QVERIFY(p.message.find("byte-order") == std::string::npos);
}

void CheckerTest::notARegularFile()
{
    const QString path = dir_.filePath("pipe.dis");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const CheckResult result = checkFile(path.toStdString());
    QCOMPARE(result.verdict, Verdict::Error);
    QCOMPARE(result.problems.size(), size_t(1));
    QCOMPARE(result.problems[0].message,
        std::string("not a regular file (a folder, a device or a pipe): the scheme list cannot load it"));
    const CheckResult missing = checkFile(dir_.filePath("gone.dis").toStdString());
    QVERIFY(missing.unreadable);
}

void CheckerTest::jsonLines()
{
    CheckResult result = checkBytes("a \"b\".dis", "-#\n#-\n");
    QCOMPARE(jsonReport(result),
        std::string(R"({"file":"a \"b\".dis","verdict":"not-unique","problems":[],"second":["#-","-#"]})"
                    "\n"));
    result = checkBytes("cr.dis", "#\r#\n");
    QCOMPARE(jsonReport(result),
        std::string(
            R"({"file":"cr.dis","verdict":"unique-line","problems":[{"severity":"warning","message":)"
            R"("line 1 holds a carriage return (CR) that does not end the line: it is dropped","line":1}],)"
            R"("grade":"easy","gradeReason":"every line is complete within 1 pass over the rows and columns"})"
            "\n"));
    QCOMPARE(jsonString("\t\xC3\xA9\xFF"), std::string("\"\\u0009\xC3\xA9\\ufffd\""));
    // A surrogate and an overlong form are not UTF-8 either.
    QCOMPARE(
        jsonString("\xED\xA0\x80\xE0\x80\xAF"), std::string(R"("\ufffd\ufffd\ufffd\ufffd\ufffd\ufffd")"));
}

// The grade: the passes of line reasoning, the line complete last, or the guess.
void CheckerTest::grade_data()
{
    QTest::addColumn<QByteArray>("scheme");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("reason");

    QTest::newRow("two passes") << enginetest::schemeFile({"#-#-", "##-#", "----", "-#--", "-##-", "##-#"})
                                << "easy"
                                << "every line is complete within 2 passes over the rows and columns";
    QTest::newRow("three passes")
        << enginetest::schemeFile({"-#####", "#-#-#-", "#-##--", "--##--", "#####-"}) << "medium"
        << "row 5 is complete only in pass 3 over the rows and columns: it needs what the other lines reveal "
           "first";
    QTest::newRow("four passes: still medium")
        << enginetest::schemeFile({"-##-", "--##", "#--#", "-###", "-##-", "##--"}) << "medium"
        << "row 4 is complete only in pass 4 over the rows and columns: it needs what the other lines reveal "
           "first";
    QTest::newRow("five passes") << enginetest::schemeFile({"-#-#", "#---", "##--", "-#--", "-#-#", "--#-"})
                                 << "hard"
                                 << "column 3 is complete only in pass 5 over the rows and columns: it needs "
                                    "what the other lines reveal first";
    QTest::newRow("a guess") << enginetest::schemeFile({"#--#", "-##-"}) << "hard"
                             << "needs a guess: reasoning line by line leaves 8 cells open";
    QTest::newRow("not unique: no grade") << enginetest::schemeFile({"-#", "#-"}) << ""
                                          << "";
}

void CheckerTest::grade()
{
    QFETCH(QByteArray, scheme);
    QFETCH(QString, grade);
    QFETCH(QString, reason);
    const CheckResult result = checkBytes("g.dis", scheme.toStdString());
    QCOMPARE(QString::fromStdString(result.grade ? gradeKey(result.grade->level) : ""), grade);
    QCOMPARE(QString::fromStdString(result.grade ? result.grade->reason : ""), reason);
}

void CheckerTest::folderWalk()
{
    const QTemporaryDir dir;
    const QTemporaryDir elsewhere;
    for (const char* name : {"b.dis", "A.DIS", "notes.txt", ".hidden.dis", ".secret/x.dis", "sub/c.dis"})
        enginetest::writeFile(dir, name, "#\n");
    enginetest::writeFile(elsewhere, "x.dis", "#\n");
    // A shared folder reached through a link, as the scheme list reaches it, and links back up
    // the tree that would walk for ever.
    QVERIFY(QFile::link(elsewhere.path(), dir.filePath("scuola")));
    QVERIFY(QFile::link(dir.path(), dir.filePath("sub/up")));
    QVERIFY(QFile::link(dir.filePath("scuola"), elsewhere.filePath("again")));
    for (const QTemporaryDir* folder : {&dir, &elsewhere})
        QVERIFY(QFile::setPermissions(folder->path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    const std::string root = dir.path().toStdString();
    const SchemePaths found = collectSchemes({root, root + "/notes.txt", root + "/none"});
    QCOMPARE(found.files,
        (std::vector<std::string> {root + "/A.DIS", root + "/b.dis", root + "/scuola/x.dis",
            root + "/sub/c.dis", root + "/notes.txt"}));
    QCOMPARE(found.missing, std::vector<std::string> {root + "/none"});
    QVERIFY(found.folders.empty());
}

// What a child's account cannot read is said, also when the check runs as root.
void CheckerTest::whatChildrenCannotRead()
{
    const QTemporaryDir dir;
    for (const char* name : {"shared/fine.dis", "shared/private.dis", "shared/locked.dis",
             "shared/closed/a.dis", "shared/teacher/b.dis"})
        enginetest::writeFile(dir, name, "#\n");
    const auto setMode = [&dir](const char* name, QFile::Permissions mode) {
        QVERIFY(QFile::setPermissions(dir.filePath(name), mode));
    };
    const QFile::Permissions owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    setMode("shared", owner | QFile::ReadOther | QFile::ExeOther);
    setMode("shared/private.dis", QFile::ReadOwner | QFile::WriteOwner);
    setMode("shared/locked.dis", {});
    setMode("shared/closed", {});
    setMode("shared/teacher", owner);
    const std::string shared = dir.filePath("shared").toStdString();

    const enginetest::WithoutReadOverride asAnyUser;
    const SchemePaths found = collectSchemes({shared});
    QCOMPARE(found.files,
        (std::vector<std::string> {shared + "/fine.dis", shared + "/locked.dis", shared + "/private.dis",
            shared + "/teacher/b.dis"}));
    QCOMPARE(found.folders.size(), size_t(3));
    QVERIFY(found.hasUnreadableFolder());
    QCOMPARE(textReport(found.folders[0]) + textReport(found.folders[1]) + textReport(found.folders[2]),
        shared
            + "/closed: warning: other users may not read or enter this folder: children may not be able to "
              "open its schemes\n"
            + shared + "/closed: error: cannot be read: File access denied\n" + shared
            + "/teacher: warning: other users may not read or enter this folder: children may not be able to "
              "open its schemes\n");

    const CheckResult locked = checkFile(shared + "/locked.dis");
    QVERIFY(locked.unreadable);
    QCOMPARE(locked.problems.back().message, std::string("cannot be read: File access denied"));
    const CheckResult own = checkFile(shared + "/private.dis");
    QCOMPARE(own.problems.size(), size_t(1));
    QCOMPARE(own.problems[0].message,
        std::string("other users may not read this file: children may not be able to open it"));
    QVERIFY(checkFile(shared + "/fine.dis").problems.empty());
}

void CheckerTest::shippedSchemesAreUniqueLineByLine_data()
{
    QTest::addColumn<QString>("path");
    QDirIterator it(QStringLiteral(TESSARIA_SOURCE_DIR "/schemi"), {QStringLiteral("*.dis")}, QDir::Files,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QTest::newRow(qPrintable(path.section('/', -2))) << path;
    }
}

void CheckerTest::shippedSchemesAreUniqueLineByLine()
{
    QFETCH(QString, path);
    const CheckResult result = checkFile(path.toStdString());
    QVERIFY2(result.problems.empty(), qPrintable(QString::fromStdString(textReport(result))));
    QCOMPARE(QString::fromStdString(verdictKey(result.verdict)), QStringLiteral("unique-line"));
}

QTEST_GUILESS_MAIN(CheckerTest)
#include "tst_checker.moc"
