// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of scheme loading: the drawing read into the cell marks, dead lines, the counter,
// the reset, picks that load nothing and read failures.
#include "asanyuser.h"
#include "drawing.h"
#include "schemefile.h"

#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <span>

using namespace engine;
using namespace enginetest;

class LoadingTest : public QObject {
    Q_OBJECT

private slots:
    void loads_data();
    void loads();
    void lineEndingsLoadTheSameBoard_data();
    void lineEndingsLoadTheSameBoard();
    void parserIgnoresChunkBoundaries_data();
    void parserIgnoresChunkBoundaries();
    void readsToTheEnd_data();
    void readsToTheEnd();
    void loadResetsBoardAndRestartsTimer();
    void picksThatLoadNothing_data();
    void picksThatLoadNothing();
    void failures_data();
    void failures();
    void markGenerators_data();
    void markGenerators();

private:
    QTemporaryDir dir_;
};

namespace {

QByteArray repeated(const char* text, int times)
{
    return QByteArray(text).repeated(times);
}

// Brings a board into play: a small scheme loaded, one picture cell found, one clue ticked.
// Returns the marks of the board at that point.
QByteArray startGame(const QTemporaryDir& dir, MemoryBoard& board, Game& game)
{
    game.pick(writeFile(dir, "start.dis", schemeFile({"#-#", "###"})));
    game.cellClick(cell(2, 2));
    game.clueSlotClick(rowClueSlot(1, 5));
    return marksDrawing(board);
}

} // namespace

