// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the .non puzzle reader, the solver on what it read, and the import of a .non file
// into a drawing. A puzzle that reads is whole and consistent and reads back the same from its
// own text; every picture the solver returns fits the clues (and is the goal when it is the only
// one); an import gives a cropped drawing of at most 21 x 21 with the puzzle's clues; anything
// refused is refused with a message of one line.
#include "fuzzsupport.h"

#include "importer.h"
#include "inputerror.h"
#include "nonformat.h"
#include "puzzle.h"
#include "solver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace schemetools;

// Small enough for thousands of runs a second; the checks hold for any budget.
constexpr long Budget = 500;

// A message a teacher reads on one line: no line break, no other control character.
void checkMessage(std::string_view message)
{
    fuzz::check(!message.empty(), "an empty message");
    for (const char c : message)
        fuzz::check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "a control character in a message");
}

std::vector<Clues> rowCluesOf(const Bitmap& drawing)
{
    std::vector<Clues> clues;
    for (int r = 0; r < drawing.height(); ++r)
        clues.push_back(drawing.rowClues(r));
    return clues;
}

std::vector<Clues> columnCluesOf(const Bitmap& drawing)
{
    std::vector<Clues> clues;
    for (int c = 0; c < drawing.width(); ++c)
        clues.push_back(drawing.columnClues(c));
    return clues;
}

bool fits(const Bitmap& drawing, const NonPuzzle& puzzle)
{
    return drawing.width() == puzzle.width && drawing.height() == puzzle.height
        && rowCluesOf(drawing) == puzzle.rows && columnCluesOf(drawing) == puzzle.columns;
}

// The lines of clues that a cropped picture keeps: those between the first and the last line
// with a clue.
std::vector<Clues> withoutEmptyEnds(std::vector<Clues> lines)
{
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && lines[first].empty())
        ++first;
    return std::vector<Clues>(lines.begin() + static_cast<long>(first), lines.end());
}

void checkPuzzle(const NonPuzzle& puzzle)
{
    fuzz::check(puzzle.width >= 1 && puzzle.width <= 1000 && puzzle.height >= 1 && puzzle.height <= 1000,
        "a size out of range");
    fuzz::check(puzzle.rows.size() == std::size_t(puzzle.height)
            && puzzle.columns.size() == std::size_t(puzzle.width),
        "a clue list of the wrong length");
    long cells[2] = {0, 0};
    for (const int side : {0, 1}) {
        for (const Clues& clues : side == 0 ? puzzle.rows : puzzle.columns) {
            long need = -1;
            for (const int clue : clues) {
                fuzz::check(clue > 0, "a clue that is not positive");
                need += clue + 1;
                cells[side] += clue;
            }
            fuzz::check(need <= (side == 0 ? puzzle.width : puzzle.height), "clues longer than their line");
        }
    }
    fuzz::check(cells[0] == cells[1], "rows and columns with different numbers of cells");
    fuzz::check(!puzzle.goal || fits(*puzzle.goal, puzzle), "a goal that does not fit the clues");
}

void checkSolver(const NonPuzzle& puzzle)
{
    if (puzzle.width > MaxLineLength || puzzle.height > MaxLineLength)
        return;
    SolverInput input;
    input.width = puzzle.width;
    input.height = puzzle.height;
    input.rows = puzzle.rows;
    input.columns = puzzle.columns;
    const SolverResult result = solve(input, Budget);
    for (const Bitmap& picture : result.pictures)
        fuzz::check(fits(picture, puzzle), "the solver returned a picture that does not fit the clues");
    switch (result.solvability) {
    case Solvability::NoPicture:
        fuzz::check(result.pictures.empty() && !puzzle.goal, "no picture found, but one fits");
        break;
    case Solvability::LineByLine:
    case Solvability::NeedsTrial:
        fuzz::check(result.pictures.size() == 1, "one picture, but not one returned");
        fuzz::check(
            !puzzle.goal || result.pictures.front() == *puzzle.goal, "the only picture is not the goal");
        break;
    case Solvability::Several:
        fuzz::check(result.pictures.size() == 2 && !(result.pictures[0] == result.pictures[1]),
            "several pictures, but not two different ones");
        break;
    case Solvability::Undecided:
        fuzz::check(result.pictures.size() <= 1 && result.nodes >= Budget, "undecided within the budget");
        break;
    }
}

// The size that import judges: the puzzle without its blank margins, which it crops first.
bool fitsTheGrid(const NonPuzzle& puzzle)
{
    return withoutEmptyEnds(puzzle.columns).size() <= std::size_t(GridSize)
        && withoutEmptyEnds(puzzle.rows).size() <= std::size_t(GridSize);
}

void checkImport(const std::string& path, const std::optional<NonPuzzle>& puzzle, bool allowNotUnique)
{
    ImportOptions options;
    options.nodeBudget = Budget;
    options.allowNotUnique = allowNotUnique;
    try {
        const Bitmap drawing = importBitmap(path, SourceKind::Non, options);
        fuzz::check(puzzle.has_value(), "a file that does not read was imported");
        fuzz::check(
            fitsTheGrid(*puzzle), "a puzzle larger than the grid, without its blank margins, imported");
        fuzz::check(!drawing.empty() && drawing.width() <= GridSize && drawing.height() <= GridSize,
            "an import larger than the grid, or empty");
        fuzz::check(drawing.cropped() == drawing, "an import with empty border lines");
        fuzz::check(rowCluesOf(drawing) == withoutEmptyEnds(puzzle->rows)
                && columnCluesOf(drawing) == withoutEmptyEnds(puzzle->columns),
            "the imported drawing does not fit the clues");
        fuzz::check(!puzzle->goal || drawing == puzzle->goal->cropped(), "the import is not the goal");
    } catch (const InputError& error) {
        checkMessage(error.message());
        fuzz::check(!puzzle || !puzzle->goal || !fitsTheGrid(*puzzle) || puzzle->goal->filledCount() == 0,
            "a puzzle with a goal that fits the grid was refused");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<NonPuzzle> puzzle;
    try {
        puzzle = parseNon(text);
    } catch (const InputError& error) {
        checkMessage(error.message());
    }
    if (puzzle) {
        checkPuzzle(*puzzle);
        std::optional<NonPuzzle> again;
        try {
            again = parseNon(writeNon(*puzzle));
        } catch (const InputError& error) {
            fuzz::check(false, error.what());
        }
        fuzz::check(again->title == puzzle->title && again->width == puzzle->width
                && again->height == puzzle->height && again->rows == puzzle->rows
                && again->columns == puzzle->columns && again->goal == puzzle->goal,
            "the puzzle's own text reads as another puzzle");
        checkSolver(*puzzle);
    }
    // Whether a puzzle that several pictures fit may be imported: the input decides.
    checkImport(fuzz::writeScratchFile("puzzle.non", text), puzzle, size % 2 == 1);
    return 0;
}
