// What the verdict panel and the board show about a scheme: the checker's verdict and problems,
// the cells line-by-line reasoning leaves open, the cells where a second picture differs, and the
// lines with more runs than the five clues a line shows.
#pragma once

#include "checker.h"
#include "puzzle.h"

#include <string>
#include <vector>

namespace editor {

struct Analysis {
    schemetools::CheckResult check;
    std::vector<bool> open; // 441 cells: left undecided by line reasoning (only for a verdict of trial or
                            // not unique)
    std::vector<bool> differs; // 441 cells: where the second picture differs (not unique)
};

// Checks the bytes of a scheme as the checker does and adds the open and differing cells.
// Runs on any thread: it touches nothing shared.
Analysis analyse(const std::string& name, const std::string& bytes, long nodeBudget);

// The cells (441) line-by-line reasoning on puzzle's clues cannot decide, hidden cells being
// known blank from the start; empty when the clues contradict each other.
std::vector<bool> openCells(const schemetools::Puzzle& puzzle);

// Rows and columns whose picture cells form more runs than the five clues a line shows.
struct OverfullLines {
    std::vector<bool> rows; // 21
    std::vector<bool> columns; // 21
};
OverfullLines overfullLines(const schemetools::Puzzle& puzzle);

} // namespace editor