void LoadingTest::loads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("marks");
    QTest::addColumn<int>("remaining");

    QTest::newRow("blank and filled marks") << schemeFile({"#-#", "-#-"}) << grid({"101", "010"}) << 3;
    QTest::newRow("a short line hides the rest of its row; a dead column is emptied")
        << schemeFile({"#-#"}) << grid({"1.1"}) << 2;
    QTest::newRow("the last line needs no line end") << QByteArray("#-#\n-#-") << grid({"101", "010"}) << 3;
    QTest::newRow("empty file") << QByteArray() << grid({}) << 0;
    QTest::newRow("dashes only: every line is dead") << schemeFile({"-----", "-----"}) << grid({}) << 0;
    QTest::newRow("30-character line: only the first 21 count")
        << schemeFile({"#-#-#-#-#-#-#-#-#-#-#########", "#####################"})
        << grid({"101010101010101010101", "111111111111111111111"}) << 32;
    QTest::newRow("40-line file: lines 22 to 40 change nothing")
        << QByteArray(repeated("#-\n", 21) + repeated("##########\n", 19))
        << QByteArray("1" + QByteArray(20, '.') + "\n").repeated(21) << 21;
    QTest::newRow("UTF-8 degree sign is one hole")
        << schemeFile({"#\xC2\xB0#", "###"}) << grid({"1.1", "111"}) << 5;
    QTest::newRow("UTF-8 degree sign in column 21")
        << schemeFile({"####################\xC2\xB0#", "#####################"})
        << grid({"11111111111111111111.", "111111111111111111111"}) << 41;
    QTest::newRow("0xC2 before another byte is a mark")
        << schemeFile({"#\xC2x", "###"}) << grid({"1\xC2x", "111"}) << 4;
    QTest::newRow("0xC2 at the end of a line is a mark")
        << schemeFile({"#\xC2", "##"}) << grid({"1\xC2", "11"}) << 3;
    QTest::newRow("0xC2 before CR LF is a mark")
        << schemeFile({"#\xC2", "##"}, "\r\n") << grid({"1\xC2", "11"}) << 3;
    QTest::newRow("0xC2 at the end of the file is a mark")
        << QByteArray("##\n#\xC2") << grid({"11", "1\xC2"}) << 3;
    QTest::newRow("0xC2 0xC2 0xB0 is a mark and a hole")
        << schemeFile({"#\xC2\xC2\xB0#", "#####"}) << grid({"1\xC2.1.", "11111"}) << 7;
    QTest::newRow("\"=\" leaves the cell hidden") << schemeFile({"#=#", "###"}) << grid({"1.1", "111"}) << 5;
    QTest::newRow("\"1\" instead of \"#\" is filled but not counted")
        << schemeFile({"1-#", "#1#"}) << grid({"101", "111"}) << 3;
    QTest::newRow("a byte-order mark at the start is skipped")
        << QByteArray("\xEF\xBB\xBF#-#\r\n-#-\r\n") << grid({"101", "010"}) << 3;
    QTest::newRow("a byte-order mark before a degree sign is skipped")
        << QByteArray("\xEF\xBB\xBF\xC2\xB0#\n##\n") << grid({".1", "11"}) << 3;
    QTest::newRow("a byte-order mark later in the file is three marks")
        << schemeFile({"####", "\xEF\xBB\xBF#"}) << grid({"1111", "\xEF\xBB\xBF\x31"}) << 5;
    QTest::newRow("a second byte-order mark is three marks")
        << schemeFile({"\xEF\xBB\xBF\xEF\xBB\xBF#", "####"}) << grid({"\xEF\xBB\xBF\x31", "1111"}) << 5;
    QTest::newRow("the start of a byte-order mark keeps its bytes")
        << schemeFile({"\xEF\xBB#", "###"}) << grid({"\xEF\xBB\x31", "111"}) << 4;
    QTest::newRow("0xEF before a degree sign is a mark")
        << schemeFile({"\xEF\xC2\xB0#", "###"}) << grid({"\xEF.1", "111"}) << 4;
    QTest::newRow("digits 2 to 9 are marks; only \"#\" counts")
        << schemeFile({"#23456789", "#32547698"}) << grid({"123456789", "132547698"}) << 2;
    QTest::newRow("digits alone keep their lines alive")
        << schemeFile({"32", "45"}) << grid({"32", "45"}) << 0;
    QTest::newRow("other characters are marks as they stand")
        << schemeFile({"# a2", "####"}) << grid({"1 a2", "1111"}) << 5;
    QTest::newRow("NUL bytes are marks as they stand")
        << QByteArray("#\0\n\0#\n", 6) << QByteArray(grid({"1@", "@1"})).replace('@', '\0') << 2;
    // clang-format off
    QTest::newRow("64-cell rectangle: every other line is dead")
        << schemeFile({
            "---------------------",
            "---------------------",
            "----########---------",
            "----#------#---------",
            "----#------#---------",
            "----#--##--#---------",
            "----#--##--#---------",
            "----#------#---------",
            "----#------#---------",
            "----########---------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
            "---------------------",
        })
        << grid({
            "",
            "",
            "....11111111",
            "....10000001",
            "....10000001",
            "....10011001",
            "....10011001",
            "....10000001",
            "....10000001",
            "....11111111",
        })
        << 32;
    // clang-format on
}

void LoadingTest::loads()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, marks);
    QFETCH(int, remaining);

    MemoryBoard board;
    Game game(board);
    game.pick(writeFile(dir_, "scheme.dis", file));

    COMPARE_DRAWING(marksDrawing(board), marks);
    QCOMPARE(game.remaining(), remaining);
    QCOMPARE(board.label4, std::to_string(remaining));
}

void LoadingTest::lineEndingsLoadTheSameBoard_data()
{
    QTest::addColumn<QByteArray>("file");
    const auto lines = {"-#-#-", "##=##", "#\xB0-\xB0#", "--#--"};
    QTest::newRow("CR LF") << schemeFile(lines, "\r\n");
    QTest::newRow("CR LF, no line end at the end") << schemeFile(lines, "\r\n").chopped(2);
    QTest::newRow("mixed LF and CR LF") << QByteArray("-#-#-\r\n##=##\n#\xB0-\xB0#\r\n--#--\n");
    QTest::newRow("a lone CR is dropped") << QByteArray("-#\r-#-\n##=##\r\r\n#\xB0-\xB0#\n--#--\r");
    QTest::newRow("UTF-8 degree signs")
        << schemeFile({"-#-#-", "##=##", "#\xC2\xB0-\xC2\xB0#", "--#--"}, "\r\n");
}

