// SPDX-License-Identifier: GPL-3.0-or-later
// Font sizes as the layout gives them: character heights in pixels at 96 pixels per inch,
// and whole point sizes derived from them (pixels * 72 / 96, rounded half away from zero).
#pragma once

#include <QFont>
#include <QString>

namespace widgets {

inline constexpr int PixelsPerInch = 96;

// a * b / c rounded to the nearest integer, halves away from zero (c != 0).
int mulDiv(int a, int b, int c);

// A font of the given family with a character height in pixels (the layout's unit).
QFont layoutFont(const QString& family, int characterHeight, bool bold = false);

// Point size of a font: character height * 72 / 96, rounded. Fonts that carry a point size
// instead of a pixel size report it unchanged.
int fontPointSize(const QFont& font);
// Sets the point size: the character height becomes size * 96 / 72, rounded, at least 1 pixel.
void setFontPointSize(QFont& font, int pointSize);
// Character height in pixels: the pixel size, or for a font that carries a point size instead,
// size * 96 / 72, rounded.
int fontCharacterHeight(const QFont& font);

} // namespace widgets
