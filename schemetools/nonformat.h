// SPDX-License-Identifier: GPL-3.0-or-later
// The public ".non" puzzle format: keys width, height, rows, columns, optional goal and
// title; reading it with every contradiction reported, and writing a scheme as one.
#pragma once

#include "bitmap.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace schemetools {

struct NonPuzzle {
    std::string title;
    int width = 0;
    int height = 0;
    std::vector<Clues> rows;
    std::vector<Clues> columns;
    std::optional<Bitmap> goal;
};

// Reads the text of a .non file. A UTF-8 byte-order mark at its start is skipped. Lines end in LF, CR LF or
// CR; lines starting with "#" are comments; keys it does not know (catalogue, by, copyright, license, ...)
// are passed over. Throws InputError for missing or repeated keys, clue lists of the wrong length, clues that
// cannot fit their line, rows and columns that do not add up to the same cells, and a goal
// that does not fit the clues.
NonPuzzle parseNon(std::string_view text);

// The text of a .non file with title, size, clues and goal.
std::string writeNon(const NonPuzzle& puzzle);

} // namespace schemetools
