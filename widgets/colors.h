// Colours between the engine's 0x00BBGGRR values and Qt's QColor.
#pragma once

// The engine's colours.h shares this file's name; board.h includes it from the engine's folder.
#include "board.h"

#include <QColor>

namespace widgets {

// Red in the low byte, blue in the high byte; the top byte is ignored.
inline QColor toQColor(engine::Color color)
{
    return QColor(int(color & 0xFFu), int((color >> 8) & 0xFFu), int((color >> 16) & 0xFFu));
}

// The opaque 24-bit value of a colour; alpha is dropped.
inline engine::Color toEngineColor(const QColor& color)
{
    const QRgb rgb = color.rgb();
    return engine::Color(qRed(rgb)) | (engine::Color(qGreen(rgb)) << 8) | (engine::Color(qBlue(rgb)) << 16);
}

} // namespace widgets
