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
    const schemetools::Drawing picture = puzzle.picture();
    OverfullLines lines {std::vector<bool>(GridSize), std::vector<bool>(GridSize)};
    for (int l = 0; l < GridSize; ++l) {
        lines.rows[static_cast<std::size_t>(l)] = picture.rowClues(l).size() > engine::CluesPerLine;
        lines.columns[static_cast<std::size_t>(l)] = picture.columnClues(l).size() > engine::CluesPerLine;
    }
    return lines;
}

Analysis analyse(const std::string& name, const std::string& bytes, long nodeBudget)
{
    Analysis analysis;
    schemetools::CheckOptions options;
    options.nodeBudget = nodeBudget;
    analysis.check = schemetools::checkBytes(name, bytes, options);
    const schemetools::Verdict verdict = analysis.check.verdict;
    if (verdict == schemetools::Verdict::UniqueTrial || verdict == schemetools::Verdict::NotUnique
        || verdict == schemetools::Verdict::Undecided)
        analysis.open = openCells(schemetools::loadPuzzle(schemetools::parseScheme(bytes)));
    if (verdict == schemetools::Verdict::NotUnique) {
        const schemetools::Drawing picture
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
