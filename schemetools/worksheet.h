// What a scheme is exported as: an A4 worksheet (PDF) with the grid and its clues as the
// window shows them, the finished picture (PNG), and the .non text with its goal.
#pragma once

#include "puzzle.h"

#include <QByteArray>

#include <string>
#include <vector>

namespace schemetools {

struct Sheet {
    std::string title; // printed at the top, and the .non title
    Puzzle puzzle;
};

// One A4 portrait page per sheet: title, a line for name and date, and the visible part of the
// grid with its clue groups and line labels where the window has them, cells large enough to
// write in. With solution, one page more per sheet (after all the worksheets, in the same
// order) with the picture filled in.
QByteArray worksheetPdf(const std::vector<Sheet>& sheets, bool solution);

// The finished picture: the visible part of the grid, picture cells in the green of a
// completed game, the other visible cells white, hidden cells transparent.
QByteArray picturePng(const Puzzle& puzzle);

// The .non text: the visible part of the grid, its clues as the window shows them, its goal.
std::string puzzleNon(const Sheet& sheet);

} // namespace schemetools
