// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of clue derivation: runs read from the marks of a line, the five-clue limit, the
// alignment against the grid, visibility of groups and labels, and the silver reset.
#include "drawing.h"

#include <QTest>

using namespace engine;
using namespace enginetest;

class CluesTest : public QObject {
    Q_OBJECT

private slots:
    void lineClues_data();
    void lineClues();
    void cluesOfLoadedSchemes_data();
    void cluesOfLoadedSchemes();
    void derivationTurnsEverySlotSilver();
    void pickAfterCompletionHidesAllClues();

private:
    QTemporaryDir dir_;
};

void CluesTest::lineClues_data()
{
    // A line of marks written as a drawing: "." is an empty mark; the line is padded with
    // empty marks to 21 cells.
    QTest::addColumn<QByteArray>("marks");
    QTest::addColumn<QByteArray>("texts");

    QTest::newRow("three runs") << QByteArray("011010001110000000000") << QByteArray(",,2,1,3");
    QTest::newRow("a full line") << QByteArray("111111111111111111111") << QByteArray(",,,,21");
    QTest::newRow("eleven runs: only the first five")
        << QByteArray("101010101010101010101") << QByteArray("1,1,1,1,1");
    QTest::newRow("exactly five runs") << QByteArray("1011011101111011111") << QByteArray("1,2,3,4,5");
    QTest::newRow("six runs: the sixth is not shown")
        << QByteArray("101101110111101111101") << QByteArray("1,2,3,4,5");
    QTest::newRow("leading zeros") << QByteArray("001100000000000000000") << QByteArray(",,,,2");
    QTest::newRow("no leading zeros") << QByteArray("110000000000000000000") << QByteArray(",,,,2");
    QTest::newRow("zeros only") << QByteArray("000000000000000000000") << QByteArray(",,,,");
    QTest::newRow("empty marks only") << QByteArray("") << QByteArray(",,,,");
    QTest::newRow("mark 3 stops the line") << QByteArray("1031") << QByteArray(",,,,1");
    QTest::newRow("mark 3 right after a run ends it") << QByteArray("01131") << QByteArray(",,,,2");
    QTest::newRow("mark 2 stops the line too") << QByteArray("1021") << QByteArray(",,,,1");
    QTest::newRow("a line beginning with a space has no clues") << QByteArray(" 11") << QByteArray(",,,,");
    QTest::newRow("a line beginning with 3 has no clues") << QByteArray("311") << QByteArray(",,,,");
    QTest::newRow("an empty mark separates runs") << QByteArray("1.1") << QByteArray(",,,1,1");
    QTest::newRow("empty marks at the ends change nothing") << QByteArray("..11.") << QByteArray(",,,,2");
    QTest::newRow("empty marks before a stop") << QByteArray("..3.11") << QByteArray(",,,,");
    QTest::newRow("empty marks and zeros mixed") << QByteArray("1.0.1..11") << QByteArray(",,1,1,2");
}

void CluesTest::lineClues()
{
    QFETCH(QByteArray, marks);
    QFETCH(QByteArray, texts);
    const bool visible = texts != ",,,,";
    QByteArrayList clues = texts.split(',');
    clues.removeAll(QByteArray());

    // The same marks as row 7 and as column 13 of otherwise empty boards.
    for (const bool column : {false, true}) {
        MemoryBoard board;
        for (int i = 1; i <= GridSize; ++i) {
            const char mark = i <= marks.size() ? marks[i - 1] : '.';
            board.at(column ? cell(i, 13) : cell(7, i)).setText(std::string_view(&mark, mark == '.' ? 0 : 1));
        }
        Game(board).deriveClues();

        QCOMPARE(slotTexts(board, column, column ? 13 : 7), texts);
        QCOMPARE(board.at(column ? columnLabel(13) : rowLabel(7)).visibleFlag(), visible);
        for (int k = 1; k <= CluesPerLine; ++k)
            QCOMPARE(board.at(column ? columnClueSlot(13, k) : rowClueSlot(7, k)).visibleFlag(), visible);
        // No other line of the same direction shows anything.
        const QByteArray others(column ? 12 : 6, '/');
        QCOMPARE(cluesSummary(board, column), visible ? others + clues.join(' ') : QByteArray());
    }
}

void CluesTest::cluesOfLoadedSchemes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QByteArray>("columns");

    QTest::newRow("holes separate runs")
        << schemeFile({"#\xB0#", "###"}) << QByteArray("1 1/3") << QByteArray("2/1/2");
    QTest::newRow("\"=\" separates runs")
        << schemeFile({"#=#", "###"}) << QByteArray("1 1/3") << QByteArray("2/1/2");
    QTest::newRow("a dead column separates runs")
        << schemeFile({"#-#"}) << QByteArray("1 1") << QByteArray("1//1");
    QTest::newRow("mark 3 stops a row and gives its column no clues")
        << schemeFile({"#-3#", "#--#"}) << QByteArray("1/1 1") << QByteArray("2///2");
    QTest::newRow("11-run column: dead rows between the runs") << QByteArray("#\n-\n").repeated(10).append(
        "#\n") << QByteArray("1//1//1//1//1//1//1//1//1//1//1") << QByteArray("1 1 1 1 1");
    QTest::newRow("empty file") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("blank border lines disappear")
        << schemeFile({"-----", "-##--", "-#-#-", "-----"}) << QByteArray("/2/1 1") << QByteArray("/2/1/1");
}

void CluesTest::cluesOfLoadedSchemes()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, rows);
    QFETCH(QByteArray, columns);

    MemoryBoard board;
    Game game(board);
    game.pick(writeFile(dir_, "scheme.dis", file));
    QCOMPARE(cluesSummary(board, false), rows);
    QCOMPARE(cluesSummary(board, true), columns);
}

void CluesTest::derivationTurnsEverySlotSilver()
{
    MemoryBoard board;
    for (int n = FirstRowClueSlot; n <= LastClueSlot; ++n)
        board.at(n).setColor(color::White);
    Game(board).deriveClues();
    for (int n = FirstRowClueSlot; n <= LastClueSlot; ++n)
        QCOMPARE(board.at(n).color(), color::Silver);
}

void CluesTest::pickAfterCompletionHidesAllClues()
{
    MemoryBoard board;
    Game game(board);
    game.pick(writeFile(dir_, "scheme.dis", schemeFile({"#-", "-#"})));
    QCOMPARE(cluesSummary(board, false), "1/1");
    game.cellClick(cell(1, 1));
    game.cellClick(cell(2, 2));
    QCOMPARE(game.remaining(), 0);

    game.pick(dir_.path().toStdString());
    QCOMPARE(cluesSummary(board, false), "");
    QCOMPARE(cluesSummary(board, true), "");
}

QTEST_GUILESS_MAIN(CluesTest)
#include "tst_clues.moc"
