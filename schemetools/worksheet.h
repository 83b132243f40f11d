// SPDX-License-Identifier: GPL-3.0-or-later
// What a scheme is exported as: an A4 worksheet (PDF) with the grid and its clues as the
// window shows them, the finished picture (PNG), and the .non text with its goal.
#pragma once

#include "puzzle.h"

#include <QByteArray>
#include <QImage>
#include <QPagedPaintDevice>
#include <QRectF>

#include <functional>
#include <string>
#include <vector>

namespace schemetools {

struct Sheet {
    std::string title; // printed at the top, and the .non title (UTF-8); empty for none
    Puzzle puzzle;
    std::string name; // the scheme's name (UTF-8), printed on its solution page only
};

// The words a worksheet prints besides the puzzle, as plain UTF-8 strings: Italian unless the
// caller gives others. The command reads them from a language file (the keys are in
// DESIGN.md, "Words outside the game's window"); this library knows no language file.
struct WorksheetWords {
    std::string name = "Nome"; // before the line for the child's name
    std::string schoolClass = "Classe"; // before the line for the class
    std::string date = "Data"; // before the line for the date
    // One line for the child under the header.
    std::string instruction = "Colora le caselle: i numeri dicono quante caselle di fila colorare in ogni "
                              "riga e colonna, nell'ordine, con almeno una casella bianca tra due gruppi.";
    std::string solution = "Soluzione"; // heads a solution page, before the scheme's name
};

// The worksheet's words of a language: lookup gives the UTF-8 text of a key of the language
// file ("Foglio.Nome.Caption"), empty when the file has none, which keeps the Italian word.
// Every front end takes its words through this, so the keys are named in one place only.
WorksheetWords worksheetWords(const std::function<std::string(const char* key)>& lookup);

// One A4 portrait page per sheet: title, lines for name, class and date, the instruction, and
// the visible part of the grid with its clue groups (white slots, clues in black) and line
// labels where the window has them, cells large enough to write in; the guide lines after
// every fifth row and column stop at holes. With solution, one page more per sheet (after all
// the worksheets, in the same order) with the picture filled in, headed by words.solution and
// the sheet's name.
QByteArray worksheetPdf(const std::vector<Sheet>& sheets, bool solution, const WorksheetWords& words);

// The same pages painted on device (a printer, a PDF writer) from its current page on: each A4
// page scaled to fit the device's paintable area and centred in it. worksheetPdf paints through
// this. False when no painter can begin on the device (a printer that is not valid).
bool paintWorksheet(
    QPagedPaintDevice& device, const std::vector<Sheet>& sheets, bool solution, const WorksheetWords& words);

// One page of that worksheet (filled: its solution page) drawn on a white A4 image of
// dotsPerInch: a preview, the same drawing as the PDF's.
QImage worksheetImage(const Sheet& sheet, bool filled, const WorksheetWords& words, int dotsPerInch);
// Where cell (row, column) of puzzle (from 0) stands on that image, in its pixels.
QRectF worksheetCellRect(const Puzzle& puzzle, int row, int column, int dotsPerInch);

// The finished picture: the visible part of the grid, picture cells in the green of a
// completed game, the other visible cells white, hidden cells transparent.
QByteArray picturePng(const Puzzle& puzzle);

// The hidden cells inside the box of the visible part: holes and short lines, which a .non
// cannot say (it has them as cells to work out), so that its puzzle differs from the window's.
int hiddenCellsInside(const Puzzle& puzzle);

// The .non text: the visible part of the grid, its clues as the window shows them, its goal.
std::string puzzleNon(const Sheet& sheet);

} // namespace schemetools
