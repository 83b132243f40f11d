// SPDX-License-Identifier: GPL-3.0-or-later
// The import of a drawing from any of the sources the tool reads.
#include "importer.h"

#include "fileread.h"
#include "inputerror.h"
#include "nonformat.h"
#include "puzzle.h"
#include "textgrid.h"

#include <algorithm>
#include <cctype>

namespace schemetools {

namespace {

std::string lowerExtension(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
        [](unsigned char c) { return std::tolower(c); });
    return extension;
}

std::string sizeText(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

// The size of a drawing, and the size it had with margins when they were cropped.
std::string sizeWithMargins(int width, int height, int withMarginsWidth, int withMarginsHeight)
{
    if (width == withMarginsWidth && height == withMarginsHeight)
        return sizeText(width, height) + " cells";
    return sizeText(width, height) + " cells (of " + sizeText(withMarginsWidth, withMarginsHeight)
        + " with margins)";
}

// Drops the rows and columns without clues at the puzzle's edges: blank margins, which hold no
// picture cell whatever the picture.
void cropMargins(NonPuzzle& puzzle)
{
    auto crop = [](std::vector<Clues>& lines) {
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        const auto first
            = std::find_if(lines.begin(), lines.end(), [](const Clues& c) { return !c.empty(); });
        lines.erase(lines.begin(), first);
    };
    crop(puzzle.rows);
    crop(puzzle.columns);
    puzzle.height = static_cast<int>(puzzle.rows.size());
    puzzle.width = static_cast<int>(puzzle.columns.size());
}

Bitmap fromNon(const std::string& text, const ImportOptions& options)
{
    NonPuzzle puzzle = parseNon(text);
    if (puzzle.goal)
        return *puzzle.goal; // cropped and judged as every import is
    const int width = puzzle.width;
    const int height = puzzle.height;
    cropMargins(puzzle);
    if (puzzle.width > GridSize || puzzle.height > GridSize)
        throw InputError("is a puzzle of " + sizeWithMargins(puzzle.width, puzzle.height, width, height)
            + ", but the grid holds at most 21 x 21");
    SolverInput input;
    input.width = puzzle.width;
    input.height = puzzle.height;
    input.rows = puzzle.rows;
    input.columns = puzzle.columns;
    const SolverResult solved = solve(input, options.nodeBudget);
    switch (solved.solvability) {
    case Solvability::NoPicture:
        throw InputError("has no goal, and no picture fits its clues");
    case Solvability::LineByLine:
    case Solvability::NeedsTrial:
        return solved.pictures.front();
    case Solvability::Several:
        if (options.allowNotUnique)
            return solved.pictures.front();
        throw InputError("has no goal, and more than one picture fits its clues: it is not imported "
                         "(--allow-not-unique takes the first picture found)");
    case Solvability::Undecided:
        if (options.allowNotUnique && !solved.pictures.empty())
            return solved.pictures.front();
        throw InputError("has no goal, and the search for its picture stopped after "
            + std::to_string(solved.nodes) + " steps without an answer");
    }
    return {};
}

} // namespace

std::optional<SourceKind> sourceKindOf(const std::string& path)
{
    const std::string extension = lowerExtension(path);
    if (extension == "non")
        return SourceKind::Non;
    if (extension == "txt")
        return SourceKind::Text;
    for (const char* picture : {"png", "bmp", "gif", "pbm", "pgm", "ppm", "xpm", "jpg", "jpeg"}) {
        if (extension == picture)
            return SourceKind::Picture;
    }
    return std::nullopt;
}

std::optional<SourceKind> sourceKindNamed(const std::string& name)
{
    if (name == "non")
        return SourceKind::Non;
    if (name == "picture")
        return SourceKind::Picture;
    if (name == "text")
        return SourceKind::Text;
    return std::nullopt;
}

Bitmap importBitmap(const std::string& path, SourceKind kind, const ImportOptions& options, std::string* hint)
{
    if (hint != nullptr)
        hint->clear();
    Bitmap drawing;
    switch (kind) {
    case SourceKind::Non:
        drawing = fromNon(readCapped(path, TextFileCap), options);
        break;
    case SourceKind::Text:
        drawing = parseTextGrid(readCapped(path, TextFileCap));
        break;
    case SourceKind::Picture: {
        const std::string bytes = readCapped(path, PictureFileCap);
        drawing = importPicture(QByteArray(bytes.data(), qsizetype(bytes.size())), options.picture, hint);
        break;
    }
    }
    const int width = drawing.width();
    const int height = drawing.height();
    drawing = drawing.cropped();
    if (drawing.empty())
        throw InputError("holds no filled cell: there is no picture to import");
    if (drawing.width() > GridSize || drawing.height() > GridSize)
        throw InputError("holds a drawing of "
            + sizeWithMargins(drawing.width(), drawing.height(), width, height)
            + ", but the grid holds at most 21 x 21");
    return drawing;
}

} // namespace schemetools
