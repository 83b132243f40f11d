// SPDX-License-Identifier: GPL-3.0-or-later
// The mark generators: strings of random characters drawn from a two-position alphabet.
#include "game.h"

#include <random>

namespace engine {

namespace {

// Appends n characters, each taken at a random position of alphabet.
std::string generateMark(std::string_view alphabet, int n)
{
    static std::minstd_rand generator {std::random_device {}()};
    std::uniform_int_distribution<std::size_t> position(0, alphabet.size() - 1);
    std::string mark;
    for (int i = 0; i < n; ++i)
        mark += alphabet[position(generator)];
    return mark;
}

} // namespace

// Both positions of each alphabet hold the same character, so the draw decides nothing today;
// it stays so that the alphabet alone says what a mark may be (a wider one needs no other change).
std::string blankMark(int n)
{
    return generateMark("00", n);
}

std::string filledMark(int n)
{
    return generateMark("11", n);
}

} // namespace engine
