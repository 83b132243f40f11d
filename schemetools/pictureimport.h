// SPDX-License-Identifier: GPL-3.0-or-later
// Turning a picture (PNG, BMP, GIF, PBM/PGM/PPM, XPM, JPEG: what Qt reads) into a drawing:
// dark pixels are picture cells, transparent and light ones blank, margins cropped, and a
// picture larger than the grid refused or reduced by area averaging.
#pragma once

#include "bitmap.h"

#include <QByteArray>

#include <string>

namespace schemetools {

// Pictures are read whole, so their files are capped.
inline constexpr std::size_t PictureFileCap = 64 * 1024 * 1024;
// A picture of more pixels is refused, before it is decoded when its header tells its size;
// the decoder is held to 4 bytes for each of them in any case.
inline constexpr qint64 MaxPicturePixels = 16'000'000;

struct PictureOptions {
    int threshold = 128; // a pixel darker than this grey level (0 .. 255) is a picture cell
    bool fit = false; // reduce a picture larger than 21 x 21 instead of refusing it
    qint64 maxPixels = MaxPicturePixels; // a picture of more pixels is refused
};

// The drawing of the picture in bytes, cropped to its dark pixels, at most 21 x 21. Throws
// InputError when the bytes are no picture Qt can read, it has more than maxPixels pixels, it
// has no dark pixel, or it is larger than 21 x 21 (its size in the message) without fit. When
// fit reduced the picture and kept far fewer dark cells than it has dark pixels (thin lines
// averaged away), hint, when given, is set to advice; otherwise it is left alone.
Bitmap importPicture(const QByteArray& bytes, const PictureOptions& options, std::string* hint = nullptr);

} // namespace schemetools
