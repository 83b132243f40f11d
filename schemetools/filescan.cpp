// SPDX-License-Identifier: GPL-3.0-or-later
// The raw-byte pass over a scheme file: byte-order mark, lone CR, content beyond the grid.
#include "filescan.h"

#include <cstring>

namespace schemetools {

namespace {

constexpr int ReportedLines = 5; // per kind of problem; then one line counts the rest

bool isBlank(unsigned char byte)
{
    return byte == ' ' || byte == '\t';
}

} // namespace

void FileScan::longLine()
{
    lineReported_ = true;
    if (++longLines_ <= ReportedLines)
        problems_.push_back({Severity::Warning,
            "line " + std::to_string(line_)
                + " has more than 21 characters: those after the 21st are ignored",
            line_});
}

void FileScan::endLine()
{
    if (crInLine_ && ++loneCrLines_ <= ReportedLines)
        problems_.push_back({Severity::Warning,
            "line " + std::to_string(line_)
                + " holds a carriage return (CR) that does not end the line: it is dropped",
            line_});
    ++line_;
    column_ = 0;
    lineReported_ = false;
    crInLine_ = false;
}

void FileScan::feed(std::string_view bytes)
{
    // The byte-order mark: the first three bytes EF BB BF, which may come in separate chunks.
    static constexpr unsigned char Bom[3] = {0xEF, 0xBB, 0xBF};
    std::size_t i = 0;
    while (startBytes_ < 3 && i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte != Bom[startBytes_]) {
            // Not a byte-order mark: the bytes held back are ordinary content.
            const std::string held(
                reinterpret_cast<const char*>(start_), static_cast<std::size_t>(startBytes_));
            startBytes_ = 3;
            scan(held);
            break;
        }
        start_[startBytes_++] = byte;
        ++i;
        if (startBytes_ == 3)
            problems_.push_back({Severity::Warning,
                "the file starts with a byte-order mark (an invisible mark some editors write): it is "
                "skipped",
                1});
    }
    if (startBytes_ == 3)
        scan(bytes.substr(i));
}

void FileScan::scan(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size() && !done_) {
        if (lineReported_) {
            // The rest of a line already reported as too long changes nothing: jump to its end.
            const void* end = std::memchr(bytes.data() + i, '\n', bytes.size() - i);
            if (end == nullptr)
                return;
            i = static_cast<std::size_t>(static_cast<const char*>(end) - bytes.data());
        }
        const auto byte = static_cast<unsigned char>(bytes[i++]);
        if (pendingCr_) {
            pendingCr_ = false;
            if (byte != '\n' && line_ <= GridSize)
                crInLine_ = true;
        }
        if (byte == '\n') {
            pendingLead_ = false;
            endLine();
            continue;
        }
        if (byte == '\r') {
            pendingCr_ = true;
            continue;
        }
        if (line_ > GridSize) {
            if (!isBlank(byte)) {
                problems_.push_back({Severity::Warning,
                    "the file goes on after line 21 (from line " + std::to_string(line_)
                        + "): the grid has 21 rows, the rest is ignored",
                    line_});
                done_ = true;
            }
            continue;
        }
        if (pendingLead_) {
            pendingLead_ = false;
            if (byte == 0xB0)
                continue; // the second byte of a degree sign: the column was counted with the first
        }
        if (byte == 0xC2)
            pendingLead_ = true;
        // Columns are counted up to the grid's edge only, so that no line is too long to count.
        if (column_ < GridSize)
            ++column_;
        else if (!isBlank(byte))
            longLine();
    }
}

std::vector<Problem> FileScan::finish()
{
    if (startBytes_ > 0 && startBytes_ < 3) {
        // A file shorter than a byte-order mark.
        const std::string held(reinterpret_cast<const char*>(start_), static_cast<std::size_t>(startBytes_));
        startBytes_ = 3;
        scan(held);
    }
    if (pendingCr_ && line_ <= GridSize)
        crInLine_ = true;
    if (crInLine_ && ++loneCrLines_ <= ReportedLines)
        problems_.push_back({Severity::Warning,
            "line " + std::to_string(line_)
                + " holds a carriage return (CR) that does not end the line: it is dropped",
            line_});
    if (longLines_ > ReportedLines)
        problems_.push_back({Severity::Warning,
            std::to_string(longLines_ - ReportedLines) + " more lines have more than 21 characters", 0});
    if (loneCrLines_ > ReportedLines)
        problems_.push_back({Severity::Warning,
            std::to_string(loneCrLines_ - ReportedLines) + " more lines hold a lone carriage return", 0});
    return problems_;
}

} // namespace schemetools
