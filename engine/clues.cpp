// SPDX-License-Identifier: GPL-3.0-or-later
// Clue derivation: the runs of "1" marks of every row and column, at most five per line,
// written into the clue slots flush against the grid.
#include "game.h"

namespace engine {

namespace {

// How a cell's mark takes part in the reading of its line.
enum class Reading : unsigned char {
    Run, // "1"
    Gap, // "0", or an empty mark: a hole or a cell of a dead line ends a run just as "0" does,
         // so that the clues match the picture the child sees
    Stop, // any other mark ends the reading of the line
};

struct LineClues {
    int count = 0;
    std::array<int, CluesPerLine> runs {};
};

LineClues readLine(const std::array<Reading, CellCount>& reading, const std::array<int, GridSize>& line)
{
    LineClues clues;
    int run = 0;
    for (const int n : line) {
        const Reading r = reading[static_cast<std::size_t>(n - 1)];
        if (r == Reading::Run) {
            ++run;
            continue;
        }
        if (run > 0) {
            clues.runs[static_cast<std::size_t>(clues.count++)] = run;
            run = 0;
            // Whatever follows the fifth run is not read.
            if (clues.count == CluesPerLine)
                return clues;
        }
        if (r == Reading::Stop)
            return clues;
    }
    if (run > 0)
        clues.runs[static_cast<std::size_t>(clues.count++)] = run;
    return clues;
}

// The clues of a line stand in slots 6 - count .. 5, in the order of the runs; the slots
// before them are empty. Groups and labels of lines without clues are hidden.
template <typename SlotOf> void writeLine(BoardHost& host, const LineClues& clues, SlotOf slotOf, int label)
{
    const int first = CluesPerLine + 1 - clues.count;
    for (int k = 1; k <= CluesPerLine; ++k) {
        Box& slot = host.box(slotOf(k));
        slot.setText(
            k < first ? std::string() : std::to_string(clues.runs[static_cast<std::size_t>(k - first)]));
        slot.setVisibleFlag(clues.count > 0);
    }
    host.box(label).setVisibleFlag(clues.count > 0);
}

} // namespace

void Game::deriveClues()
{
    std::array<Reading, CellCount> reading {};
    for (int n = 1; n <= CellCount; ++n) {
        const std::string mark = host_.box(n).text();
        if (mark == "1")
            reading[static_cast<std::size_t>(n - 1)] = Reading::Run;
        else if (mark.empty() || mark == "0")
            reading[static_cast<std::size_t>(n - 1)] = Reading::Gap;
        else
            reading[static_cast<std::size_t>(n - 1)] = Reading::Stop;
    }

    for (int r = 1; r <= GridSize; ++r)
        writeLine(
            host_, readLine(reading, rowCells(r)), [r](int k) { return rowClueSlot(r, k); }, rowLabel(r));
    for (int c = 1; c <= GridSize; ++c) {
        writeLine(
            host_, readLine(reading, columnCells(c)), [c](int k) { return columnClueSlot(c, k); },
            columnLabel(c));
    }

    // Ticks left by the player are taken back: every slot is silver again.
    for (int n = FirstRowClueSlot; n <= LastClueSlot; ++n)
        host_.box(n).setColor(color::Silver);
}

} // namespace engine
