// SPDX-License-Identifier: GPL-3.0-or-later
// Reading plain text grids.
#include "textgrid.h"

#include "inputerror.h"
#include "report.h"

#include <algorithm>
#include <string>
#include <vector>

namespace schemetools {

namespace {

// The characters of a line, each as its UTF-8 bytes; a byte that is not part of a valid UTF-8
// character is one character of its own.
std::vector<std::string> characters(std::string_view line)
{
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t length = std::max<std::size_t>(1, utf8Length(line, i));
        chars.emplace_back(line.substr(i, length));
        i += length;
    }
    return chars;
}

std::string shown(const std::string& character)
{
    const auto byte = static_cast<unsigned char>(character[0]);
    if (character.size() == 1 && (byte < 0x20 || byte >= 0x7F))
        return quotedText(character);
    return "'" + character + "'";
}

} // namespace

Bitmap parseTextGrid(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(characters(line));
    }
    // "1 1 0 1": when every other character of every line is a blank, the blanks separate the
    // cells rather than being empty ones.
    const bool separated = std::any_of(lines.begin(), lines.end(), [](const auto& l) {
        return l.size() >= 3;
    }) && std::all_of(lines.begin(), lines.end(), [](const auto& l) {
        for (std::size_t i = 1; i < l.size(); i += 2) {
            if (l[i] != " ")
                return false;
        }
        return true;
    });
    std::vector<std::vector<bool>> rows;
    std::size_t width = 0;
    for (const std::vector<std::string>& line : lines) {
        std::vector<bool> row;
        for (std::size_t i = 0; i < line.size(); i += separated ? 2 : 1) {
            const std::string& c = line[i];
            if (c == "#" || c == "X" || c == "x" || c == "1" || c == "\u2588") {
                row.push_back(true);
            } else if (c == "." || c == "-" || c == "0" || c == " ") {
                row.push_back(false);
            } else {
                throw InputError("line " + std::to_string(rows.size() + 1) + ", column "
                    + std::to_string(i + 1) + ": " + shown(c)
                    + " is neither a filled cell (# X 1 \u2588) nor an empty one (. - 0 blank)");
            }
        }
        width = std::max(width, row.size());
        rows.push_back(std::move(row));
    }
    if (width > 1000 || rows.size() > 1000)
        throw InputError("the grid is " + std::to_string(width) + " x " + std::to_string(rows.size())
            + " characters: far more than 21 x 21");
    Bitmap drawing(static_cast<int>(width), static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            drawing.setFilled(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    }
    return drawing;
}

} // namespace schemetools
