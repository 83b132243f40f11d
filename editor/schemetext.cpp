// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a teacher's cell changes into the bytes of a scheme file.
#include "schemetext.h"

#include <algorithm>
#include <tuple>

namespace editor {

namespace {

constexpr int GridSize = engine::GridSize;
constexpr unsigned char DegreeLead = 0xC2;
constexpr unsigned char Degree = 0xB0;

} // namespace

SchemeText::SchemeText()
    : SchemeText([] {
        std::string text;
        for (int r = 0; r < GridSize; ++r)
            text += std::string(GridSize, '-') + "\n";
        return text;
    }())
{
}

SchemeText::SchemeText(std::string bytes)
    : original_(std::move(bytes))
{
    const std::string& b = original_;
    std::size_t i = 0;
    // The engine skips a whole UTF-8 byte-order mark at the very start, and only there.
    if (b.size() >= 3 && static_cast<unsigned char>(b[0]) == 0xEF && static_cast<unsigned char>(b[1]) == 0xBB
        && static_cast<unsigned char>(b[2]) == 0xBF)
        i = 3;
    const std::size_t firstLf = b.find('\n', i);
    if (firstLf != std::string::npos && firstLf > 0 && b[firstLf - 1] == '\r')
        lineEnd_ = "\r\n";
    while (i < b.size() && static_cast<int>(lines_.size()) < GridSize) {
        Line line;
        std::size_t lf = b.find('\n', i);
        const bool ended = lf != std::string::npos;
        if (!ended)
            lf = b.size();
        // A CR right before the LF belongs to the line end; any other CR is no character.
        line.end = (ended && lf > i && b[lf - 1] == '\r') ? lf - 1 : lf;
        for (std::size_t j = i; j < lf;) {
            if (b[j] == '\r') {
                ++j;
                continue;
            }
            const bool degree = static_cast<unsigned char>(b[j]) == DegreeLead && j + 1 < lf
                && static_cast<unsigned char>(b[j + 1]) == Degree;
            const std::size_t length = degree ? 2 : 1;
            if (static_cast<int>(line.cells.size()) < GridSize)
                line.cells.push_back({j, length});
            j += length;
        }
        lines_.push_back(std::move(line));
        lastLineEnded_ = ended;
        i = ended ? lf + 1 : lf;
    }
}

std::string SchemeText::withEdits(const CellEdits& edits) const
{
    // Replacements in the file (offset, length removed, text put in), then lines appended.
    std::vector<std::tuple<std::size_t, std::size_t, std::string>> changes;
    int lastEditedLine = -1;
    for (int r = 0; r < GridSize; ++r) {
        for (int c = 0; c < GridSize; ++c) {
            if (edits[static_cast<std::size_t>(r * GridSize + c)] != 0)
                lastEditedLine = r;
        }
    }
    const int present = static_cast<int>(lines_.size());
    for (int r = 0; r < std::min(present, lastEditedLine + 1); ++r) {
        const Line& line = lines_[static_cast<std::size_t>(r)];
        std::string added;
        for (int c = 0; c < GridSize; ++c) {
            const char edit = edits[static_cast<std::size_t>(r * GridSize + c)];
            if (edit == 0)
                continue;
            if (c < static_cast<int>(line.cells.size())) {
                const Span& span = line.cells[static_cast<std::size_t>(c)];
                changes.emplace_back(span.offset, span.length, std::string(1, edit));
            } else {
                const std::size_t padding = static_cast<std::size_t>(c) - line.cells.size() - added.size();
                added += std::string(padding, '=') + edit;
            }
        }
        if (!added.empty())
            changes.emplace_back(line.end, 0, added);
    }
    std::sort(changes.begin(), changes.end(),
        [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); });

    std::string out;
    out.reserve(original_.size() + 64);
    std::size_t at = 0;
    for (const auto& [offset, length, text] : changes) {
        out.append(original_, at, offset - at);
        out += text;
        at = offset + length;
    }
    out.append(original_, at, std::string::npos);

    if (lastEditedLine >= present) {
        if (!lastLineEnded_)
            out += lineEnd_;
        for (int r = present; r <= lastEditedLine; ++r) {
            std::string line;
            for (int c = 0; c < GridSize; ++c) {
                const char edit = edits[static_cast<std::size_t>(r * GridSize + c)];
                if (edit != 0) {
                    line.resize(static_cast<std::size_t>(c), '=');
                    line += edit;
                }
            }
            out += line + lineEnd_;
        }
    }
    return out;
}

} // namespace editor
