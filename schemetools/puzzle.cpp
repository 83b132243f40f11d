// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the window's view of a scheme back from the engine's in-memory board.
#include "puzzle.h"

#include "game.h"
#include "memoryboard.h"

#include <algorithm>

namespace schemetools {

namespace {

Clues slotClues(const engine::MemoryBoard& board, bool column, int line)
{
    Clues clues;
    for (int k = 1; k <= engine::CluesPerLine; ++k) {
        const int n = column ? engine::columnClueSlot(line, k) : engine::rowClueSlot(line, k);
        const std::string text = board.at(n).text();
        if (!text.empty() && board.at(n).visibleFlag())
            clues.push_back(std::stoi(text));
    }
    return clues;
}

} // namespace

bool Puzzle::pictureCell(int row, int column) const
{
    const Cell& c = cell(row, column);
    return c.visible && c.mark == "1";
}

Bitmap Puzzle::picture() const
{
    Bitmap drawing(GridSize, GridSize);
    for (int r = 0; r < GridSize; ++r) {
        for (int c = 0; c < GridSize; ++c)
            drawing.setFilled(r, c, pictureCell(r, c));
    }
    return drawing;
}

SolverInput Puzzle::solverInput() const
{
    SolverInput input;
    input.width = GridSize;
    input.height = GridSize;
    input.rows.assign(rowClues.begin(), rowClues.end());
    input.columns.assign(columnClues.begin(), columnClues.end());
    input.fixedEmpty.resize(cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        input.fixedEmpty[i] = !cells[i].visible;
    return input;
}

std::pair<int, int> Puzzle::extent() const
{
    int rows = 0;
    int columns = 0;
    for (int r = 0; r < GridSize; ++r) {
        for (int c = 0; c < GridSize; ++c) {
            if (cell(r, c).visible) {
                rows = std::max(rows, r + 1);
                columns = std::max(columns, c + 1);
            }
        }
    }
    return {rows, columns};
}

Puzzle loadPuzzle(const engine::SchemeDrawing& drawing)
{
    engine::MemoryBoard board;
    engine::Game game(board);
    game.pickDrawing(drawing);

    Puzzle puzzle;
    for (int n = 1; n <= engine::CellCount; ++n) {
        const engine::MemoryBox& box = board.at(n);
        puzzle.cells[static_cast<std::size_t>(n - 1)] = {box.visibleFlag(), box.text()};
    }
    for (int line = 1; line <= GridSize; ++line) {
        puzzle.rowClues[static_cast<std::size_t>(line - 1)] = slotClues(board, false, line);
        puzzle.columnClues[static_cast<std::size_t>(line - 1)] = slotClues(board, true, line);
    }
    puzzle.remaining = game.remaining();
    return puzzle;
}

engine::SchemeDrawing parseScheme(std::string_view bytes)
{
    engine::SchemeParser parser;
    parser.feed(bytes);
    return parser.finish();
}

} // namespace schemetools
