// SPDX-License-Identifier: GPL-3.0-or-later
// What the verdict panel and the board show about a scheme: the checker's verdict and problems,
// the cells line-by-line reasoning leaves open, the cells where a second picture differs, and the
// lines with more runs than the five clues a line shows.
#pragma once

#include "checker.h"
#include "puzzle.h"
#include "schemetext.h"

#include <functional>
#include <optional>

#include <string>
#include <vector>

namespace editor {

// The search budget of the editor's checks: a quarter of the command's, so that the slowest
// check after an edit stays near a tenth of a second (bench/editor); a drawing that needs more
// is "undecided" in the editor and can be checked with tessaria-schemi.
inline constexpr long EditorNodeBudget = schemetools::DefaultNodeBudget / 4;

struct Analysis {
    schemetools::CheckResult check;
    std::vector<bool> open; // 441 cells: left undecided by line reasoning (only for a verdict of trial or
                            // not unique)
    std::vector<bool> differs; // 441 cells: where the second picture differs (not unique)
    // For a puzzle that needs trial or is not unique: a cell whose change (picture cell to
    // blank or back) makes it solvable line by line; found after the verdict, by suggestCell.
    std::optional<int> suggestion;
    bool wantsSuggestion() const
    {
        return check.verdict == schemetools::Verdict::UniqueTrial
            || check.verdict == schemetools::Verdict::NotUnique;
    }
};

// Checks the scheme text with edits as the checker does and adds the open and differing cells.
// Runs on any thread: it touches nothing shared.
Analysis analyse(const SchemeText& text, const CellEdits& edits, long nodeBudget);

// The cell, tried in the order: open cells first, then every other picture or blank cell,
// whose change makes the scheme solvable line by line; none when no single cell does, or when
// cancelled returns true before one is found.
std::optional<int> suggestCell(const SchemeText& text, const CellEdits& edits, const std::vector<bool>& open,
    const std::function<bool()>& cancelled);

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
