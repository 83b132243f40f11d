// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the board's numbering: cells, clue slots and labels at their corners, line orders,
// box names and mark classes.
#include "board.h"
#include "layout.h"

#include <QTest>

using namespace engine;

class BoardTest : public QObject {
    Q_OBJECT

private slots:
    void cellAddressing_data();
    void cellAddressing();
    void clueSlotAddressing_data();
    void clueSlotAddressing();
    void labelAddressing_data();
    void labelAddressing();
    void lineOrders();
    void boxNames_data();
    void boxNames();
    void boxNumbers_data();
    void boxNumbers();
    void designBounds_data();
    void designBounds();
    void markClasses_data();
    void markClasses();
};

void BoardTest::cellAddressing_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("first cell") << 1 << 1 << 1;
    QTest::newRow("box 21 ends row 1") << 21 << 1 << 21;
    QTest::newRow("box 22 starts row 2") << 22 << 2 << 1;
    QTest::newRow("box 421 starts row 21") << 421 << 21 << 1;
    QTest::newRow("box 441 is the last cell") << 441 << 21 << 21;
}

void BoardTest::cellAddressing()
{
    QFETCH(int, n);
    QFETCH(int, row);
    QFETCH(int, column);
    QCOMPARE(cell(row, column), n);
    QCOMPARE(cellRow(n), row);
    QCOMPARE(cellColumn(n), column);
    QCOMPARE(place(n), (BoxPlace {BoxKind::Cell, row, column}));
    QVERIFY(isCell(n));
    QVERIFY(!isClueSlot(n));
}

void BoardTest::clueSlotAddressing_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("column"); // false: a row's slot
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("slot");
    QTest::newRow("442 is slot 1 of row 1") << 442 << false << 1 << 1;
    QTest::newRow("446 is slot 5 of row 1") << 446 << false << 1 << 5;
    QTest::newRow("447 is slot 1 of row 2") << 447 << false << 2 << 1;
    QTest::newRow("546 is slot 5 of row 21") << 546 << false << 21 << 5;
    QTest::newRow("547 is slot 1 of column 1") << 547 << true << 1 << 1;
    QTest::newRow("567 is slot 1 of column 21") << 567 << true << 21 << 1;
    QTest::newRow("568 is slot 2 of column 1") << 568 << true << 1 << 2;
    QTest::newRow("631 is slot 5 of column 1") << 631 << true << 1 << 5;
    QTest::newRow("651 is slot 5 of column 21") << 651 << true << 21 << 5;
}

void BoardTest::clueSlotAddressing()
{
    QFETCH(int, n);
    QFETCH(bool, column);
    QFETCH(int, line);
    QFETCH(int, slot);
    QCOMPARE(column ? columnClueSlot(line, slot) : rowClueSlot(line, slot), n);
    QCOMPARE(place(n), (BoxPlace {column ? BoxKind::ColumnClueSlot : BoxKind::RowClueSlot, line, slot}));
    QVERIFY(isClueSlot(n));
    QVERIFY(!isCell(n));
}

void BoardTest::labelAddressing_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("column");
    QTest::addColumn<int>("line");
    QTest::newRow("652 labels row 1") << 652 << false << 1;
    QTest::newRow("672 labels row 21") << 672 << false << 21;
    QTest::newRow("673 labels column 1") << 673 << true << 1;
    QTest::newRow("693 labels column 21") << 693 << true << 21;
}

void BoardTest::labelAddressing()
{
    QFETCH(int, n);
    QFETCH(bool, column);
    QFETCH(int, line);
    QCOMPARE(column ? columnLabel(line) : rowLabel(line), n);
    QCOMPARE(place(n), (BoxPlace {column ? BoxKind::ColumnLabel : BoxKind::RowLabel, line, 0}));
    QVERIFY(!isCell(n));
    QVERIFY(!isClueSlot(n));
}

void BoardTest::lineOrders()
{
    const auto row2 = rowCells(2);
    const auto column21 = columnCells(21);
    for (int i = 0; i < GridSize; ++i) {
        QCOMPARE(row2[static_cast<std::size_t>(i)], 22 + i);
        QCOMPARE(column21[static_cast<std::size_t>(i)], 21 + 21 * i);
    }
}

void BoardTest::boxNames_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 1 << "suiEdit1";
    QTest::newRow("first slot") << 442 << "suiEdit442";
    QTest::newRow("last") << 693 << "suiEdit693";
}

void BoardTest::boxNames()
{
    QFETCH(int, n);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(boxName(n)), name);
}

void BoardTest::boxNumbers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("n");
    QTest::newRow("first") << "suiEdit1" << 1;
    QTest::newRow("last, any letter case") << "SUIEDIT693" << 693;
    QTest::newRow("past the last") << "suiEdit694" << 0;
    QTest::newRow("zero") << "suiEdit0" << 0;
    QTest::newRow("leading zero") << "suiEdit01" << 0;
    QTest::newRow("sign") << "suiEdit-1" << 0;
    QTest::newRow("prefix alone") << "suiEdit" << 0;
    QTest::newRow("trailing letter") << "suiEdit12a" << 0;
    QTest::newRow("another control") << "Label4" << 0;
}

void BoardTest::boxNumbers()
{
    QFETCH(QString, name);
    QFETCH(int, n);
    QCOMPARE(boxNumber(name.toStdString()), n);
}

void BoardTest::designBounds_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("cell 1") << 1 << 286 << 144;
    QTest::newRow("cell 22, row 2") << 22 << 286 << 166;
    QTest::newRow("cell 441") << 441 << 746 << 584;
    QTest::newRow("slot 1 of row 1") << 442 << 165 << 144;
    QTest::newRow("slot 5 of row 21") << 546 << 257 << 584;
    QTest::newRow("slot 1 of column 1") << 547 << 286 << 29;
    QTest::newRow("slot 2 of column 1") << 568 << 286 << 51;
    QTest::newRow("slot 5 of column 21") << 651 << 746 << 117;
    QTest::newRow("label of row 1") << 652 << 770 << 144;
    QTest::newRow("label of row 21") << 672 << 770 << 584;
    QTest::newRow("label of column 1") << 673 << 286 << 607;
    QTest::newRow("label of column 21") << 693 << 746 << 607;
}

void BoardTest::designBounds()
{
    QFETCH(int, n);
    QFETCH(int, left);
    QFETCH(int, top);
    QCOMPARE(layout::designBounds(n), (Bounds {left, top, 20, 20}));
}

void BoardTest::markClasses_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<int>("expected");
    const int blank = static_cast<int>(MarkClass::Blank);
    const int filled = static_cast<int>(MarkClass::Filled);
    const int inert = static_cast<int>(MarkClass::Inert);
    for (const char* digit : {"0", "2", "4", "6", "8"})
        QTest::newRow(digit) << QByteArray(digit) << blank;
    for (const char* digit : {"1", "3", "5", "7", "9"})
        QTest::newRow(digit) << QByteArray(digit) << filled;
    QTest::newRow("empty") << QByteArray() << inert;
    QTest::newRow("space") << QByteArray(" ") << inert;
    QTest::newRow("letter") << QByteArray("a") << inert;
    QTest::newRow("hash") << QByteArray("#") << inert;
    QTest::newRow("two digits") << QByteArray("11") << inert;
}

void BoardTest::markClasses()
{
    QFETCH(QByteArray, mark);
    QFETCH(int, expected);
    QCOMPARE(static_cast<int>(markClass(mark.toStdString())), expected);
}

QTEST_GUILESS_MAIN(BoardTest)
#include "tst_board.moc"
