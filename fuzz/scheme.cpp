// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the scheme file reader fed in chunks of every size, and the whole load with the
// clue derivation on the in-memory board, both checked against the picture worked out here
// from the same bytes.
#include "fuzzsupport.h"

#include "game.h"
#include "memoryboard.h"
#include "schemefile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace engine;

constexpr unsigned char DegreeLead = 0xC2;
constexpr unsigned char Degree = 0xB0;

// The drawing the bytes describe, read here line by line instead of byte by byte as the
// parser does: a UTF-8 byte-order mark at the very start is skipped, lines end at LF, every CR
// vanishes, 0xC2 0xB0 is one degree sign, the first 21 characters of the first 21 lines count.
SchemeDrawing drawingOf(std::string_view bytes)
{
    SchemeDrawing drawing {};
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::size_t start = 0;
    for (int line = 0; line < GridSize; ++line) {
        const std::size_t lf = bytes.find('\n', start);
        const std::string_view text = bytes.substr(start, lf == std::string_view::npos ? lf : lf - start);
        int column = 0;
        for (std::size_t i = 0; i < text.size() && column < GridSize; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte == '\r')
                continue;
            SchemeCell& cell = drawing[static_cast<std::size_t>(line * GridSize + column++)];
            if (byte == DegreeLead && i + 1 < text.size()
                && static_cast<unsigned char>(text[i + 1]) == Degree) {
                cell.kind = SchemeChar::Hole;
                ++i;
            } else if (byte == Degree) {
                cell.kind = SchemeChar::Hole;
            } else if (byte == '=') {
                cell.kind = SchemeChar::Keep;
            } else {
                cell = {SchemeChar::Mark, static_cast<char>(byte)};
            }
        }
        if (lf == std::string_view::npos)
            break;
        start = lf + 1;
    }
    return drawing;
}

bool sameDrawing(const SchemeDrawing& a, const SchemeDrawing& b)
{
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].mark != b[i].mark)
            return false;
    }
    return true;
}

const SchemeDrawing& parseInChunks(SchemeParser& parser, std::string_view bytes, bool byteByByte)
{
    while (!bytes.empty()) {
        // Chunk sizes 1..256, chosen by the input itself: the first byte of each chunk.
        const std::size_t size = byteByByte ? 1 : 1 + static_cast<unsigned char>(bytes.front());
        parser.feed(bytes.substr(0, size));
        bytes.remove_prefix(std::min(size, bytes.size()));
    }
    return parser.finish();
}

// What a load leaves in the cells: "#" -> "1" (counted), "-" -> "0", any other character as it
// stands; holes, "=" and missing characters empty; then every row and column without a mark of
// the filled class (1 3 5 7 9) is emptied, judged on the marks as drawn.
struct Picture {
    std::vector<std::string> marks = std::vector<std::string>(CellCount);
    std::int32_t pictureCells = 0;
};

Picture pictureOf(const SchemeDrawing& drawing)
{
    Picture picture;
    for (std::size_t i = 0; i < drawing.size(); ++i) {
        if (drawing[i].kind != SchemeChar::Mark)
            continue;
        const char c = drawing[i].mark;
        picture.marks[i] = c == '#' ? "1" : c == '-' ? "0" : std::string(1, c);
        picture.pictureCells += c == '#';
    }
    const auto filled = [&](int r, int c) {
        const std::string& m = picture.marks[static_cast<std::size_t>((r - 1) * GridSize + c - 1)];
        return m.size() == 1 && std::string_view("13579").find(m[0]) != std::string_view::npos;
    };
    std::vector<bool> liveRow(GridSize + 1), liveColumn(GridSize + 1);
    for (int r = 1; r <= GridSize; ++r) {
        for (int c = 1; c <= GridSize; ++c) {
            if (filled(r, c))
                liveRow[static_cast<std::size_t>(r)] = liveColumn[static_cast<std::size_t>(c)] = true;
        }
    }
    for (int r = 1; r <= GridSize; ++r) {
        for (int c = 1; c <= GridSize; ++c) {
            if (!liveRow[static_cast<std::size_t>(r)] || !liveColumn[static_cast<std::size_t>(c)])
                picture.marks[static_cast<std::size_t>((r - 1) * GridSize + c - 1)].clear();
        }
    }
    return picture;
}

