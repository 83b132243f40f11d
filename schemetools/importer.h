// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a drawing from a .non puzzle, a picture or a text grid: the source's kind, the
// reading with its size cap, the solving of clues without a goal, and the scheme text.
#pragma once

#include "bitmap.h"
#include "pictureimport.h"
#include "solver.h"

#include <optional>
#include <string>

namespace schemetools {

enum class SourceKind { Non, Picture, Text };

// The kind a file name says: ".non"; ".png", ".bmp", ".gif", ".pbm", ".pgm", ".ppm", ".xpm",
// ".jpg", ".jpeg"; ".txt"; any letter case. Nothing for other names.
std::optional<SourceKind> sourceKindOf(const std::string& path);
// "non", "picture" or "text", as the command line names them.
std::optional<SourceKind> sourceKindNamed(const std::string& name);

struct ImportOptions {
    PictureOptions picture;
    bool allowNotUnique = false; // take the first picture that fits clues of several
    long nodeBudget = DefaultNodeBudget;
};

// The drawing in the file at path, cropped, at most 21 x 21. Throws InputError (without the
// file's name) for anything that makes the source unusable. When hint is given, it is set to
// advice on a result that likely lost what the source shows (empty when there is none).
Bitmap importBitmap(
    const std::string& path, SourceKind kind, const ImportOptions& options, std::string* hint = nullptr);

} // namespace schemetools
