// SPDX-License-Identifier: GPL-3.0-or-later
// The scaling handlers' arithmetic: a length as a fraction of a size, and a fraction of a size
// back to a length (private to the scaling library).
#pragma once

#include <cmath>

namespace scaling {

// value / size, both operands and the quotient in single precision.
inline float ratioOf(int value, int size)
{
    return static_cast<float>(value) / static_cast<float>(size);
}

// size * ratio formed exactly, truncated toward zero.
inline int truncatedProduct(int size, float ratio)
{
    return static_cast<int>(static_cast<double>(size) * static_cast<double>(ratio));
}

// size * ratio formed exactly, rounded to the nearest integer with halves to even.
inline int roundedProduct(int size, float ratio)
{
    return static_cast<int>(std::nearbyint(static_cast<double>(size) * static_cast<double>(ratio)));
}

} // namespace scaling
