// SPDX-License-Identifier: GPL-3.0-or-later
// Plain text grids: "#", "X", "1" or "█" for a filled cell; ".", "-", "0" or a blank for an
// empty one; one line per row, in UTF-8. When every other character of every line is a blank
// ("1 1 0 1"), and some line has two cells, the blanks only separate the cells.
#pragma once

#include "bitmap.h"

#include <string_view>

namespace schemetools {

// The drawing of a text grid, uncropped; short lines and missing rows are empty. A
// byte-order mark at the start is skipped. Throws InputError naming the line and column of a
// character that is neither filled nor empty.
Bitmap parseTextGrid(std::string_view text);

} // namespace schemetools
