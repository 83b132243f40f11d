// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle exactly as the window shows it: a scheme loaded by the engine into its in-memory
// board, and the cells, marks and clues read back from the boxes.
#pragma once

#include "bitmap.h"
#include "solver.h"

#include "board.h"
#include "schemefile.h"

#include <array>
#include <string>

namespace schemetools {

using engine::GridSize;

struct Puzzle {
    // Cell (row, column), both from 0, is cells[row * 21 + column].
    struct Cell {
        bool visible = false;
        std::string mark; // the cell's hidden mark: "0", "1", another byte of the file, or empty
    };
    std::array<Cell, GridSize * GridSize> cells;
    // The clues in the slots of every row and column, in slot order (at most five).
    std::array<Clues, GridSize> rowClues;
    std::array<Clues, GridSize> columnClues;
    int remaining = 0; // the picture cells the counter starts with

    const Cell& cell(int row, int column) const
    {
        return cells[static_cast<std::size_t>(row * GridSize + column)];
    }
    // A cell of the picture: visible with the mark "1", the one mark the clues count.
    bool pictureCell(int row, int column) const;
    // The picture: every picture cell, on the whole 21 x 21 grid.
    Bitmap picture() const;
    // What the solver is given: the clues as shown, and the hidden cells fixed empty.
    SolverInput solverInput() const;
    // The smallest rows x columns box (from row 0 and column 0) that holds every visible cell,
    // so that rows and columns keep their numbers: {rows, columns}.
    std::pair<int, int> extent() const;
};

// Loads drawing through the engine (reset, marks, counter, dead lines, clue derivation) and
// reads back what the window would show.
Puzzle loadPuzzle(const engine::SchemeDrawing& drawing);

// The engine's reading of a whole scheme file held in memory.
engine::SchemeDrawing parseScheme(std::string_view bytes);

} // namespace schemetools
