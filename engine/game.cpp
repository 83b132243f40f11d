// Placeholder until the engine lands; replaced by the real rules.
#include "game.h"

namespace engine {
std::string blankMark(int) { return {}; }
std::string filledMark(int) { return {}; }
Game::Game(BoardHost& host) : host_(host) {}
void Game::pick(const std::string&) {}
void Game::deriveClues() {}
void Game::cellClick(int) {}
void Game::clueSlotClick(int) {}
void Game::cellMouseMove(int) {}
void Game::timerTick() {}
void Game::foundStep(int) {}
void Game::complete() {}
void Game::showRemaining() {}
} // namespace engine
