// SPDX-License-Identifier: GPL-3.0-or-later
// Point sizes and character heights at 96 pixels per inch.
#include "fonts.h"

#include <algorithm>
#include <cstdint>

namespace widgets {

int mulDiv(int a, int b, int c)
{
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t d = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = ((p < 0 ? -p : p) + d / 2) / d;
    return static_cast<int>((p < 0) != (c < 0) ? -q : q);
}

QFont layoutFont(const QString& family, int characterHeight, bool bold)
{
    QFont font(family);
    font.setPixelSize(std::max(1, characterHeight));
    font.setBold(bold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

int fontPointSize(const QFont& font)
{
    if (font.pixelSize() > 0)
        return mulDiv(font.pixelSize(), 72, PixelsPerInch);
    return font.pointSize() > 0 ? font.pointSize() : 0;
}

void setFontPointSize(QFont& font, int pointSize)
{
    font.setPixelSize(std::max(1, mulDiv(pointSize, PixelsPerInch, 72)));
}

int fontCharacterHeight(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : mulDiv(font.pointSize(), PixelsPerInch, 72);
}

} // namespace widgets
