// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the rules of play: marking cells, the found step, completion, the click marker,
// the SOS hover help, clue slot ticks and the elapsed-seconds display.
#include "drawing.h"

#include <QTest>

using namespace engine;
using namespace enginetest;

class PlayTest : public QObject {
    Q_OBJECT

private slots:
    void play_data();
    void play();
    void clickBeforeAnyLoad();
    void completionDisablesAll441Cells();
    void markerFollowsCurrentGeometry();
    void clueSlotTicks_data();
    void clueSlotTicks();
    void timerTicks_data();
    void timerTicks();
    void timerRunsUntilCompletion();

private:
    QTemporaryDir dir_;
};

namespace {

Bounds markerUnder(const MemoryBoard& board, int n)
{
    const Bounds cell = board.at(n).bounds();
    return {cell.left, cell.top, cell.width, cell.height + 3};
}

// Runs actions written as "c1,2" (click row 1, column 2), "m2,2" (mouse move over row 2,
// column 2) and "sos" (tick or untick "SOS !!!"), separated by spaces.
void perform(MemoryBoard& board, Game& game, const QByteArray& actions)
{
    for (const QByteArray& action : actions.split(' ')) {
        if (action.isEmpty())
            continue;
        if (action == "sos") {
            board.checkBox1 = !board.checkBox1;
            continue;
        }
        const QByteArrayList place = action.mid(1).split(',');
        const int n = cell(place.value(0).toInt(), place.value(1).toInt());
        if (action.startsWith('c'))
            game.cellClick(n);
        else if (action.startsWith('m'))
            game.cellMouseMove(n);
        else
            qFatal("unknown action %s", action.constData());
    }
}

} // namespace

void PlayTest::play_data()
{
    QTest::addColumn<QByteArray>("scheme");
    QTest::addColumn<QByteArray>("actions");
    QTest::addColumn<QByteArray>("colors"); // w b y g, upper case when disabled, "." hidden
    QTest::addColumn<int>("remaining");
    QTest::addColumn<QByteArray>("marker"); // "r,c" of the cell under the marker, empty: where it started
    QTest::addColumn<bool>("timerRunning");

    const QByteArray diagonal = schemeFile({"#-", "-#"});
    QTest::newRow("blank cell turns sky blue")
        << diagonal << QByteArray("c1,2") << grid({"wb", "ww"}) << 2 << QByteArray("1,2") << true;
    QTest::newRow("sky blue turns white again")
        << diagonal << QByteArray("c1,2 c1,2") << grid({"ww", "ww"}) << 2 << QByteArray("1,2") << true;
    QTest::newRow("filled cell is found")
        << diagonal << QByteArray("c1,1") << grid({"yw", "ww"}) << 1 << QByteArray("1,1") << true;
    QTest::newRow("found cell turns white again")
        << diagonal << QByteArray("c1,1 c1,1") << grid({"ww", "ww"}) << 2 << QByteArray("1,1") << true;
    QTest::newRow("three clicks on one filled cell")
        << diagonal << QByteArray("c1,1 c1,1 c1,1") << grid({"yw", "ww"}) << 1 << QByteArray("1,1") << true;
    QTest::newRow("completion turns the picture green and disables every cell")
        << diagonal << QByteArray("c1,2 c1,1 c2,2") << grid({"GB", "WG"}) << 0 << QByteArray("2,2") << false;
    QTest::newRow("clicks after completion change nothing")
        << diagonal << QByteArray("c1,1 c2,2 c1,2 c2,1 c1,1") << grid({"GW", "WG"}) << 0 << QByteArray("2,2")
        << false;
    QTest::newRow("an inert mark never changes colour")
        << schemeFile({"#a", "##"}) << QByteArray("c1,2 c1,2") << grid({"ww", "ww"}) << 3 << QByteArray("1,2")
        << true;
    QTest::newRow("digits for \"#\": completion comes at the counted number")
        << schemeFile({"#1", "#-"}) << QByteArray("c1,1 c2,1") << grid({"GW", "GW"}) << 0 << QByteArray("2,1")
        << false;
    QTest::newRow("no \"#\": the counter goes below 0 and never completes")
        << schemeFile({"1-", "-1"}) << QByteArray("c1,1 c2,2") << grid({"yw", "wy"}) << -2
        << QByteArray("2,2") << true;
    QTest::newRow("a hidden cell receives no click")
        << schemeFile({"#-#"}) << QByteArray("c1,2") << grid({"w.w"}) << 2 << QByteArray() << true;
    // Digits 2 to 9 written in a scheme: the rules go by the mark's class, but only "#" counted.
    // clang-format off
    const QByteArray digits = schemeFile({
        "#23456789",
        "#32547698",
        "#########",
    });
    QTest::newRow("click: blank-class digits turn sky blue, filled-class digits are found")
        << digits << QByteArray("c1,2 c1,3 c1,4 c1,5 c1,6 c1,7 c1,8 c1,9")
        << grid({
            "wbybybyby",
            "wwwwwwwww",
            "wwwwwwwww",
        })
        << 7 << QByteArray("1,9") << true;
    QTest::newRow("SOS finds filled-class digits only")
        << digits << QByteArray("sos m1,2 m1,3 m1,4 m1,5 m1,6 m1,7 m1,8 m1,9")
        << grid({
            "wwywywywy",
            "wwwwwwwww",
            "wwwwwwwww",
        })
        << 7 << QByteArray() << true;
    // clang-format on
    QTest::newRow("SOS unticked: mouse moves change nothing")
        << diagonal << QByteArray("m1,1 m2,2") << grid({"ww", "ww"}) << 2 << QByteArray() << true;
    QTest::newRow("SOS ticked: a filled cell is found, a blank one is not")
        << diagonal << QByteArray("sos m1,1 m1,2") << grid({"yw", "ww"}) << 1 << QByteArray() << true;
    QTest::newRow("SOS leaves an inert mark alone") << schemeFile({"#x", "##"}) << QByteArray("sos m1,2 m1,1")
                                                    << grid({"yw", "ww"}) << 2 << QByteArray() << true;
    QTest::newRow("SOS never turns a found cell white")
        << diagonal << QByteArray("sos m1,1 m1,1") << grid({"yw", "ww"}) << 1 << QByteArray() << true;
    QTest::newRow("SOS leaves a sky-blue cell alone")
        << diagonal << QByteArray("c1,2 sos m1,2") << grid({"wb", "ww"}) << 2 << QByteArray("1,2") << true;
    QTest::newRow("SOS finds again a cell clicked back to white")
        << diagonal << QByteArray("sos c1,1 c1,1 m1,1") << grid({"yw", "ww"}) << 1 << QByteArray("1,1")
        << true;
    QTest::newRow("SOS completes without moving the marker")
        << diagonal << QByteArray("c1,2 sos m1,1 m2,2") << grid({"GB", "WG"}) << 0 << QByteArray("1,2")
        << false;
    QTest::newRow("SOS after completion changes nothing")
        << schemeFile({"#-", "-#", "1"}) << QByteArray("sos m1,1 m2,2 m3,1") << grid({"GW", "WG", "W"}) << 0
        << QByteArray() << false;
}