void LoadingTest::lineEndingsLoadTheSameBoard()
{
    QFETCH(QByteArray, file);
    MemoryBoard reference;
    Game referenceGame(reference);
    referenceGame.pick(writeFile(dir_, "lf.dis", schemeFile({"-#-#-", "##=##", "#\xB0-\xB0#", "--#--"})));
    QCOMPARE(marksDrawing(reference), grid({"01010", "11.11", "1.0.1", "00100"}));

    MemoryBoard board;
    Game game(board);
    game.pick(writeFile(dir_, "other.dis", file));
    COMPARE_DRAWING(marksDrawing(board), marksDrawing(reference));
    QCOMPARE(game.remaining(), referenceGame.remaining());
}

void LoadingTest::parserIgnoresChunkBoundaries_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("CR LF and UTF-8 degree signs") << QByteArray("#\xC2\xB0-\r\n\xC2\xC2\xB0#\r\n=\xB0x\xC2");
    QTest::newRow("long lines") << QByteArray(repeated("-#", 20) + "\r\n" + repeated("#", 30) + "\n#");
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF\xC2\xB0#\r\n-\xEF\xBB\xBF#");
    QTest::newRow("start of a byte-order mark") << QByteArray("\xEF\xBB\xC2\xB0\n\xEF\xBB");
    QTest::newRow("first byte of a byte-order mark at the end") << QByteArray("\xEF");
}

void LoadingTest::parserIgnoresChunkBoundaries()
{
    QFETCH(QByteArray, file);
    const auto drawingOf = [](const QByteArray& bytes, qsizetype split) {
        SchemeParser parser;
        parser.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(split)));
        parser.feed(
            std::string_view(bytes.constData() + split, static_cast<std::size_t>(bytes.size() - split)));
        return parser.finish();
    };
    const SchemeDrawing whole = drawingOf(file, 0);
    const auto compare = [&whole](const SchemeDrawing& parts, const QString& how) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            QVERIFY2(parts[i].kind == whole[i].kind && parts[i].mark == whole[i].mark,
                qPrintable(QStringLiteral("%1 changes cell %2").arg(how).arg(i + 1)));
        }
    };
    for (qsizetype split = 1; split < file.size(); ++split)
        compare(drawingOf(file, split), QStringLiteral("split at %1").arg(split));
    // One byte at a time: every boundary at once.
    SchemeParser bytewise;
    for (const char byte : file)
        bytewise.feed(std::string_view(&byte, 1));
    compare(bytewise.finish(), QStringLiteral("one byte at a time"));
}

void LoadingTest::readsToTheEnd_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("chunkSize");
    QTest::addColumn<int>("failAt"); // bytes served before the reader fails, -1: it never does
    QTest::addColumn<QString>("message");
    const QByteArray fortyLines = repeated("#-#\n", 40);
    QTest::newRow("a read failure after line 21") << fortyLines << 8 << 120 << "I/O error 5";
    QTest::newRow("a read failure just before the end") << fortyLines << 8 << 152 << "I/O error 5";
    QTest::newRow("a read failure inside line 21") << fortyLines << 8 << 80 << "I/O error 5";
    QTest::newRow("no failure: read to the end") << fortyLines << 8 << -1 << "";
    QTest::newRow("no failure: one chunk") << fortyLines << 4096 << -1 << "";
}

