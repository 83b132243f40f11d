// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a scheme file into its drawing: only the first 21 characters of the first 21 lines
// matter, and the file is read to its end in fixed-size chunks, so memory stays bounded.
#pragma once

#include "board.h"

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace engine {

// Raised when a scheme file cannot be read, with the runtime's message for the cause
// (fileio::errorMessage): "File not found", "File access denied", ... or "I/O error %d".
class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the file says about one cell.
enum class SchemeChar : unsigned char {
    Missing, // the line, or the file, ended before this cell
    Hole, // the degree sign: byte 0xB0, or 0xC2 0xB0 as written in UTF-8
    Keep, // "=": the cell stays as the reset left it
    Mark, // any other byte, which becomes the cell's mark as it stands
};

struct SchemeCell {
    SchemeChar kind = SchemeChar::Missing;
    char mark = 0; // the byte, when kind is Mark
};

// Cell n (1..441) is drawing[n - 1].
using SchemeDrawing = std::array<SchemeCell, CellCount>;

// Turns the bytes of a scheme file, fed in chunks of any size, into its drawing.
// Lines end at LF; a CR is never part of a line (before LF it ends the line with it, elsewhere
// it is dropped). A 0xC2 directly followed by 0xB0 is one degree sign; any other 0xC2 is a
// mark like every other byte. A UTF-8 byte-order mark (EF BB BF) at the very start of the file
// is skipped; anywhere else, and when only its first bytes start the file, its bytes are marks.
// The parser keeps no more than the drawing itself.
class SchemeParser {
public:
    void feed(std::string_view bytes);
    // Call once after the last chunk; settles a 0xC2 or the start of a byte-order mark that
    // ended the file.
    const SchemeDrawing& finish();
    // True once line 21 has ended: nothing later in the file changes the drawing.
    bool complete() const { return line_ >= GridSize; }

private:
    std::string_view skipByteOrderMark(std::string_view bytes);
    void parse(std::string_view bytes);
    void put(SchemeChar kind, char mark = 0);

    SchemeDrawing drawing_ {};
    int line_ = 0; // 0-based line being read
    int column_ = 0; // 0-based position of the next character in that line
    bool pendingLead_ = false; // a 0xC2 waits for the byte that follows it
    bool started_ = false; // the start of the file has been settled: a byte-order mark or not
    std::size_t markBytes_ = 0; // how many bytes of a byte-order mark the file started with so far
};

// Fills the buffer it is given with the next bytes of a file and returns how many it put
// there, 0 at the end of the file. Throws IoError when reading fails.
using ChunkReader = std::function<std::size_t(std::span<char> buffer)>;

// Reads a scheme chunk by chunk to its end. Every chunk is read, also after line 21 has
// ended, so that a read failure anywhere in the file is reported (the IoError propagates).
SchemeDrawing readScheme(const ChunkReader& readChunk);

// Whether a pick of path loads a scheme: its file name (after the last "/") ends in exactly
// ".dis" (lower case), and it is not something other than a regular file (a folder, a device,
// a FIFO), which could never be read as a drawing or never end. A path that cannot be looked at
// (vanished, unreadable) still counts, so that reading it reports why it failed.
bool isSchemeFile(const std::string& path);

// Reads the scheme file at path to its end. Throws IoError with the message of the failure
// (fileio::errorMessage) when the file cannot be opened or read, "I/O error <code>" when the
// path is not a regular file.
SchemeDrawing readSchemeFile(const std::string& path);

} // namespace engine