void PlayTest::play()
{
    QFETCH(QByteArray, scheme);
    QFETCH(QByteArray, actions);
    QFETCH(QByteArray, colors);
    QFETCH(int, remaining);
    QFETCH(QByteArray, marker);
    QFETCH(bool, timerRunning);

    MemoryBoard board;
    Game game(board);
    game.pick(writeFile(dir_, "scheme.dis", scheme));
    const Bounds start = board.shape1;
    perform(board, game, actions);

    COMPARE_DRAWING(colorsDrawing(board), colors);
    QCOMPARE(game.remaining(), remaining);
    QCOMPARE(board.label4, std::to_string(remaining));
    if (marker.isEmpty()) {
        QCOMPARE(board.shape1, start);
    } else {
        const QByteArrayList place = marker.split(',');
        QCOMPARE(board.shape1, markerUnder(board, cell(place[0].toInt(), place[1].toInt())));
    }
    QCOMPARE(board.timer1Enabled(), timerRunning);
}

void PlayTest::clickBeforeAnyLoad()
{
    MemoryBoard board;
    Game game(board);
    const QByteArray colors = colorsDrawing(board);
    game.cellClick(cell(3, 4));
    game.cellClick(cell(5, 6));
    QCOMPARE(board.shape1, markerUnder(board, cell(5, 6)));
    QCOMPARE(colorsDrawing(board), colors);
    QCOMPARE(board.label4, "");
}

