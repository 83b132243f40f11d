// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a whole input file with a size cap, refusing anything but a regular file.
#pragma once

#include <cstddef>
#include <string>

namespace schemetools {

// The whole file at path, refused with an InputError when it is larger than cap bytes (it is
// never read beyond cap + 1 bytes) or cannot be read.
std::string readCapped(const std::string& path, std::size_t cap);

// Text imports are read whole, so they are capped: a puzzle in text is a few kilobytes.
inline constexpr std::size_t TextFileCap = 1024 * 1024;

} // namespace schemetools
