// SPDX-License-Identifier: GPL-3.0-or-later
// Scheme loading: the pick in the scheme list resets the cells, reads the drawing into the
// cell marks, counts the picture cells and hides the lines without any.
#include "game.h"
#include "schemefile.h"

#include <string_view>

namespace engine {

namespace {

bool hasFilledMark(const std::array<std::string, CellCount>& marks, const std::array<int, GridSize>& line)
{
    for (const int n : line) {
        if (markClass(marks[static_cast<std::size_t>(n - 1)]) == MarkClass::Filled)
            return true;
    }
    return false;
}

void emptyLine(std::array<std::string, CellCount>& marks, const std::array<int, GridSize>& line)
{
    for (const int n : line)
        marks[static_cast<std::size_t>(n - 1)].clear();
}

} // namespace

PickRead readPick(const std::string& path)
{
    PickRead read;
    read.scheme = isSchemeFile(path);
    if (!read.scheme)
        return read;
    try {
        read.drawing = readSchemeFile(path);
    } catch (const IoError& error) {
        read.error = error.what();
    }
    return read;
}

void Game::pick(const std::string& path)
{
    applyPick(readPick(path));
}

void Game::applyPick(const PickRead& read)
{
    // A pick that loads nothing leaves the counter alone: the puzzle on the board stays in
    // play and must still be able to come to completion.
    if (read.scheme) {
        resetForLoad();
        // The whole file was read before any cell changes, so that after a read failure the
        // board stands exactly as the reset above left it.
        if (read.error)
            throw IoError(*read.error);
        placeDrawing(read.drawing);
    }
    deriveClues();
}

void Game::pickDrawing(const SchemeDrawing& drawing)
{
    resetForLoad();
    placeDrawing(drawing);
    deriveClues();
}

void Game::resetForLoad()
{
    remaining_ = 0;
    for (int n = 1; n <= CellCount; ++n) {
        Box& cell = host_.box(n);
        cell.setEnabledFlag(true);
        cell.setVisibleFlag(true);
        cell.setColor(color::White);
        cell.setFontColor(color::White);
    }
    host_.setTimer1Enabled(false);
    host_.setTimer1Enabled(true);
    host_.setLabel1Caption("0");
    for (int n = 1; n <= CellCount; ++n)
        host_.box(n).setText({});
    host_.setLabel2Visible(true);
}

void Game::placeDrawing(const SchemeDrawing& drawing)
{
    std::array<std::string, CellCount> marks;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const SchemeCell& cell = drawing[i];
        if (cell.kind == SchemeChar::Mark)
            marks[i].assign(1, cell.mark);
        if (marks[i] == "-")
            marks[i] = blankMark(1);
        if (marks[i] == "#") {
            marks[i] = filledMark(1);
            ++remaining_;
        }
    }
    showRemaining();

    // A line without any filled-class mark is dead: all its cells are emptied and hidden.
    // Emptying a column removes no filled mark, so the rows are judged as drawn.
    for (int c = 1; c <= GridSize; ++c) {
        if (!hasFilledMark(marks, columnCells(c)))
            emptyLine(marks, columnCells(c));
    }
    for (int r = 1; r <= GridSize; ++r) {
        if (!hasFilledMark(marks, rowCells(r)))
            emptyLine(marks, rowCells(r));
    }

    // Holes, "=", missing characters and dead lines all end as hidden cells with empty marks.
    for (int n = 1; n <= CellCount; ++n) {
        const std::string& mark = marks[static_cast<std::size_t>(n - 1)];
        Box& cell = host_.box(n);
        if (mark.empty())
            cell.setVisibleFlag(false);
        else
            cell.setText(mark);
    }
}

} // namespace engine
