// SPDX-License-Identifier: GPL-3.0-or-later
// Where the 693 boxes stand in the window's design layout: the pitches and origins of the
// grid, the clue groups and the line labels, in pixels at the design size, relative to the
// panel that holds the board. The window places its boxes by it and the in-memory board gives
// its boxes the same bounds, so both start from one picture of the board.
#pragma once

#include "board.h"

namespace engine::layout {

inline constexpr int BoxSize = 20; // every box is 20 x 20
inline constexpr int ColumnPitch = 23; // from one column to the next
inline constexpr int RowPitch = 22; // from one row to the next
inline constexpr int GridLeft = 286; // column 1 of the grid and of the column clue slots
inline constexpr int GridTop = 144; // row 1 of the grid and of the row clue slots
inline constexpr int RowCluesLeft = 165; // slot 1 of every row's clue group
inline constexpr int ColumnCluesTop = 29; // slot 1 of every column's clue group
// The labels stand one pixel beyond where a 22nd column or row would: 770, not 769; 607, not 606.
inline constexpr int RowLabelsLeft = 770;
inline constexpr int ColumnLabelsTop = 607;

constexpr int columnLeft(int column)
{
    return GridLeft + ColumnPitch * (column - 1);
}
constexpr int rowTop(int row)
{
    return GridTop + RowPitch * (row - 1);
}

// The design bounds of box n (1..693).
constexpr Bounds designBounds(int n)
{
    const BoxPlace p = place(n);
    switch (p.kind) {
    case BoxKind::Cell:
        return {columnLeft(p.index), rowTop(p.line), BoxSize, BoxSize};
    case BoxKind::RowClueSlot:
        return {RowCluesLeft + ColumnPitch * (p.index - 1), rowTop(p.line), BoxSize, BoxSize};
    case BoxKind::ColumnClueSlot:
        return {columnLeft(p.line), ColumnCluesTop + RowPitch * (p.index - 1), BoxSize, BoxSize};
    case BoxKind::RowLabel:
        return {RowLabelsLeft, rowTop(p.line), BoxSize, BoxSize};
    case BoxKind::ColumnLabel:
        return {columnLeft(p.line), ColumnLabelsTop, BoxSize, BoxSize};
    }
    return {};
}

} // namespace engine::layout
