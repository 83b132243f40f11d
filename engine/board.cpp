// Box numbering, line orders and mark classes.
#include "board.h"

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
    return "suiEdit" + std::to_string(n);
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