void LoadingTest::readsToTheEnd()
{
    QFETCH(QByteArray, file);
    QFETCH(int, chunkSize);
    QFETCH(int, failAt);
    QFETCH(QString, message);

    qsizetype served = 0;
    int endsSeen = 0;
    const ChunkReader reader = [&](std::span<char> buffer) -> std::size_t {
        if (served == failAt)
            throw IoError("I/O error 5");
        const qsizetype size
            = std::min({qsizetype(buffer.size()), qsizetype(chunkSize), file.size() - served});
        std::copy_n(file.constData() + served, size, buffer.data());
        served += size;
        endsSeen += size == 0 ? 1 : 0;
        return std::size_t(size);
    };
    QString raised;
    SchemeDrawing drawing;
    try {
        drawing = readScheme(reader);
    } catch (const IoError& error) {
        raised = QString::fromStdString(error.what());
    }
    QCOMPARE(raised, message);
    if (!message.isEmpty())
        return;
    // Read to its end and no further, and the drawing is that of the first 21 lines.
    QCOMPARE(served, file.size());
    QCOMPARE(endsSeen, 1);
    for (int n = 1; n <= CellCount; ++n) {
        const SchemeCell& cell = drawing[std::size_t(n - 1)];
        QCOMPARE(cell.kind, cellColumn(n) <= 3 ? SchemeChar::Mark : SchemeChar::Missing);
        if (cellColumn(n) <= 3)
            QCOMPARE(cell.mark, cellColumn(n) == 2 ? '-' : '#');
    }
}

void LoadingTest::loadResetsBoardAndRestartsTimer()
{
    MemoryBoard board;
    Game game(board);
    // A finished game: every cell disabled, the picture green.
    game.pick(writeFile(dir_, "one.dis", schemeFile({"#-", "-#"})));
    game.cellClick(cell(1, 2));
    game.cellClick(cell(1, 1));
    game.cellClick(cell(2, 2));
    game.timerTick();
    QCOMPARE(colorsDrawing(board), grid({"GB", "WG"}));

    board.timer1Calls.clear();
    game.pick(writeFile(dir_, "two.dis", schemeFile({"##", "#-"})));
    QCOMPARE(colorsDrawing(board), grid({"ww", "ww"}));
    QCOMPARE(marksDrawing(board), grid({"11", "10"}));
    QCOMPARE(board.timer1Calls, (std::vector<bool> {false, true}));
    QCOMPARE(board.label1, "0");
    QVERIFY(board.label2Visible);
    QCOMPARE(game.remaining(), 3);
    QCOMPARE(board.label4, "3");
}

void LoadingTest::picksThatLoadNothing_data()
{
    // What stands at the path: a scheme-like file, a folder, a FIFO, a link to a device, nothing.
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("kind");
    QTest::newRow("upper-case extension") << "SCHEME.DIS"
                                          << "file";
    QTest::newRow("mixed-case extension") << "scheme.Dis"
                                          << "file";
    QTest::newRow("another extension") << "scheme.dis.txt"
                                       << "file";
    QTest::newRow("no extension") << "dis"
                                  << "file";
    QTest::newRow("a folder") << "animali"
                              << "folder";
    QTest::newRow("a folder named like a scheme") << "folder.dis"
                                                  << "folder";
    QTest::newRow("a FIFO named like a scheme") << "pipe.dis"
                                                << "fifo";
    QTest::newRow("a link to a device named like a scheme") << "null.dis"
                                                            << "device";
    QTest::newRow("the parent folder entry") << ".."
                                             << "none";
    QTest::newRow("a dot in the folder, none in the name") << "x.dis/scheme"
                                                           << "file";
    QTest::newRow("nothing selected") << ""
                                      << "none";
}

