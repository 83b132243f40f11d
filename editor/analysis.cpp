// SPDX-License-Identifier: GPL-3.0-or-later
// The verdict of a scheme with the cells it concerns, for the editor's panel and board.
#include "analysis.h"

#include "grade.h"

namespace editor {

namespace {

constexpr int GridSize = schemetools::GridSize;

} // namespace

std::vector<bool> openCells(const schemetools::Puzzle& puzzle)
{
    const schemetools::LineReasoning reasoning = schemetools::reasonByLines(puzzle.solverInput());
    if (reasoning.contradiction)
        return {};
    std::vector<bool> open(reasoning.cells.size());
    for (std::size_t i = 0; i < open.size(); ++i)
        open[i] = reasoning.cells[i] == schemetools::CellState::Unknown;
    return open;
}

OverfullLines overfullLines(const schemetools::Puzzle& puzzle)
{
    const schemetools::Bitmap picture = puzzle.picture();
    OverfullLines lines {std::vector<bool>(GridSize), std::vector<bool>(GridSize)};
    for (int l = 0; l < GridSize; ++l) {
        lines.rows[static_cast<std::size_t>(l)] = picture.rowClues(l).size() > engine::CluesPerLine;
        lines.columns[static_cast<std::size_t>(l)] = picture.columnClues(l).size() > engine::CluesPerLine;
    }
    return lines;
}

std::optional<int> suggestCell(const SchemeText& text, const CellEdits& edits, const std::vector<bool>& open,
    const std::function<bool()>& cancelled)
{
    const engine::SchemeDrawing drawing = schemetools::parseScheme(text.withEdits(edits));
    std::vector<int> order;
    for (const bool first : {true, false}) {
        for (int i = 0; i < GridSize * GridSize; ++i) {
            const engine::SchemeCell& cell = drawing[static_cast<std::size_t>(i)];
            const bool drawn
                = cell.kind == engine::SchemeChar::Mark && (cell.mark == '#' || cell.mark == '-');
            const bool isOpen = i < static_cast<int>(open.size()) && open[static_cast<std::size_t>(i)];
            if (drawn && isOpen == first)
                order.push_back(i);
        }
    }
    for (const int i : order) {
        if (cancelled && cancelled())
            return std::nullopt;
        CellEdits changed = edits;
        changed[static_cast<std::size_t>(i)] = drawing[static_cast<std::size_t>(i)].mark == '#' ? '-' : '#';
        const std::string bytes = text.withEdits(changed);
        const schemetools::Puzzle puzzle = schemetools::loadPuzzle(schemetools::parseScheme(bytes));
        if (puzzle.remaining == 0)
            continue;
        // Line reasoning that leaves nothing open has found the one picture; it must be the
        // drawing itself (a line with more than five runs shows clues the drawing does not fit).
        const schemetools::LineReasoning reasoning = schemetools::reasonByLines(puzzle.solverInput());
        if (reasoning.contradiction || reasoning.open() > 0)
            continue;
        const schemetools::Bitmap picture = puzzle.picture();
        bool same = true;
        for (int c = 0; c < GridSize * GridSize && same; ++c)
            same = (reasoning.cells[static_cast<std::size_t>(c)] == schemetools::CellState::Filled)
                == picture.filled(c / GridSize, c % GridSize);
        if (same)
            return i;
    }
    return std::nullopt;
}

Analysis analyse(const SchemeText& text, const CellEdits& edits, long nodeBudget)
{
    const std::string name;
    const std::string bytes = text.withEdits(edits);
    Analysis analysis;
    schemetools::CheckOptions options;
    options.nodeBudget = nodeBudget;
    analysis.check = schemetools::checkBytes(name, bytes, options);
    const schemetools::Verdict verdict = analysis.check.verdict;
    if (verdict == schemetools::Verdict::UniqueTrial || verdict == schemetools::Verdict::NotUnique
        || verdict == schemetools::Verdict::Undecided)
        analysis.open = openCells(schemetools::loadPuzzle(schemetools::parseScheme(bytes)));
    if (verdict == schemetools::Verdict::NotUnique) {
        const schemetools::Bitmap picture
            = schemetools::loadPuzzle(schemetools::parseScheme(bytes)).picture();
        analysis.differs.assign(static_cast<std::size_t>(GridSize * GridSize), false);
        const std::vector<std::string>& second = analysis.check.second;
        for (int r = 0; r < GridSize; ++r) {
            for (int c = 0; c < GridSize; ++c) {
                const bool other = r < static_cast<int>(second.size())
                    && c < static_cast<int>(second[static_cast<std::size_t>(r)].size())
                    && second[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '#';
                analysis.differs[static_cast<std::size_t>(r * GridSize + c)] = other != picture.filled(r, c);
            }
        }
    }
    return analysis;
}

} // namespace editor
