// SPDX-License-Identifier: GPL-3.0-or-later
// Box numbering, line orders and mark classes.
#include "board.h"

#include <cctype>
#include <charconv>

namespace engine {

std::array<int, GridSize> rowCells(int row)
{
    std::array<int, GridSize> cells {};
    for (int c = 1; c <= GridSize; ++c)
        cells[static_cast<size_t>(c - 1)] = cell(row, c);
    return cells;
}

std::array<int, GridSize> columnCells(int column)
{
    std::array<int, GridSize> cells {};
    for (int r = 1; r <= GridSize; ++r)
        cells[static_cast<size_t>(r - 1)] = cell(r, column);
    return cells;
}

std::string boxName(int n)
{
    return std::string(BoxNamePrefix) + std::to_string(n);
}

int boxNumber(std::string_view name)
{
    if (name.size() <= BoxNamePrefix.size() || name.size() > BoxNamePrefix.size() + 3)
        return 0;
    for (std::size_t i = 0; i < BoxNamePrefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i]))
            != std::tolower(static_cast<unsigned char>(BoxNamePrefix[i])))
            return 0;
    }
    const std::string_view digits = name.substr(BoxNamePrefix.size());
    if (digits.front() == '0')
        return 0;
    int n = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error != std::errc {} || end != digits.data() + digits.size() || n < 1 || n > BoxCount)
        return 0;
    return n;
}

MarkClass markClass(std::string_view mark)
{
    if (mark.size() != 1)
        return MarkClass::Inert;
    switch (mark[0]) {
    case '0':
    case '2':
    case '4':
    case '6':
    case '8':
        return MarkClass::Blank;
    case '1':
    case '3':
    case '5':
    case '7':
    case '9':
        return MarkClass::Filled;
    default:
        return MarkClass::Inert;
    }
}

} // namespace engine