// The clues of one line of marks: runs of "1"; "0" and empty marks end a run; any other mark
// ends the reading; at most five runs.
std::vector<int> cluesOf(const std::vector<std::string>& line)
{
    std::vector<int> runs;
    int run = 0;
    for (const std::string& mark : line) {
        if (mark == "1") {
            ++run;
            continue;
        }
        if (run > 0)
            runs.push_back(run);
        run = 0;
        if (runs.size() == CluesPerLine || !(mark.empty() || mark == "0"))
            return runs;
    }
    if (run > 0)
        runs.push_back(run);
    return runs;
}

// Slots 1..5 of a line: the clues flush against the grid, empty slots before them.
void checkLine(
    MemoryBoard& board, const std::vector<std::string>& line, int (*slotOf)(int, int), int number, int label)
{
    const std::vector<int> clues = cluesOf(line);
    const int first = CluesPerLine + 1 - static_cast<int>(clues.size());
    for (int k = 1; k <= CluesPerLine; ++k) {
        const MemoryBox& slot = board.at(slotOf(number, k));
        const std::string expected
            = k < first ? std::string() : std::to_string(clues[static_cast<std::size_t>(k - first)]);
        fuzz::check(slot.text() == expected, "a clue differs from the runs of the picture");
        fuzz::check(slot.visibleFlag() == !clues.empty(), "a clue group shown or hidden wrongly");
        fuzz::check(slot.color() == color::Silver, "a clue slot not silver");
    }
    fuzz::check(board.at(label).visibleFlag() == !clues.empty(), "a line label shown or hidden wrongly");
    fuzz::check(board.at(label).text() == std::to_string(number), "a line label lost its number");
}

void checkLoad(const std::string& path, const SchemeDrawing& drawing)
{
    MemoryBoard board;
    Game game(board);
    game.pick(path);

    const Picture picture = pictureOf(drawing);
    for (int n = 1; n <= CellCount; ++n) {
        const MemoryBox& cell = board.at(n);
        fuzz::check(cell.visibleFlag() == !cell.text().empty(),
            "a visible cell without a mark, or a hidden one with a mark");
        fuzz::check(cell.text() == picture.marks[static_cast<std::size_t>(n - 1)], "a cell mark differs");
        fuzz::check(cell.enabledFlag() && cell.color() == color::White && cell.fontColor() == color::White,
            "a cell not reset");
    }
    fuzz::check(game.remaining() == picture.pictureCells, "the counter differs from the '#' read");
    fuzz::check(board.label4 == std::to_string(picture.pictureCells), "Label4 differs from the counter");
    fuzz::check(
        board.label1 == "0" && board.label2Visible && board.timer1Enabled(), "the load did not restart");

    std::vector<std::string> line(GridSize);
    for (int r = 1; r <= GridSize; ++r) {
        for (int c = 1; c <= GridSize; ++c)
            line[static_cast<std::size_t>(c - 1)] = board.at(cell(r, c)).text();
        checkLine(board, line, rowClueSlot, r, rowLabel(r));
    }
    for (int c = 1; c <= GridSize; ++c) {
        for (int r = 1; r <= GridSize; ++r)
            line[static_cast<std::size_t>(r - 1)] = board.at(cell(r, c)).text();
        checkLine(board, line, columnClueSlot, c, columnLabel(c));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SchemeDrawing expected = drawingOf(bytes);

    SchemeParser whole;
    whole.feed(bytes);
    fuzz::check(sameDrawing(whole.finish(), expected), "the parser's drawing differs from the file's");
    SchemeParser single;
    fuzz::check(
        sameDrawing(parseInChunks(single, bytes, true), expected), "fed byte by byte, the drawing differs");
    SchemeParser chunked;
    fuzz::check(
        sameDrawing(parseInChunks(chunked, bytes, false), expected), "fed in chunks, the drawing differs");

    checkLoad(fuzz::writeScratchFile("scheme.dis", bytes), expected);
    return 0;
}
