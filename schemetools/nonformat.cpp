// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing the ".non" format.
#include "nonformat.h"

#include "inputerror.h"
#include "report.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

namespace schemetools {

namespace {

std::string trimmed(std::string_view s)
{
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(s[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1])))
        --end;
    return std::string(s.substr(begin, end - begin));
}

std::string unquoted(const std::string& s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        return s.substr(1, s.size() - 2);
    return s;
}

int positiveNumber(const std::string& key, const std::string& value)
{
    int n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc {} || end != value.data() + value.size() || n <= 0 || n > 1000)
        throw InputError(key + " must be a whole number from 1 to 1000, not " + quotedText(value));
    return n;
}

// "1,2 3" -> {1, 2, 3}; "0" and "" -> {}.
Clues clueLine(const std::string& what, const std::string& line)
{
    Clues clues;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ',' || std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end])))
            ++end;
        int clue = 0;
        const auto [stop, error] = std::from_chars(line.data() + i, line.data() + end, clue);
        if (end == i || error != std::errc {} || stop != line.data() + end || clue > 1000)
            throw InputError(
                what + ": " + quotedText(line) + " is not a list of clues (numbers separated by commas)");
        if (clue > 0)
            clues.push_back(clue);
        i = end;
    }
    return clues;
}

void checkFits(const std::string& what, const Clues& clues, int length, const char* side)
{
    int need = 0;
    for (const int clue : clues)
        need += clue;
    need += static_cast<int>(clues.size()) - 1;
    if (!clues.empty() && need > length)
        throw InputError(what + ": the clues " + cluesText(clues) + " need " + std::to_string(need)
            + " cells, but the puzzle is " + std::to_string(length) + " " + side);
}

std::vector<Clues> clueBlock(const std::string& key, std::vector<std::string> lines, int expected)
{
    const char* lineWord = key == "rows" ? "row " : "column ";
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    if (static_cast<int>(lines.size()) != expected) {
        std::vector<std::string> written;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(written),
            [](const std::string& l) { return !l.empty(); });
        if (static_cast<int>(written.size()) != expected)
            throw InputError(key + " lists " + std::to_string(written.size()) + " lines of clues, but "
                + (key == "rows" ? "height" : "width") + " is " + std::to_string(expected));
        lines = written;
    }
    std::vector<Clues> block;
    for (std::size_t i = 0; i < lines.size(); ++i)
        block.push_back(clueLine(lineWord + std::to_string(i + 1), lines[i]));
    return block;
}

// The keys of a .non text: the values of the keys read once, and the lines of the blocks.
struct NonKeys {
    std::map<std::string, std::string> values; // width, height, goal, title
    std::map<std::string, std::vector<std::string>> blocks; // "rows"/"columns" -> their lines
};

// The key of a line that starts with a letter, in small letters, and the rest of the line.
std::pair<std::string, std::string> keyAndValue(const std::string& line)
{
    std::size_t keyEnd = 0;
    while (keyEnd < line.size() && !std::isspace(static_cast<unsigned char>(line[keyEnd])))
        ++keyEnd;
    std::string key = line.substr(0, keyEnd);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return {key, trimmed(std::string_view(line).substr(keyEnd))};
}

// Splits the text into its keys, line by line; a line that is neither a key nor in a block of
// clues, a block given twice or a value given twice differently is refused.
NonKeys readKeys(std::string_view text)
{
    NonKeys keys;
    std::string inBlock;
    std::size_t start = 0;
    while (start <= text.size()) {
        // Lines end in LF, CR LF or a CR alone (as older Mac editors write them).
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        if (!line.empty() && line[0] == '#')
            continue;
        if (!line.empty() && std::isalpha(static_cast<unsigned char>(line[0]))) {
            const auto [key, value] = keyAndValue(line);
            inBlock.clear();
            if (key == "rows" || key == "columns") {
                if (keys.blocks.count(key))
                    throw InputError("the key " + key + " is given twice");
                keys.blocks[key];
                inBlock = key;
                continue;
            }
            if (key != "width" && key != "height" && key != "goal" && key != "title")
                continue;
            const auto [it, added] = keys.values.emplace(key, value);
            if (!added && it->second != value)
                throw InputError("the key " + key + " is given twice, as " + quotedText(it->second)
                    + " and as " + quotedText(value));
            continue;
        }
        if (!inBlock.empty())
            keys.blocks[inBlock].push_back(line);
        else if (!line.empty())
            throw InputError(quotedText(line) + " belongs to no key");
    }
    for (const char* key : {"width", "height"}) {
        if (!keys.values.count(key))
            throw InputError(std::string("the key ") + key + " is missing");
    }
    for (const char* key : {"rows", "columns"}) {
        if (!keys.blocks.count(key))
            throw InputError(std::string("the key ") + key + " is missing");
    }
    return keys;
}

