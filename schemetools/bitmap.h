// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap: a black-and-white picture of cells (at most 21 x 21 for a scheme), its run-length
// clues, and its text form as "#" and "-" lines: what the importers produce and the solver
// returns. Not to be confused with engine::SchemeDrawing, the cells of a scheme file as read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace schemetools {

using Clues = std::vector<int>;

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    // row and column count from 0.
    bool filled(int row, int column) const { return cells_[index(row, column)] != 0; }
    void setFilled(int row, int column, bool filled) { cells_[index(row, column)] = filled ? 1 : 0; }
    int filledCount() const;

    // The lengths of the runs of filled cells of a row or a column, in order.
    Clues rowClues(int row) const;
    Clues columnClues(int column) const;

    // The smallest part that holds every filled cell: its first row and column, and its size
    // (0 x 0 when none is filled).
    struct Part {
        int top = 0;
        int left = 0;
        int width = 0;
        int height = 0;
    };
    Part filledPart() const;
    // That part as a drawing of its own.
    Bitmap cropped() const;

    // One "#"/"-" string per row.
    std::vector<std::string> rows() const;
    // The rows, each followed by "\n": the content of a scheme file.
    std::string schemeText() const;

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    std::size_t index(int row, int column) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(width_)
            + static_cast<std::size_t>(column);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<unsigned char> cells_;
};

// The clues of a line of cells, given as a predicate over 0 .. length - 1.
template <typename Filled> Clues runsOf(int length, Filled filled)
{
    Clues runs;
    int run = 0;
    for (int i = 0; i <= length; ++i) {
        if (i < length && filled(i)) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
}

// Clues written with blanks between them ("1 3 2"); "0" for none.
std::string cluesText(const Clues& clues);

} // namespace schemetools
