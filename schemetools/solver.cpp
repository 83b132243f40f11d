// SPDX-License-Identifier: GPL-3.0-or-later
// Line solving by dynamic programming over the placements of a line's clues, rows and columns
// to a fixed point, and a budgeted search for what line reasoning cannot decide.
//
// The line reasoning, worked on one small line. Take a row of 6 cells with the clues "3 1",
// the last cell already known empty (x); "?" is a cell not yet known:
//
//     clues 3 1    ? ? ? ? ? x
//
// The placements of the clues in order, each run followed by at least one empty cell, that
// agree with what is known:
//
//     # # # - # -      the 3 at cells 0-2, the 1 at cell 4
//     # # # - - #      refused: cell 5 is known empty
//     - # # # - #      refused: likewise
//
// One placement is left, so every cell is fixed: "# # # - # x". Without the known cell all
// three fit, and only the cells they agree on are fixed: cells 1 and 2 are filled in all of
// them, so the line becomes "? # # ? ? ?". Trying every placement costs too much on a line of
// 21 cells with five clues, so solveLine counts them in two tables instead: before(i, j)
// says whether cells 0 .. i - 1 can hold the first j clues, after(i, j) whether cells i ..
// the end can hold the others. A cell may be empty when some prefix and suffix meet around it,
// and may be filled when some run of a clue can cover it with a fitting prefix before and a
// fitting suffix after; a cell that may be only one of the two is fixed. solve() repeats this
// on every row and column whose cells changed until nothing changes, and then guesses.
#include "solver.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace schemetools {

namespace {

constexpr int MaxClues = MaxLineLength / 2 + 1;

// Element i of an array or vector, with the int indices the solver counts in.
template <typename Container> decltype(auto) at(Container& container, int i)
{
    return container[static_cast<std::size_t>(i)];
}

// before(i, j) or after(i, j) of the line reasoning: cell boundary i (0 .. n + 1), clue j.
class PlacementTable {
public:
    bool& operator()(int i, int j) { return at(at(fits_, i), j); }

private:
    std::array<std::array<bool, MaxClues + 1>, MaxLineLength + 2> fits_ {};
};

} // namespace

bool solveLine(std::span<CellState> line, const Clues& clues)
{
    const int n = static_cast<int>(line.size());
    const int k = static_cast<int>(clues.size());
    if (n > MaxLineLength || k > MaxClues)
        return false;

    // Cell n is an extra empty cell after the line, so that every clue can be followed by one.
    auto canBeEmpty = [&](int i) { return i >= n || at(line, i) != CellState::Filled; };
    std::array<int, MaxLineLength + 1> emptyBefore {}; // known-empty cells among 0 .. i - 1
    for (int i = 0; i < n; ++i)
        at(emptyBefore, i + 1) = at(emptyBefore, i) + (at(line, i) == CellState::Empty);
    auto canFill = [&](int from, int length) {
        return from + length <= n && at(emptyBefore, from + length) == at(emptyBefore, from);
    };
    auto clue = [&](int j) { return at(clues, j); };

    // before(i, j): cells 0 .. i - 1 fit clues 0 .. j - 1, each clue followed by an empty cell.
    // after(i, j): cells i .. n fit clues j .. k - 1, likewise.
    PlacementTable before;
    PlacementTable after;
    before(0, 0) = true;
    for (int i = 1; i <= n + 1; ++i) {
        for (int j = 0; j <= k; ++j) {
            bool fits = before(i - 1, j) && canBeEmpty(i - 1);
            if (!fits && j > 0) {
                const int start = i - 1 - clue(j - 1);
                fits = start >= 0 && before(start, j - 1) && canFill(start, clue(j - 1)) && canBeEmpty(i - 1);
            }
            before(i, j) = fits;
        }
    }
    after(n + 1, k) = true;
    for (int i = n; i >= 0; --i) {
        for (int j = 0; j <= k; ++j) {
            bool fits = canBeEmpty(i) && after(i + 1, j);
            if (!fits && j < k) {
                const int length = clue(j);
                fits = i + length + 1 <= n + 1 && canFill(i, length) && canBeEmpty(i + length)
                    && after(i + length + 1, j + 1);
            }
            after(i, j) = fits;
        }
    }
    if (!after(0, 0))
        return false;

    // A cell may be empty when a fitting prefix ends with it empty and a fitting suffix follows
    // with the remaining clues; it may be filled
    // when some fitting placement of a clue covers it (counted with a difference array).
    std::array<int, MaxLineLength + 1> cover {};
    for (int j = 0; j < k; ++j) {
        const int length = clue(j);
        for (int start = 0; start + length <= n; ++start) {
            if (before(start, j) && canFill(start, length) && canBeEmpty(start + length)
                && after(start + length + 1, j + 1)) {
                ++at(cover, start);
                --at(cover, start + length);
            }
        }
    }
    int covering = 0;
    for (int i = 0; i < n; ++i) {
        covering += at(cover, i);
        bool mayBeEmpty = false;
        for (int j = 0; j <= k && !mayBeEmpty; ++j)
            mayBeEmpty = before(i + 1, j) && after(i + 1, j);
        const bool mayBeFilled = covering > 0;
        CellState& cell = at(line, i);
        if (!mayBeEmpty && !mayBeFilled)
            return false;
        if (!mayBeEmpty)
            cell = CellState::Filled;
        else if (!mayBeFilled)
            cell = CellState::Empty;
    }
    return true;
}

