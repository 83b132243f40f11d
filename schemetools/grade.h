// SPDX-License-Identifier: GPL-3.0-or-later
// How hard a puzzle is for a child, and why: line reasoning run in passes over the rows and
// columns, the pass in which the last line is complete, and whether a guess is needed.
#pragma once

#include "solver.h"

#include <string>
#include <vector>

namespace schemetools {

// Line reasoning in passes: each pass solves every row, then every column, with what is known
// so far; passes go on until one changes nothing. Hidden cells are known blank from the start.
struct LineReasoning {
    std::vector<CellState> cells; // width * height, row by row: what reasoning decided
    bool contradiction = false; // a line fits no placement of its clues
    int passes = 0; // passes that decided something
    // The line that was complete last, and the pass in which it was (0 when every line was
    // complete from the start).
    bool lastIsColumn = false;
    int lastLine = 0; // from 0
    int lastPass = 0;
    int open() const;
};
LineReasoning reasonByLines(const SolverInput& input);

enum class GradeLevel { Easy, Medium, Hard };

// The measure: a puzzle that needs a guess is hard; otherwise the number of passes line reasoning
// needs decides: up to EasyPasses easy, up to MediumPasses medium, more hard. A pass more means
// the child must come back to a line with what the others revealed since.
inline constexpr int EasyPasses = 2;
inline constexpr int MediumPasses = 4;

struct Grade {
    GradeLevel level = GradeLevel::Hard;
    bool needsGuess = false;
    int open = 0; // cells line reasoning leaves open (with needsGuess)
    int passes = 0;
    bool lastIsColumn = false;
    int lastLine = 0; // from 0
    // In plain words, as the command prints it ("row 7 is complete only in pass 4 ...").
    std::string reason;
};

// The grade of a puzzle with a single picture (input as the solver takes it).
Grade gradePuzzle(const SolverInput& input);

// "easy", "medium" or "hard".
std::string gradeKey(GradeLevel level);

} // namespace schemetools
