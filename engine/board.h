// SPDX-License-Identifier: GPL-3.0-or-later
// The board of 693 one-character boxes: numbering, addressing, mark classes and the
// narrow interface through which the engine reaches the boxes and the window parts it drives.
#pragma once

#include "colors.h"

#include <array>
#include <string>
#include <string_view>

namespace engine {

// Box numbers. Cells 1..441 row by row; row clue slots 442..546 (five per row);
// column clue slots 547..651 (five bands of 21); row labels 652..672; column labels 673..693.
inline constexpr int GridSize = 21;
inline constexpr int CellCount = 441;
inline constexpr int CluesPerLine = 5;
inline constexpr int FirstRowClueSlot = 442;
inline constexpr int FirstColumnClueSlot = 547;
inline constexpr int LastClueSlot = 651;
inline constexpr int FirstRowLabel = 652;
inline constexpr int FirstColumnLabel = 673;
inline constexpr int BoxCount = 693;

// All functions below take rows, columns and slots counted from 1.
constexpr int cell(int row, int column)
{
    return (row - 1) * GridSize + column;
}
constexpr int cellRow(int n)
{
    return (n - 1) / GridSize + 1;
}
constexpr int cellColumn(int n)
{
    return (n - 1) % GridSize + 1;
}
// Slot 1 is the one farthest from the grid, slot 5 the one next to it.
constexpr int rowClueSlot(int row, int slot)
{
    return FirstRowClueSlot + CluesPerLine * (row - 1) + (slot - 1);
}
constexpr int columnClueSlot(int column, int slot)
{
    return FirstColumnClueSlot + GridSize * (slot - 1) + (column - 1);
}
constexpr int rowLabel(int row)
{
    return FirstRowLabel - 1 + row;
}
constexpr int columnLabel(int column)
{
    return FirstColumnLabel - 1 + column;
}

constexpr bool isCell(int n)
{
    return n >= 1 && n <= CellCount;
}
constexpr bool isClueSlot(int n)
{
    return n >= FirstRowClueSlot && n <= LastClueSlot;
}

// What box n (1..693) is, and where: a cell's row (line) and column (index); a clue slot's
// row or column (line) and slot (index); a label's row or column (line, index 0).
enum class BoxKind { Cell, RowClueSlot, ColumnClueSlot, RowLabel, ColumnLabel };
struct BoxPlace {
    BoxKind kind = BoxKind::Cell;
    int line = 0;
    int index = 0;
    friend bool operator==(const BoxPlace&, const BoxPlace&) = default;
};
constexpr BoxPlace place(int n)
{
    if (n < FirstRowClueSlot)
        return {BoxKind::Cell, cellRow(n), cellColumn(n)};
    if (n < FirstColumnClueSlot)
        return {BoxKind::RowClueSlot, (n - FirstRowClueSlot) / CluesPerLine + 1,
            (n - FirstRowClueSlot) % CluesPerLine + 1};
    if (n < FirstRowLabel)
        return {BoxKind::ColumnClueSlot, (n - FirstColumnClueSlot) % GridSize + 1,
            (n - FirstColumnClueSlot) / GridSize + 1};
    if (n < FirstColumnLabel)
        return {BoxKind::RowLabel, n - FirstRowLabel + 1, 0};
    return {BoxKind::ColumnLabel, n - FirstColumnLabel + 1, 0};
}

// The 21 cells of a row left to right, of a column top to bottom.
std::array<int, GridSize> rowCells(int row);
std::array<int, GridSize> columnCells(int column);

// The name of box n: BoxNamePrefix followed by n in decimal without leading zeros.
inline constexpr std::string_view BoxNamePrefix = "suiEdit";
std::string boxName(int n);
// The number in a box's name, or 0 when the name is not that of a box (the prefix is matched
// without regard to ASCII case, as the window's look-up by name is).
int boxNumber(std::string_view name);

// Marks: blank class "0" "2" "4" "6" "8"; filled class "1" "3" "5" "7" "9"; anything else inert.
enum class MarkClass { Blank, Filled, Inert };
MarkClass markClass(std::string_view mark);

// Bounds in the coordinates of the panel that holds the board.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// One of the 693 boxes. Texts are 8-bit (Windows-1252) bytes as read from a scheme file.
// The flags are the box's own (a box on a window not yet shown is still "visible").
// The names keep clear of QWidget's, since the Qt boxes implement this interface too.
class Box {
public:
    virtual ~Box() = default;
    virtual std::string text() const = 0;
    virtual void setText(std::string_view text) = 0;
    virtual bool visibleFlag() const = 0;
    virtual void setVisibleFlag(bool visible) = 0;
    virtual bool enabledFlag() const = 0;
    virtual void setEnabledFlag(bool enabled) = 0;
    virtual Color color() const = 0;
    virtual void setColor(Color color) = 0;
    virtual Color fontColor() const = 0;
    virtual void setFontColor(Color color) = 0;
    virtual Bounds bounds() const = 0;
};

// Everything the engine touches outside its own counter: the boxes, found by number (the
// window's are named boxName(n)), and the few window parts it drives. The window implements it
// with the real controls, MemoryBoard with plain boxes in memory.
class BoardHost {
public:
    virtual ~BoardHost() = default;
    // n in 1..693; the reference stays valid as long as the host lives.
    virtual Box& box(int n) = 0;

    virtual std::string label1Caption() const = 0; // elapsed seconds
    virtual void setLabel1Caption(std::string_view caption) = 0;
    virtual void setLabel4Caption(std::string_view caption) = 0; // remaining counter
    virtual void setLabel2Visible(bool visible) = 0; // instruction line
    virtual void setTimer1Enabled(bool enabled) = 0; // one-second timer
    virtual bool checkBox1Checked() const = 0; // "SOS !!!"
    // The click marker: Top, Left, Height and Width are set in that order.
    virtual void setShape1Bounds(const Bounds& bounds) = 0;
};

} // namespace engine