namespace {

class Search {
public:
    // Looks for up to wanted pictures.
    Search(const SolverInput& input, long budget, std::size_t wanted)
        : input_(input)
        , budget_(budget)
        , wanted_(wanted)
    {
    }

    using Grid = std::vector<CellState>;

    // Line reasoning on the dirty lines until nothing changes; false on a contradiction.
    bool propagate(Grid& grid, std::vector<char>& dirtyRows, std::vector<char>& dirtyColumns) const
    {
        bool any = true;
        while (any) {
            any = false;
            for (int r = 0; r < input_.height; ++r) {
                if (at(dirtyRows, r) && !reasonLine(grid, false, r, dirtyColumns, any))
                    return false;
                at(dirtyRows, r) = 0;
            }
            for (int c = 0; c < input_.width; ++c) {
                if (at(dirtyColumns, c) && !reasonLine(grid, true, c, dirtyRows, any))
                    return false;
                at(dirtyColumns, c) = 0;
            }
        }
        return true;
    }

    // Line reasoning on one row or column; the crossing lines of the cells it fixes become
    // dirty, and changed is set. False on a contradiction.
    bool reasonLine(Grid& grid, bool column, int index, std::vector<char>& dirtyCrossing, bool& changed) const
    {
        const int length = column ? input_.height : input_.width;
        auto cellAt = [&](int i) { return column ? cellIndex(i, index) : cellIndex(index, i); };
        std::array<CellState, MaxLineLength> line {};
        for (int i = 0; i < length; ++i)
            at(line, i) = grid[cellAt(i)];
        const Clues& clues = at(column ? input_.columns : input_.rows, index);
        if (!solveLine(std::span(line.data(), static_cast<std::size_t>(length)), clues))
            return false;
        for (int i = 0; i < length; ++i) {
            if (grid[cellAt(i)] != at(line, i)) {
                grid[cellAt(i)] = at(line, i);
                at(dirtyCrossing, i) = 1;
                changed = true;
            }
        }
        return true;
    }

    // Sets cell to value and reasons from its row and column on; false on a contradiction.
    bool settle(Grid& grid, int cell, CellState value) const
    {
        at(grid, cell) = value;
        std::vector<char> dirtyRows(static_cast<std::size_t>(input_.height), 0);
        std::vector<char> dirtyColumns(static_cast<std::size_t>(input_.width), 0);
        at(dirtyRows, cell / input_.width) = 1;
        at(dirtyColumns, cell % input_.width) = 1;
        return propagate(grid, dirtyRows, dirtyColumns);
    }

    // Takes one node of the budget; false when none is left.
    bool step()
    {
        if (nodes_ >= budget_) {
            outOfBudget_ = true;
            return false;
        }
        ++nodes_;
        return true;
    }

    bool done() const { return found_.size() >= wanted_ || outOfBudget_; }

    // Depth-first search for the pictures that fit grid. Each guess costs one node.
    void search(const Grid& grid)
    {
        if (done())
            return;
        const int guess = chooseCell(grid);
        if (guess < 0) {
            found_.push_back(grid);
            return;
        }
        for (const CellState value : {CellState::Filled, CellState::Empty}) {
            if (!step())
                return;
            Grid next = grid;
            if (settle(next, guess, value))
                search(next);
            if (done())
                return;
        }
    }

    Bitmap picture(const Grid& grid) const
    {
        Bitmap drawing(input_.width, input_.height);
        for (int r = 0; r < input_.height; ++r) {
            for (int c = 0; c < input_.width; ++c)
                drawing.setFilled(r, c, grid[cellIndex(r, c)] == CellState::Filled);
        }
        return drawing;
    }

    std::size_t cellIndex(int r, int c) const { return static_cast<std::size_t>(r * input_.width + c); }

    const std::vector<Grid>& found() const { return found_; }
    void clearFound() { found_.clear(); }
    long nodes() const { return nodes_; }
    bool outOfBudget() const { return outOfBudget_; }

