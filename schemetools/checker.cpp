// SPDX-License-Identifier: GPL-3.0-or-later
// Checking schemes: the file's problems, the five-clue limit and the verdict of the solver on
// the puzzle the engine loaded.
#include "checker.h"

#include "errormessage.h"
#include "filescan.h"

#include "game.h"
#include "readonlyfile.h"
#include "schemefile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>

namespace schemetools {

namespace {

constexpr int ReportedCharacters = 10; // stray characters reported one by one; then a count

std::string lineName(bool column, int line)
{
    return (column ? "column " : "row ") + std::to_string(line);
}

// How a stray byte of the file is named in a message.
std::string characterName(char mark)
{
    const auto byte = static_cast<unsigned char>(mark);
    if (byte == ' ')
        return "a blank";
    if (byte == '\t')
        return "a tab";
    if (byte > ' ' && byte < 0x7F)
        return std::string("'") + mark + "'";
    static const char* const hex = "0123456789ABCDEF";
    return std::string("the byte 0x") + hex[byte >> 4] + hex[byte & 15];
}

// What a mark other than "0" and "1" does in the window.
std::string markEffect(char mark)
{
    switch (mark) {
    case '0':
        return "it is read as a blank cell, the same as '-'";
    case '1':
        return "it is read as a picture cell, but the remaining counter does not count it, so the game "
               "ends before the whole picture is found (write '#')";
    case '2':
    case '4':
    case '6':
    case '8':
        return "it is read as a blank cell, but the clues of its row and column stop before it";
    case '3':
    case '5':
    case '7':
    case '9':
        return "it is read as a picture cell that the remaining counter does not count, and the clues of "
               "its row and column stop before it";
    default:
        return "it becomes a cell that takes no part in play, and the clues of its row and column stop "
               "before it";
    }
}

// A cell whose mark ends the clue reading of its lines.
bool stopsReading(const Puzzle::Cell& cell)
{
    return cell.visible && !cell.mark.empty() && cell.mark != "0" && cell.mark != "1";
}

struct LineView {
    Clues shown; // the clues in the slots
    Clues drawn; // the runs of picture cells as drawn
    int stop = -1; // first cell (0-based) whose mark stops the reading, or -1
    int runsBeforeStop = 0;
};

LineView viewLine(const Puzzle& puzzle, bool column, int line)
{
    LineView view;
    view.shown = column ? puzzle.columnClues[static_cast<std::size_t>(line)]
                        : puzzle.rowClues[static_cast<std::size_t>(line)];
    auto at
        = [&](int i) -> const Puzzle::Cell& { return column ? puzzle.cell(i, line) : puzzle.cell(line, i); };
    view.drawn = runsOf(GridSize, [&](int i) { return at(i).visible && at(i).mark == "1"; });
    for (int i = 0; i < GridSize; ++i) {
        if (stopsReading(at(i))) {
            view.stop = i;
            view.runsBeforeStop = static_cast<int>(
                runsOf(i, [&](int j) { return at(j).visible && at(j).mark == "1"; }).size());
            break;
        }
    }
    return view;
}

Clues lostClues(const LineView& view)
{
    return Clues(view.drawn.begin() + static_cast<long>(view.shown.size()), view.drawn.end());
}

// The five-clue limit, and which stray characters cut which clues.
struct LineFindings {
    std::vector<Problem> errors;
    // For the cell index (row * 21 + column) that stops a line's reading: what the line loses.
    std::vector<std::pair<int, std::string>> cuts;
    bool anyCut = false;
};

LineFindings findLineProblems(const Puzzle& puzzle)
{
    LineFindings findings;
    for (const bool column : {false, true}) {
        for (int line = 0; line < GridSize; ++line) {
            const LineView view = viewLine(puzzle, column, line);
            if (view.drawn.size() <= view.shown.size())
                continue;
            const bool cutByLimit = view.shown.size() == engine::CluesPerLine
                && (view.stop < 0 || view.runsBeforeStop > engine::CluesPerLine);
            if (cutByLimit) {
                findings.errors.push_back({Severity::Error,
                    lineName(column, line + 1) + " has " + std::to_string(view.drawn.size())
                        + " runs of picture cells, but a line shows at most five clues: the window shows "
                        + cluesText(view.shown) + " and leaves out " + cluesText(lostClues(view)),
                    column ? 0 : line + 1});
                continue;
            }
            const Clues lost = lostClues(view);
            const int cell = column ? view.stop * GridSize + line : line * GridSize + view.stop;
            findings.cuts.emplace_back(cell,
                lineName(column, line + 1) + " loses the clue" + (lost.size() > 1 ? "s " : " ")
                    + cluesText(lost));
            findings.anyCut = true;
        }
    }
    return findings;
}

std::vector<Problem> strayCharacters(
    const engine::SchemeDrawing& drawing, const Puzzle& puzzle, const LineFindings& findings)
{
    std::vector<Problem> problems;
    int stray = 0;
    bool textGridMarks = true; // every stray mark is an X or a . as a text grid has them
    for (int i = 0; i < engine::CellCount; ++i) {
        const engine::SchemeCell& cell = drawing[static_cast<std::size_t>(i)];
        if (cell.kind != engine::SchemeChar::Mark || cell.mark == '#' || cell.mark == '-')
            continue;
        textGridMarks = textGridMarks && (cell.mark == 'X' || cell.mark == 'x' || cell.mark == '.');
        if (++stray > ReportedCharacters)
            continue;
        const int row = i / GridSize + 1;
        const int column = i % GridSize + 1;
        std::string message = "row " + std::to_string(row) + ", column " + std::to_string(column) + ": "
            + characterName(cell.mark) + " is not one of # - ° =: ";
        if (!puzzle.cells[static_cast<std::size_t>(i)].visible) {
            message += "its cell is hidden anyway, since its row or column has no picture cell";
        } else {
            message += markEffect(cell.mark);
            for (const auto& [at, loss] : findings.cuts) {
                if (at == i)
                    message += "; " + loss;
            }
        }
        problems.push_back({Severity::Warning, message, row});
    }
    if (stray > ReportedCharacters)
        problems.push_back({Severity::Warning,
            std::to_string(stray - ReportedCharacters) + " more characters are not one of # - ° =", 0});
    if (textGridMarks && stray >= 2)
        problems.push_back({Severity::Warning,
            "the drawing is written with X and . as a text grid is, not with # and -: \"tessaria-schemi "
            "import FILE.txt -o NAME.dis\" turns a text grid into a scheme",
            0});
    return problems;
}

// The drawing rows 1 .. rows, columns 1 .. columns of a 21 x 21 picture.
std::vector<std::string> pictureRows(const Bitmap& picture, std::pair<int, int> extent)
{
    std::vector<std::string> rows = picture.rows();
    rows.resize(static_cast<std::size_t>(extent.first));
    for (std::string& row : rows)
        row.resize(static_cast<std::size_t>(extent.second));
    return rows;
}

// The problems of the content and the verdict; file-level problems are already in result.
void judge(CheckResult& result, const engine::SchemeDrawing& drawing, const CheckOptions& options)
{
    const Puzzle puzzle = loadPuzzle(drawing);
    const LineFindings lines = findLineProblems(puzzle);
    for (Problem& p : strayCharacters(drawing, puzzle, lines))
        result.problems.push_back(std::move(p));
    if (puzzle.remaining == 0)
        result.problems.push_back({Severity::Error,
            "the drawing has no picture cell (#): the remaining counter starts at 0 and the game can never "
            "be finished",
            0});
    for (const Problem& p : lines.errors)
        result.problems.push_back(p);

    // The drawing must fit the clues the window shows (hidden cells are gaps); where it does
    // not, the puzzle is broken whatever else fits them, and no search is needed to say so.
    const Bitmap picture = puzzle.picture();
    bool fits = true;
    for (int line = 0; line < GridSize; ++line)
        fits = fits && picture.rowClues(line) == puzzle.rowClues[static_cast<std::size_t>(line)]
            && picture.columnClues(line) == puzzle.columnClues[static_cast<std::size_t>(line)];
    if (!fits && lines.errors.empty() && puzzle.remaining > 0)
        result.problems.push_back({Severity::Error,
            std::string("the clues the window shows do not fit the drawing, so the child cannot work the "
                        "picture out")
                + (lines.anyCut ? " (see the characters above that stop the clues)" : ""),
            0});
    if (result.hasErrors()) {
        result.verdict = Verdict::Error;
        return;
    }

    const SolverResult solved = solve(puzzle.solverInput(), options.nodeBudget, &picture);
    result.nodes = solved.nodes;
    result.openAfterLines = solved.openAfterLines;
    switch (solved.solvability) {
    case Solvability::NoPicture:
        result.verdict = Verdict::Error;
        break;
    case Solvability::LineByLine:
        result.verdict = Verdict::UniqueLine;
        result.grade = gradePuzzle(puzzle.solverInput());
        break;
    case Solvability::NeedsTrial:
        result.verdict = Verdict::UniqueTrial;
        result.grade = gradePuzzle(puzzle.solverInput());
        break;
    case Solvability::Several:
        result.verdict = Verdict::NotUnique;
        result.second = pictureRows(solved.pictures[1], puzzle.extent());
        break;
    case Solvability::Undecided:
        result.verdict = Verdict::Undecided;
        break;
    }
}

std::string fileName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool endsWithDisAnyCase(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string end = name.substr(name.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return std::tolower(c); });
    return end == ".dis";
}

// The raw bytes of the file through the scan, in chunks; an unreadable file gives a problem.
bool scanFile(const std::string& path, FileScan& scan, std::string& failure)
{
    fileio::ReadOnlyFile file(path.c_str(), O_NONBLOCK);
    if (!file.isOpen()) {
        failure = fileio::errorMessage(file.error());
        return false;
    }
    std::array<char, 64 * 1024> buffer;
    while (!scan.done()) {
        const long got = file.read(buffer.data(), buffer.size());
        if (got < 0) {
            failure = fileio::errorMessage(file.error());
            return false;
        }
        if (got == 0)
            break;
        scan.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
    return true;
}

// A folder by its device and inode, so that a link back to a folder on the way is known.
using FolderId = std::pair<dev_t, ino_t>;

// Walks folder (whose stat is info) and its sub-folders as the scheme list shows them: hidden
// entries left out, links followed to what they point to, a folder already on the way (way
// holds the folders from the top down to here) never entered again. Files whose name ends in
// ".dis" in any case go to files, folders that cannot be read or that other users may not
// read or enter to problems.
void walkFolder(const std::string& folder, const struct stat& info, std::vector<FolderId>& way,
    std::vector<std::string>& files, std::vector<FolderProblem>& problems)
{
    // Children play as other users than the teacher or administrator who runs the check.
    if ((info.st_mode & (S_IROTH | S_IXOTH)) != (S_IROTH | S_IXOTH))
        problems.push_back({folder,
            {Severity::Warning,
                "other users may not read or enter this folder: children may not be able to open its schemes",
                0}});
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        problems.push_back({folder, {Severity::Error, "cannot be read: " + fileio::errorMessage(errno), 0}});
        return;
    }
    way.push_back({info.st_dev, info.st_ino});
    std::vector<std::pair<std::string, struct stat>> folders;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        // ".", ".." and the hidden dot files, which the list does not show.
        if (name.empty() || name[0] == '.')
            continue;
        const std::string path = folder + (folder.back() == '/' ? "" : "/") + name;
        struct stat target { };
        const bool looked = ::stat(path.c_str(), &target) == 0;
        if (looked && S_ISDIR(target.st_mode)) {
            if (std::find(way.begin(), way.end(), FolderId {target.st_dev, target.st_ino}) == way.end())
                folders.emplace_back(path, target);
        } else if (endsWithDisAnyCase(name)) {
            // Also when it cannot be looked at (a broken link): its check says why.
            files.push_back(path);
        }
    }
    ::closedir(dir);
    std::sort(folders.begin(), folders.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [path, target] : folders)
        walkFolder(path, target, way, files, problems);
    way.pop_back();
}

} // namespace