// Every clue list fits its line, and rows and columns count the same picture cells.
void checkClues(const NonPuzzle& puzzle)
{
    long rowCells = 0;
    long columnCells = 0;
    for (int r = 0; r < puzzle.height; ++r) {
        const Clues& clues = puzzle.rows[static_cast<std::size_t>(r)];
        checkFits("row " + std::to_string(r + 1), clues, puzzle.width, "wide");
        for (const int clue : clues)
            rowCells += clue;
    }
    for (int c = 0; c < puzzle.width; ++c) {
        const Clues& clues = puzzle.columns[static_cast<std::size_t>(c)];
        checkFits("column " + std::to_string(c + 1), clues, puzzle.height, "high");
        for (const int clue : clues)
            columnCells += clue;
    }
    if (rowCells != columnCells)
        throw InputError("the rows hold " + std::to_string(rowCells) + " picture cells and the columns "
            + std::to_string(columnCells) + ": they contradict each other");
}

// The goal's digits as a picture, refused unless it fits every clue of the puzzle.
Bitmap goalPicture(const std::string& goal, const NonPuzzle& puzzle)
{
    const std::size_t cells
        = static_cast<std::size_t>(puzzle.width) * static_cast<std::size_t>(puzzle.height);
    if (goal.size() != cells || goal.find_first_not_of("01") != std::string::npos)
        throw InputError("the goal must be " + std::to_string(cells) + " digits 0 and 1 (width x height)");
    Bitmap picture(puzzle.width, puzzle.height);
    for (int r = 0; r < puzzle.height; ++r) {
        for (int c = 0; c < puzzle.width; ++c)
            picture.setFilled(r, c, goal[static_cast<std::size_t>(r * puzzle.width + c)] == '1');
    }
    for (int r = 0; r < puzzle.height; ++r) {
        if (picture.rowClues(r) != puzzle.rows[static_cast<std::size_t>(r)])
            throw InputError("the goal does not fit the clues of row " + std::to_string(r + 1));
    }
    for (int c = 0; c < puzzle.width; ++c) {
        if (picture.columnClues(c) != puzzle.columns[static_cast<std::size_t>(c)])
            throw InputError("the goal does not fit the clues of column " + std::to_string(c + 1));
    }
    return picture;
}

} // namespace

NonPuzzle parseNon(std::string_view text)
{
    // A byte-order mark, which some editors write, is no part of the first key.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    NonKeys keys = readKeys(text);
    NonPuzzle puzzle;
    puzzle.width = positiveNumber("width", keys.values["width"]);
    puzzle.height = positiveNumber("height", keys.values["height"]);
    puzzle.title = keys.values.count("title") ? unquoted(keys.values["title"]) : std::string();
    puzzle.rows = clueBlock("rows", keys.blocks["rows"], puzzle.height);
    puzzle.columns = clueBlock("columns", keys.blocks["columns"], puzzle.width);
    checkClues(puzzle);
    if (keys.values.count("goal"))
        puzzle.goal = goalPicture(unquoted(keys.values["goal"]), puzzle);
    return puzzle;
}

std::string writeNon(const NonPuzzle& puzzle)
{
    auto clueLine = [](const Clues& clues) {
        std::string line;
        for (const int clue : clues)
            line += (line.empty() ? "" : ",") + std::to_string(clue);
        return line.empty() ? std::string("0") : line;
    };
    std::string text;
    if (!puzzle.title.empty())
        text += "title \"" + puzzle.title + "\"\n";
    text += "width " + std::to_string(puzzle.width) + "\nheight " + std::to_string(puzzle.height)
        + "\n\nrows\n";
    for (const Clues& clues : puzzle.rows)
        text += clueLine(clues) + "\n";
    text += "\ncolumns\n";
    for (const Clues& clues : puzzle.columns)
        text += clueLine(clues) + "\n";
    if (puzzle.goal) {
        text += "\ngoal \"";
        for (const std::string& row : puzzle.goal->rows()) {
            for (const char cell : row)
                text += cell == '#' ? '1' : '0';
        }
        text += "\"\n";
    }
    return text;
}

} // namespace schemetools
