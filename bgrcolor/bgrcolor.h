// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as 24-bit values $00BBGGRR (red in the low byte), the form in which the engine and
// the language files write them, to and from QColor. Header-only on Qt Gui, so that the widget
// set and the teacher's tools (which must not link Widgets) share the one conversion.
#pragma once

#include <QColor>

#include <cstdint>

namespace bgr {

// Red in the low byte, blue in the high byte; the top byte is ignored.
inline QColor toQColor(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFFu), int((bgr >> 8) & 0xFFu), int((bgr >> 16) & 0xFFu));
}

// The opaque 24-bit value of a colour; alpha is dropped.
inline std::uint32_t toBgr(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return std::uint32_t(qRed(rgb)) | (std::uint32_t(qGreen(rgb)) << 8) | (std::uint32_t(qBlue(rgb)) << 16);
}

} // namespace bgr