    // An open cell of the row with the fewest open cells: guesses there settle most.
    int chooseCell(const Grid& grid) const
    {
        int best = -1;
        int bestOpen = MaxLineLength + 1;
        for (int r = 0; r < input_.height; ++r) {
            int open = 0;
            int first = -1;
            for (int c = 0; c < input_.width; ++c) {
                if (grid[cellIndex(r, c)] == CellState::Unknown) {
                    if (open++ == 0)
                        first = static_cast<int>(cellIndex(r, c));
                }
            }
            if (open > 0 && open < bestOpen) {
                bestOpen = open;
                best = first;
            }
        }
        return best;
    }

private:
    const SolverInput& input_;
    long budget_;
    std::size_t wanted_;
    long nodes_ = 0;
    bool outOfBudget_ = false;
    std::vector<Grid> found_;
};

int countOpen(const std::vector<CellState>& grid)
{
    int open = 0;
    for (const CellState cell : grid)
        open += cell == CellState::Unknown;
    return open;
}

// With a known picture, whether another one exists: every open cell is probed with the value
// the known picture does not give it; a contradiction settles the cell, and what no probe
// settles is searched for a picture with that other value.
void searchAgainstKnown(Search& search, std::vector<CellState> grid, const Bitmap& known)
{
    const int width = known.width();
    auto knownValue = [&](int cell) {
        return known.filled(cell / width, cell % width) ? CellState::Filled : CellState::Empty;
    };
    auto other
        = [](CellState value) { return value == CellState::Filled ? CellState::Empty : CellState::Filled; };
    for (bool settled = true; settled;) {
        settled = false;
        for (int cell = 0; cell < static_cast<int>(grid.size()); ++cell) {
            if (at(grid, cell) != CellState::Unknown)
                continue;
            if (!search.step())
                return;
            std::vector<CellState> probe = grid;
            if (!search.settle(probe, cell, other(knownValue(cell)))) {
                if (!search.settle(grid, cell, knownValue(cell)))
                    return; // the known picture does not fit after all
                settled = true;
            }
        }
    }
    for (int cell = 0; cell < static_cast<int>(grid.size()); ++cell) {
        if (at(grid, cell) != CellState::Unknown)
            continue;
        std::vector<CellState> probe = grid;
        if (search.settle(probe, cell, other(knownValue(cell))))
            search.search(probe);
        if (!search.found().empty() || search.outOfBudget())
            return;
        if (!search.settle(grid, cell, knownValue(cell)))
            return;
    }
}

} // namespace

SolverResult solve(const SolverInput& input, long nodeBudget, const Bitmap* known)
{
    if (input.width < 0 || input.height < 0 || input.width > MaxLineLength || input.height > MaxLineLength)
        throw std::invalid_argument("the solver takes at most 32 x 32 cells");
    if (input.rows.size() != static_cast<std::size_t>(input.height)
        || input.columns.size() != static_cast<std::size_t>(input.width)
        || (!input.fixedEmpty.empty()
            && input.fixedEmpty.size() != static_cast<std::size_t>(input.width * input.height))
        || (known != nullptr && (known->width() != input.width || known->height() != input.height)))
        throw std::invalid_argument("the clues do not match the size of the puzzle");
    for (const auto* lines : {&input.rows, &input.columns}) {
        for (const Clues& clues : *lines) {
            if (std::find_if(clues.begin(), clues.end(), [](int clue) { return clue <= 0; }) != clues.end())
                throw std::invalid_argument("a clue is not a positive number");
        }
    }

    Search search(input, nodeBudget, known != nullptr ? 1 : 2);
    std::vector<CellState> grid(static_cast<std::size_t>(input.width * input.height), CellState::Unknown);
    for (std::size_t i = 0; i < input.fixedEmpty.size(); ++i) {
        if (input.fixedEmpty[i])
            grid[i] = CellState::Empty;
    }
    SolverResult result;
    result.openCells = countOpen(grid);
    std::vector<char> dirtyRows(static_cast<std::size_t>(input.height), 1);
    std::vector<char> dirtyColumns(static_cast<std::size_t>(input.width), 1);
    if (!search.propagate(grid, dirtyRows, dirtyColumns)) {
        result.solvability = Solvability::NoPicture;
        return result;
    }
    result.openAfterLines = countOpen(grid);
    if (result.openAfterLines == 0) {
        result.solvability = Solvability::LineByLine;
        result.pictures.push_back(search.picture(grid));
        return result;
    }

    if (known != nullptr) {
        searchAgainstKnown(search, grid, *known);
        result.pictures.push_back(*known);
    } else {
        search.search(grid);
    }
    result.nodes = search.nodes();
    for (const auto& found : search.found())
        result.pictures.push_back(search.picture(found));
    if (result.pictures.size() >= 2)
        result.solvability = Solvability::Several;
    else if (search.outOfBudget())
        result.solvability = Solvability::Undecided;
    else
        result.solvability = result.pictures.empty() ? Solvability::NoPicture : Solvability::NeedsTrial;
    return result;
}

} // namespace schemetools
