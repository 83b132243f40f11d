// SPDX-License-Identifier: GPL-3.0-or-later
// The game object: the remaining counter and its display.
#include "game.h"

namespace engine {

Game::Game(BoardHost& host)
    : host_(host)
{
}

void Game::showRemaining()
{
    host_.setLabel4Caption(std::to_string(remaining_));
}

} // namespace engine
