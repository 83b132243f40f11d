// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle in play: scheme loading, clue derivation, the rules of marking and the play aids.
// Every rule reads and writes the boxes of a BoardHost; the only state kept here is the
// remaining counter.
#pragma once

#include "board.h"
#include "schemefile.h"

#include <cstdint>
#include <optional>
#include <string>

namespace engine {

// Mark generators: N characters drawn at random from "00" (blank) or "11" (filled);
// empty for N <= 0.
std::string blankMark(int n);
std::string filledMark(int n);

// What a pick reads from the file system, kept apart from the board so that it can be read on
// another thread: whether the entry is a scheme file (isSchemeFile), and then its drawing or
// the message of the failure to read it.
struct PickRead {
    bool scheme = false;
    SchemeDrawing drawing {};
    std::optional<std::string> error;
};

// Reads what a pick of path needs. Touches no board and keeps nothing: safe on any thread.
PickRead readPick(const std::string& path);

class Game {
public:
    explicit Game(BoardHost& host);

    // Picture cells counted but not yet found.
    std::int32_t remaining() const { return remaining_; }

    // The scheme list's pick: path is the full path of the selected entry, or empty when
    // nothing is selected. Loads only a scheme file (isSchemeFile: a name ending in exactly
    // ".dis" that is not a folder, device or FIFO), then always derives the clues. A pick that
    // loads nothing leaves the counter as it is, so the puzzle in play can still be finished.
    // Throws IoError; the cells then stand as the reset left them (visible, white, enabled,
    // empty), the counter is 0 and its display and the clues are those of before.
    void pick(const std::string& path);
    // The same pick with what readPick(path) found, read beforehand.
    void applyPick(const PickRead& read);

    // Loads a drawing held in memory exactly as a pick of a scheme file that holds it would
    // (reset, marks, counter, dead lines), then derives the clues. For tools that check
    // drawings that are not (yet) files: feed the bytes to a SchemeParser first.
    void pickDrawing(const SchemeDrawing& drawing);

    // Rewrites every clue slot and line label from the cell marks.
    void deriveClues();

    // The three events of a box ignore a number outside their range and a box that is hidden
    // or disabled, since such a box receives no clicks or mouse moves.
    // A click on cell n (1..441): mark blank, find, or undo; then move the click marker.
    void cellClick(int n);
    // A click on clue slot n (442..651): tick it off in white if it holds a clue.
    void clueSlotClick(int n);
    // The mouse moved over cell n: with "SOS !!!" ticked, a white filled cell is found.
    void cellMouseMove(int n);

    // One tick of the one-second timer: the seconds shown in Label1 go up by one.
    void timerTick();

private:
    void resetForLoad();
    void placeDrawing(const SchemeDrawing& drawing);
    void foundStep(int n);
    void complete();
    void showRemaining();

    BoardHost& host_;
    std::int32_t remaining_ = 0;
};

} // namespace engine
