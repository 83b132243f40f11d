// SPDX-License-Identifier: GPL-3.0-or-later
// The colours of the board, as 24-bit values with blue in the high byte and red in the low byte.
#pragma once

#include <cstdint>

namespace engine {

// 0x00BBGGRR. The engine keeps colours in this form at its boundary; only the widget
// layer turns them into Qt colours.
using Color = std::uint32_t;

namespace color {
inline constexpr Color Black = 0x000000;
inline constexpr Color White = 0xFFFFFF;
inline constexpr Color SkyBlue = 0xF0CAA6;
inline constexpr Color Yellow = 0x00FFFF;
inline constexpr Color Green = 0x008000;
inline constexpr Color Silver = 0xC0C0C0;
inline constexpr Color Grey = 0x808080;
inline constexpr Color Lime = 0x00FF00;
inline constexpr Color Red = 0x0000FF;
inline constexpr Color Navy = 0x800000;
inline constexpr Color Cream = 0xF0FBFF;
} // namespace color

} // namespace engine
