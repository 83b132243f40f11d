// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a scheme file and the cells a teacher changed in it: saving writes the changed
// cells into the file as it was, so every byte the teacher did not touch stays as it was.
#pragma once

#include "schemefile.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace editor {

// One byte per cell (row * 21 + column, both from 0): 0 where the cell keeps what the file
// says, otherwise the byte written there ('#' or '-').
using CellEdits = std::array<char, engine::CellCount>;

class SchemeText {
public:
    // A new scheme: 21 lines of 21 "-", LF line ends.
    SchemeText();
    // The bytes of a scheme file as they stand.
    explicit SchemeText(std::string bytes);

    const std::string& original() const { return original_; }
    // The file with edits written into it. A cell within its line is replaced in place (a
    // degree sign of two bytes included); a cell beyond the end of its line or of the file
    // is reached by padding with "=" (what a missing cell is: hidden, no mark) and new lines
    // end as the file's first line does (CR LF or LF).
    std::string withEdits(const CellEdits& edits) const;

private:
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
    };
    struct Line {
        std::vector<Span> cells; // the first 21 characters, as the engine counts them
        std::size_t end = 0; // where characters added to the line go: before its line end
    };

    std::string original_;
    std::vector<Line> lines_; // the file's first lines, at most 21
    bool lastLineEnded_ = true; // the last line read ends in a line end (or the file is empty)
    std::string lineEnd_ = "\n";
};

} // namespace editor