void PlayTest::completionDisablesAll441Cells()
{
    MemoryBoard board;
    Game game(board);
    // clang-format off
    game.pick(writeFile(dir_, "scheme.dis", schemeFile({
        "-#-",
        "---",
        "#-#",
    })));
    // clang-format on
    const QByteArray rows = cluesSummary(board, false);
    const QByteArray columns = cluesSummary(board, true);
    game.clueSlotClick(rowClueSlot(1, 5));
    for (const int n : {cell(1, 2), cell(3, 1), cell(3, 3)})
        game.cellClick(n);

    QCOMPARE(board.label4, "0");
    // clang-format off
    COMPARE_DRAWING(colorsDrawing(board), grid({
        "WGW",
        "...",
        "GWG",
    }));
    COMPARE_DRAWING(marksDrawing(board), grid({
        "___",
        "...",
        "___",
    }));
    // clang-format on
    for (int n = 1; n <= CellCount; ++n) {
        QVERIFY2(!board.at(n).enabledFlag(), qPrintable(QString::fromStdString(boxName(n))));
        QCOMPARE(board.at(n).text(), "");
    }
    // The found cells keep their yellow text colour; the clue panel is left alone.
    QCOMPARE(board.at(cell(1, 2)).fontColor(), color::Yellow);
    QCOMPARE(cluesSummary(board, false), rows);
    QCOMPARE(cluesSummary(board, true), columns);
    QCOMPARE(board.at(rowClueSlot(1, 5)).color(), color::White);
}

void PlayTest::markerFollowsCurrentGeometry()
{
    MemoryBoard board;
    Game game(board);
    game.pick(writeFile(dir_, "scheme.dis", schemeFile({"#-", "-#"})));
    // As after the window has been scaled.
    board.at(cell(2, 2)).setBounds({571, 300, 45, 43});
    game.cellClick(cell(2, 2));
    QCOMPARE(board.shape1, (Bounds {571, 300, 45, 46}));
}

void PlayTest::clueSlotTicks_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QByteArray>("planted"); // text put into the slot before the clicks, if any
    QTest::addColumn<bool>("white");
    QTest::newRow("a row clue turns white") << rowClueSlot(1, 5) << 1 << QByteArray() << true;
    QTest::newRow("a second click keeps it white") << rowClueSlot(1, 4) << 2 << QByteArray() << true;
    QTest::newRow("a column clue turns white") << columnClueSlot(2, 5) << 1 << QByteArray() << true;
    QTest::newRow("an empty slot of a line with clues stays silver")
        << rowClueSlot(1, 1) << 1 << QByteArray() << false;
    QTest::newRow("a hidden slot receives no click") << rowClueSlot(3, 5) << 1 << QByteArray("7") << false;
}

void PlayTest::clueSlotTicks()
{
    QFETCH(int, slot);
    QFETCH(int, clicks);
    QFETCH(QByteArray, planted);
    QFETCH(bool, white);

    MemoryBoard board;
    Game game(board);
    game.pick(writeFile(dir_, "scheme.dis", schemeFile({"#-#", "###"})));
    QCOMPARE(cluesSummary(board, false), "1 1/3");
    if (!planted.isEmpty())
        board.at(slot).setText(planted.toStdString());
    const Bounds marker = board.shape1;
    for (int i = 0; i < clicks; ++i)
        game.clueSlotClick(slot);
    QCOMPARE(board.at(slot).color(), white ? color::White : color::Silver);
    QCOMPARE(board.shape1, marker);

    // The next pick, whatever it is, turns the slot silver again.
    game.pick(dir_.path().toStdString());
    QCOMPARE(board.at(slot).color(), color::Silver);
}

void PlayTest::timerTicks_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("from 0") << QByteArray("0") << QByteArray("1");
    QTest::newRow("to two digits") << QByteArray("9") << QByteArray("10");
    QTest::newRow("an hour") << QByteArray("3599") << QByteArray("3600");
}

void PlayTest::timerTicks()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    MemoryBoard board;
    Game game(board);
    board.label1 = before.toStdString();
    game.timerTick();
    QCOMPARE(QByteArray::fromStdString(board.label1), after);
}

void PlayTest::timerRunsUntilCompletion()
{
    MemoryBoard board;
    Game game(board);
    for (int i = 0; i < 5; ++i)
        game.timerTick();
    QCOMPARE(board.label1, "5");
    game.pick(writeFile(dir_, "scheme.dis", schemeFile({"##", "-#"})));
    QCOMPARE(board.label1, "0");
    QCOMPARE(board.timer1Calls, (std::vector<bool> {false, true}));

    // Finding, undoing and finding by SOS leave the timer alone.
    board.checkBox1 = true;
    perform(board, game, "c1,1 c1,1 m1,1 c2,1 c1,2");
    game.timerTick();
    QCOMPARE(board.label1, "1");
    QCOMPARE(board.timer1Calls, (std::vector<bool> {false, true}));

    // Completion stops it.
    game.cellClick(cell(2, 2));
    QCOMPARE(board.timer1Calls, (std::vector<bool> {false, true, false}));
}

QTEST_GUILESS_MAIN(PlayTest)
#include "tst_play.moc"
