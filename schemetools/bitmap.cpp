// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmaps: clues, cropping and the "#"/"-" text form.
#include "bitmap.h"

#include <algorithm>

namespace schemetools {

Bitmap::Bitmap(int width, int height)
    : width_(width)
    , height_(height)
    , cells_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0)
{
}

int Bitmap::filledCount() const
{
    return static_cast<int>(std::count(cells_.begin(), cells_.end(), 1));
}

Clues Bitmap::rowClues(int row) const
{
    return runsOf(width_, [&](int c) { return filled(row, c); });
}

Clues Bitmap::columnClues(int column) const
{
    return runsOf(height_, [&](int r) { return filled(r, column); });
}

Bitmap::Part Bitmap::filledPart() const
{
    int top = height_, bottom = -1, left = width_, right = -1;
    for (int r = 0; r < height_; ++r) {
        for (int c = 0; c < width_; ++c) {
            if (filled(r, c)) {
                top = std::min(top, r);
                bottom = std::max(bottom, r);
                left = std::min(left, c);
                right = std::max(right, c);
            }
        }
    }
    if (bottom < 0)
        return {};
    return {top, left, right - left + 1, bottom - top + 1};
}

Bitmap Bitmap::cropped() const
{
    const Part part = filledPart();
    Bitmap drawing(part.width, part.height);
    for (int r = 0; r < part.height; ++r) {
        for (int c = 0; c < part.width; ++c)
            drawing.setFilled(r, c, filled(part.top + r, part.left + c));
    }
    return drawing;
}

std::vector<std::string> Bitmap::rows() const
{
    std::vector<std::string> lines;
    for (int r = 0; r < height_; ++r) {
        std::string line;
        for (int c = 0; c < width_; ++c)
            line += filled(r, c) ? '#' : '-';
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string Bitmap::schemeText() const
{
    std::string text;
    for (const std::string& line : rows())
        text.append(line).append("\n");
    return text;
}

std::string cluesText(const Clues& clues)
{
    if (clues.empty())
        return "0";
    std::string text;
    for (const int clue : clues) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(clue);
    }
    return text;
}

} // namespace schemetools
