// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of play: marking cells, the found step and completion, ticking clue slots, the
// click marker, the SOS hover help and the elapsed-seconds tick.
#include "game.h"

#include <charconv>
#include <limits>

namespace engine {

namespace {

// Hidden and disabled boxes receive no clicks and no mouse moves.
bool receivesEvents(const Box& box)
{
    return box.visibleFlag() && box.enabledFlag();
}

void paint(Box& cell, Color color)
{
    // The mark stays hidden: text and background always change together.
    cell.setColor(color);
    cell.setFontColor(color);
}

} // namespace

void Game::cellClick(int n)
{
    if (!isCell(n))
        return;
    Box& cell = host_.box(n);
    if (!receivesEvents(cell))
        return;

    const Color background = cell.color();
    if (background == color::White) {
        switch (markClass(cell.text())) {
        case MarkClass::Blank:
            paint(cell, color::SkyBlue);
            break;
        case MarkClass::Filled:
            foundStep(n);
            break;
        case MarkClass::Inert:
            break;
        }
    } else if (background == color::Yellow) {
        paint(cell, color::White);
        ++remaining_;
        showRemaining();
    } else if (background == color::SkyBlue) {
        paint(cell, color::White);
    }

    // The marker is placed by the cell's current geometry, so it follows a scaled board;
    // it is 3 pixels taller than the cell, showing as a strip just under it.
    const Bounds bounds = cell.bounds();
    host_.setShape1Bounds(Bounds {bounds.left, bounds.top, bounds.width, bounds.height + 3});
}

void Game::clueSlotClick(int n)
{
    if (!isClueSlot(n))
        return;
    Box& slot = host_.box(n);
    if (receivesEvents(slot) && !slot.text().empty())
        slot.setColor(color::White);
}

void Game::cellMouseMove(int n)
{
    if (!host_.checkBox1Checked() || !isCell(n))
        return;
    Box& cell = host_.box(n);
    if (!receivesEvents(cell) || cell.color() != color::White)
        return;
    if (markClass(cell.text()) == MarkClass::Filled)
        foundStep(n);
}

void Game::timerTick()
{
    // Only this tick and the loader write Label1, always in plain decimal; should it hold
    // anything else, the count starts again from 0.
    const std::string caption = host_.label1Caption();
    long long seconds = 0;
    const auto [end, error] = std::from_chars(caption.data(), caption.data() + caption.size(), seconds);
    if (error != std::errc {} || end != caption.data() + caption.size() || seconds < 0)
        seconds = 0;
    if (seconds < std::numeric_limits<long long>::max())
        ++seconds;
    host_.setLabel1Caption(std::to_string(seconds));
}

void Game::foundStep(int n)
{
    paint(host_.box(n), color::Yellow);
    --remaining_;
    showRemaining();
    // The seconds display runs while the child plays and stands still once the picture is
    // complete; turning a found cell white again does nothing to it.
    if (remaining_ == 0) {
        host_.setTimer1Enabled(false);
        complete();
    }
}

void Game::complete()
{
    for (int n = 1; n <= CellCount; ++n) {
        Box& cell = host_.box(n);
        if (cell.color() == color::Yellow)
            cell.setColor(color::Green);
        cell.setText({});
        cell.setEnabledFlag(false);
    }
}

} // namespace engine
