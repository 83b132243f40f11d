// SPDX-License-Identifier: GPL-3.0-or-later
// A pass over the raw bytes of a scheme file for what the drawing alone does not show: a
// byte-order mark, a lone carriage return, characters after column 21 or after line 21.
#pragma once

#include "checker.h"

#include <string_view>
#include <vector>

namespace schemetools {

// Fed the file in chunks of any size, it keeps only a few counters and the problems found.
// Columns are counted as the engine's loader counts them: a CR is no character, the two bytes
// of a UTF-8 degree sign are one.
class FileScan {
public:
    void feed(std::string_view bytes);
    // Call after the last chunk; returns the problems, in the order of the file.
    std::vector<Problem> finish();
    // True once nothing later in the file can add a problem.
    bool done() const { return done_; }

private:
    void scan(std::string_view bytes);
    void endLine();
    void longLine();

    std::vector<Problem> problems_;
    unsigned char start_[3] {};
    int startBytes_ = 0; // bytes of the file's start looked at for a byte-order mark
    long long line_ = 1; // 1-based line being read
    int column_ = 0; // characters of that line so far
    bool pendingCr_ = false;
    bool pendingLead_ = false; // a 0xC2 waits for the next byte
    bool lineReported_ = false; // this line's long-line warning is out
    int longLines_ = 0;
    int loneCrLines_ = 0;
    bool crInLine_ = false;
    bool done_ = false;
};

} // namespace schemetools