void LoadingTest::picksThatLoadNothing()
{
    QFETCH(QString, entry);
    QFETCH(QString, kind);

    MemoryBoard board;
    Game game(board);
    const QByteArray marks = startGame(dir_, board, game);
    const QByteArray colors = colorsDrawing(board);
    QCOMPARE(game.remaining(), 4);
    QCOMPARE(board.at(rowClueSlot(1, 5)).color(), color::White);
    board.timer1Calls.clear();
    board.label1 = "17";

    // Entries that would load a different board (or never end) if they were taken for schemes.
    QTemporaryDir folder;
    const QString full = folder.filePath(entry);
    std::string path = entry.isEmpty() ? std::string() : full.toStdString();
    if (kind == "file")
        writeFile(folder, entry, schemeFile({"#####", "#####"}));
    else if (kind == "folder")
        QVERIFY(QDir(folder.path()).mkpath(entry));
    else if (kind == "fifo")
        QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    else if (kind == "device")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), full));
    game.pick(path);

    QCOMPARE(marksDrawing(board), marks);
    QCOMPARE(colorsDrawing(board), colors);
    QCOMPARE(game.remaining(), 4);
    QCOMPARE(board.label4, "4");
    QVERIFY(board.timer1Calls.empty());
    QCOMPARE(board.label1, "17");
    // The clues are derived again all the same: the tick is taken back.
    QCOMPARE(board.at(rowClueSlot(1, 5)).color(), color::Silver);
    QCOMPARE(cluesSummary(board, false), "1 1/3");

    // The counter still reaches 0 on this board.
    for (const int n : {cell(1, 1), cell(1, 3), cell(2, 1), cell(2, 3)})
        game.cellClick(n);
    QCOMPARE(board.label4, "0");
    QVERIFY(!board.at(cell(1, 1)).enabledFlag());
}

void LoadingTest::failures_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << "missing.dis"
                                  << "none"
                                  << "File not found";
    QTest::newRow("a file without read permission") << "locked.dis"
                                                    << "unreadable"
                                                    << "File access denied";
    QTest::newRow("a loop of links") << "loop.dis"
                                     << "loop"
                                     << "File not found";
}

void LoadingTest::failures()
{
    QFETCH(QString, entry);
    QFETCH(QString, kind);
    QFETCH(QString, message);

    MemoryBoard board;
    Game game(board);
    startGame(dir_, board, game);
    board.label1 = "17";
    board.timer1Calls.clear();

    const QString path = dir_.filePath(entry);
    if (kind == "unreadable")
        QVERIFY(QFile::setPermissions(QString::fromStdString(writeFile(dir_, entry, "###\n")), {}));
    else if (kind == "loop")
        QVERIFY(QFile::link(path, path));
    const auto cleanUp = qScopeGuard([&path] { QFile::remove(path); });
    const WithoutReadOverride asAnyUser;
    // The file cannot be opened here, whoever runs the test.
    const int probe = ::open(path.toLocal8Bit().constData(), O_RDONLY);
    if (probe >= 0)
        ::close(probe);
    QVERIFY(probe < 0);

    QString raised;
    try {
        game.pick(path.toStdString());
    } catch (const IoError& error) {
        raised = QString::fromStdString(error.what());
    }
    QCOMPARE(raised, message);

    // The board stands as the reset left it: every cell visible, white, enabled and empty.
    COMPARE_DRAWING(marksDrawing(board), grid({}, '_'));
    COMPARE_DRAWING(colorsDrawing(board), grid({}, 'w'));
    QCOMPARE(board.label1, "0");
    QVERIFY(board.label2Visible);
    QVERIFY(board.timer1Enabled());
    QCOMPARE(game.remaining(), 0);
    // The previous counter display and the previous clues stay.
    QCOMPARE(board.label4, "4");
    QCOMPARE(cluesSummary(board, false), "1 1/3");
    QCOMPARE(board.at(rowClueSlot(1, 5)).color(), color::White);
}

void LoadingTest::markGenerators_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("blank");
    QTest::addColumn<QByteArray>("filled");
    QTest::newRow("one, as the loader asks") << 1 << QByteArray("0") << QByteArray("1");
    QTest::newRow("several") << 4 << QByteArray("0000") << QByteArray("1111");
    QTest::newRow("zero") << 0 << QByteArray() << QByteArray();
    QTest::newRow("negative") << -3 << QByteArray() << QByteArray();
}

void LoadingTest::markGenerators()
{
    QFETCH(int, length);
    QFETCH(QByteArray, blank);
    QFETCH(QByteArray, filled);
    for (int i = 0; i < 20; ++i) {
        QCOMPARE(QByteArray::fromStdString(blankMark(length)), blank);
        QCOMPARE(QByteArray::fromStdString(filledMark(length)), filled);
    }
}

QTEST_GUILESS_MAIN(LoadingTest)
#include "tst_loading.moc"
