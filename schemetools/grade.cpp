// SPDX-License-Identifier: GPL-3.0-or-later
// Grading a puzzle by the passes of line reasoning it needs.
#include "grade.h"

#include <algorithm>
#include <array>

namespace schemetools {

int LineReasoning::open() const
{
    return static_cast<int>(std::count(cells.begin(), cells.end(), CellState::Unknown));
}

LineReasoning reasonByLines(const SolverInput& input)
{
    LineReasoning r;
    const auto size = static_cast<std::size_t>(input.width * input.height);
    r.cells.assign(size, CellState::Unknown);
    for (std::size_t i = 0; i < input.fixedEmpty.size() && i < size; ++i) {
        if (input.fixedEmpty[i])
            r.cells[i] = CellState::Empty;
    }
    std::array<CellState, MaxLineLength> buffer {};
    for (int pass = 1;; ++pass) {
        bool changed = false;
        for (const bool column : {false, true}) {
            const int lines = column ? input.width : input.height;
            const int length = column ? input.height : input.width;
            for (int l = 0; l < lines; ++l) {
                auto at = [&](int i) -> CellState& {
                    return r
                        .cells[static_cast<std::size_t>(column ? i * input.width + l : l * input.width + i)];
                };
                for (int i = 0; i < length; ++i)
                    buffer[static_cast<std::size_t>(i)] = at(i);
                const Clues& clues = column ? input.columns[static_cast<std::size_t>(l)]
                                            : input.rows[static_cast<std::size_t>(l)];
                std::span<CellState> line(buffer.data(), static_cast<std::size_t>(length));
                if (!solveLine(line, clues)) {
                    r.contradiction = true;
                    return r;
                }
                bool lineChanged = false;
                for (int i = 0; i < length; ++i) {
                    if (at(i) != line[static_cast<std::size_t>(i)]) {
                        at(i) = line[static_cast<std::size_t>(i)];
                        lineChanged = true;
                    }
                }
                const bool complete = std::none_of(
                    line.begin(), line.end(), [](CellState s) { return s == CellState::Unknown; });
                if (lineChanged && complete) {
                    r.lastIsColumn = column;
                    r.lastLine = l;
                    r.lastPass = pass;
                }
                changed = changed || lineChanged;
            }
        }
        if (!changed)
            return r;
        r.passes = pass;
    }
}

Grade gradePuzzle(const SolverInput& input)
{
    const LineReasoning reasoning = reasonByLines(input);
    Grade grade;
    grade.passes = reasoning.passes;
    grade.lastIsColumn = reasoning.lastIsColumn;
    grade.lastLine = reasoning.lastLine;
    grade.open = reasoning.open();
    const std::string line
        = (reasoning.lastIsColumn ? "column " : "row ") + std::to_string(reasoning.lastLine + 1);
    if (reasoning.contradiction || grade.open > 0) {
        grade.level = GradeLevel::Hard;
        grade.needsGuess = true;
        grade.reason
            = "needs a guess: reasoning line by line leaves " + std::to_string(grade.open) + " cells open";
        return grade;
    }
    grade.level = grade.passes <= EasyPasses ? GradeLevel::Easy
        : grade.passes <= MediumPasses       ? GradeLevel::Medium
                                             : GradeLevel::Hard;
    if (grade.level == GradeLevel::Easy)
        grade.reason = "every line is complete within " + std::to_string(std::max(grade.passes, 1))
            + (grade.passes > 1 ? " passes" : " pass") + " over the rows and columns";
    else
        grade.reason = line + " is complete only in pass " + std::to_string(reasoning.lastPass)
            + " over the rows and columns: it needs what the other lines reveal first";
    return grade;
}

std::string gradeKey(GradeLevel level)
{
    switch (level) {
    case GradeLevel::Easy:
        return "easy";
    case GradeLevel::Medium:
        return "medium";
    case GradeLevel::Hard:
        break;
    }
    return "hard";
}

} // namespace schemetools
