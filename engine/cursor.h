// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard cursor of the board: one position on the grid or on the clue slots beside and
// above it, moved a step at a time, and the box that stands there.
#pragma once

#include "board.h"

namespace engine {

// Rows and columns 1 … 21 are the grid. Left of column 1 lie the row's clue slots, as columns
// 0 (slot 5, next to the grid) down to -4 (slot 1); above row 1 the column's clue slots, as rows
// 0 down to -4 likewise. The corner where row and column are both below 1 holds no box and is
// never entered, and the line labels are beyond the edges: a step there leaves the cursor where
// it is. The cursor passes over hidden boxes like any other, so that its moves are predictable.
class Cursor {
public:
    static constexpr int FirstLine = 1 - CluesPerLine;

    int row() const { return row_; }
    int column() const { return column_; }

    // The number of the box under the cursor: a cell or a clue slot.
    int box() const
    {
        if (column_ < 1)
            return rowClueSlot(row_, column_ + CluesPerLine);
        if (row_ < 1)
            return columnClueSlot(column_, row_ + CluesPerLine);
        return cell(row_, column_);
    }

    // Back to row 1, column 1.
    void reset() { *this = Cursor(); }

    // One step by rows and columns; false (and no move) when it would leave the board.
    bool move(int rows, int columns) { return moveTo(row_ + rows, column_ + columns); }

    // Column 1 or column 21 of the cursor's row (of its band of column clue slots above the grid).
    void toFirstColumn() { column_ = 1; }
    void toLastColumn() { column_ = GridSize; }

    // Onto box n when it is a cell or a clue slot; false (and no move) for any other number.
    bool moveToBox(int n)
    {
        if (isCell(n))
            return moveTo(cellRow(n), cellColumn(n));
        if (n >= FirstRowClueSlot && n < FirstColumnClueSlot) {
            const int i = n - FirstRowClueSlot;
            return moveTo(i / CluesPerLine + 1, i % CluesPerLine + 1 - CluesPerLine);
        }
        if (n >= FirstColumnClueSlot && n <= LastClueSlot) {
            const int i = n - FirstColumnClueSlot;
            return moveTo(i / GridSize + 1 - CluesPerLine, i % GridSize + 1);
        }
        return false;
    }

private:
    bool moveTo(int row, int column)
    {
        const bool inside = row >= FirstLine && row <= GridSize && column >= FirstLine && column <= GridSize
            && (row >= 1 || column >= 1);
        if (inside) {
            row_ = row;
            column_ = column;
        }
        return inside;
    }

    int row_ = 1;
    int column_ = 1;
};

} // namespace engine
