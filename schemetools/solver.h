// SPDX-License-Identifier: GPL-3.0-or-later
// The nonogram solver: a complete line solver iterated over rows and columns to a fixed point,
// then a depth-first search with a node budget that tells a unique picture from several.
#pragma once

#include "bitmap.h"

#include <span>
#include <vector>

namespace schemetools {

enum class CellState : unsigned char { Unknown, Filled, Empty };

// The longest line the solver takes: lines are held in fixed buffers.
inline constexpr int MaxLineLength = 32;

// A puzzle for the solver: the clues of every row and column and the cells that are known to
// be empty from the start (the cells the window hides).
struct SolverInput {
    int width = 0;
    int height = 0;
    std::vector<Clues> rows; // height entries
    std::vector<Clues> columns; // width entries
    std::vector<bool> fixedEmpty; // width * height row by row, or empty for none
};

enum class Solvability {
    NoPicture, // no picture fits the clues
    LineByLine, // one picture, found by line reasoning alone
    NeedsTrial, // one picture, but line reasoning stops short of it
    Several, // at least two pictures fit
    Undecided, // the search ran out of its node budget
};

struct SolverResult {
    Solvability solvability = Solvability::NoPicture;
    // The pictures found, at most two (one for LineByLine and NeedsTrial, two for Several,
    // zero or one for Undecided).
    std::vector<Bitmap> pictures;
    long nodes = 0; // search steps taken (each a guess followed by line reasoning)
    int openCells = 0; // cells not fixed at the start
    int openAfterLines = 0; // cells that line reasoning left undecided
};

inline constexpr long DefaultNodeBudget = 20000;

// Without known, the search looks for two pictures. With known, a picture that fits the clues
// (a scheme's own drawing), it looks only for a picture other than that one, probing every
// open cell with the value known does not give it: far fewer steps for the same verdict. The
// pictures returned then start with known. Throws std::invalid_argument when a side is longer
// than MaxLineLength, the clue lists or known do not match the size, or a clue is not positive.
SolverResult solve(
    const SolverInput& input, long nodeBudget = DefaultNodeBudget, const Bitmap* known = nullptr);

// The complete line solver: fixes every unknown cell of line on which all placements of clues
// that fit the known cells agree. Returns false when no placement fits. line.size() is at most
// MaxLineLength.
bool solveLine(std::span<CellState> line, const Clues& clues);

} // namespace schemetools