bool CheckResult::hasErrors() const
{
    return std::any_of(
        problems.begin(), problems.end(), [](const Problem& p) { return p.severity == Severity::Error; });
}

bool CheckResult::hasWarnings() const
{
    return std::any_of(
        problems.begin(), problems.end(), [](const Problem& p) { return p.severity == Severity::Warning; });
}

CheckResult checkFile(const std::string& path, const CheckOptions& options)
{
    CheckResult result;
    result.file = path;
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        result.problems.push_back({Severity::Error,
            "not a regular file (a folder, a device or a pipe): the scheme list cannot load it", 0});
        return result;
    }
    const std::string name = fileName(path);
    if (!engine::isSchemeFile(path)) {
        result.problems.push_back({Severity::Error,
            endsWithDisAnyCase(name)
                ? "the scheme list shows this file but does not load it: the name must end in \".dis\" in "
                  "small letters"
                : "the scheme list loads only files whose name ends in \".dis\"",
            0});
    }

    engine::SchemeDrawing drawing;
    try {
        drawing = engine::readSchemeFile(path);
    } catch (const engine::IoError& error) {
        result.problems.push_back({Severity::Error, std::string("cannot be read: ") + error.what(), 0});
        result.unreadable = true;
        return result;
    }
    FileScan scan;
    std::string failure;
    if (!scanFile(path, scan, failure)) {
        result.problems.push_back({Severity::Error, "cannot be read: " + failure, 0});
        result.unreadable = true;
        return result;
    }
    for (Problem& p : scan.finish())
        result.problems.push_back(std::move(p));
    if (::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IROTH) == 0)
        result.problems.push_back({Severity::Warning,
            "other users may not read this file: children may not be able to open it", 0});
    judge(result, drawing, options);
    return result;
}

CheckResult checkBytes(const std::string& name, std::string_view bytes, const CheckOptions& options)
{
    CheckResult result;
    result.file = name;
    FileScan scan;
    scan.feed(bytes);
    result.problems = scan.finish();
    judge(result, parseScheme(bytes), options);
    return result;
}

bool SchemePaths::hasUnreadableFolder() const
{
    return std::any_of(folders.begin(), folders.end(),
        [](const FolderProblem& problem) { return problem.problem.severity == Severity::Error; });
}

SchemePaths collectSchemes(const std::vector<std::string>& paths)
{
    SchemePaths found;
    for (const std::string& path : paths) {
        struct stat info { };
        if (::stat(path.c_str(), &info) != 0) {
            found.missing.push_back(path);
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            found.files.push_back(path);
            continue;
        }
        std::vector<std::string> inFolder;
        std::vector<FolderId> way;
        walkFolder(path, info, way, inFolder, found.folders);
        std::sort(inFolder.begin(), inFolder.end());
        found.files.insert(found.files.end(), inFolder.begin(), inFolder.end());
    }
    return found;
}

} // namespace schemetools
