// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark of checking schemes: a 21 x 21 check with uniqueness, 1,000 generated drawings
// (random and picture-like) in one process with the worst of them, the solver's time against
// the share of the grid that line reasoning leaves to trial, and a 1 GiB scheme file.
#include "bitmap.h"
#include "checker.h"
#include "procstatus.h"
#include "puzzle.h"
#include "report.h"
#include "solver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace schemetools;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A 21 x 21 picture a teacher might draw (an apple, imported from a 200 x 200 picture with --fit).
constexpr const char* Apple[] = {
    "-------##---##-------",
    "-----####---####-----",
    "---######---######---",
    "--#######---#######--",
    "--#######---#######--",
    "-########---########-",
    "-########---########-",
    "#########---#########",
    "#########---#########",
    "#########---#########",
    "#####################",
    "#####################",
    "#####################",
    "#####################",
    "-###################-",
    "-###################-",
    "--#################--",
    "---###############---",
    "----#############----",
    "-----###########-----",
    "-------#######-------",
};

// Random: a part of random size anywhere in the grid, each cell filled with one chance in
// p, p from 20 to 90 %; large parts at middling p mostly break the five-clue limit.
Bitmap randomDrawing(std::mt19937& random, int smallest = GridSize)
{
    std::uniform_int_distribution<int> percent(20, 90);
    std::uniform_int_distribution<int> side(smallest, GridSize);
    const int p = percent(random);
    const int width = side(random), height = side(random);
    std::uniform_int_distribution<int> left(0, GridSize - width), top(0, GridSize - height);
    const int x = left(random), y = top(random);
    std::uniform_int_distribution<int> roll(0, 99);
    Bitmap drawing(GridSize, GridSize);
    for (int r = y; r < y + height; ++r) {
        for (int c = x; c < x + width; ++c)
            drawing.setFilled(r, c, roll(random) < p);
    }
    return drawing;
}

// Picture-like: a few filled ellipses and rectangles, some cut out again, often mirrored.
Bitmap pictureLikeDrawing(std::mt19937& random)
{
    std::uniform_real_distribution<double> unit(0, 1);
    Bitmap drawing(GridSize, GridSize);
    const int shapes = 2 + int(unit(random) * 4);
    const bool mirrored = unit(random) < 0.6;
    for (int s = 0; s < shapes; ++s) {
        const double cx = unit(random) * 20, cy = unit(random) * 20;
        const double rx = 2 + unit(random) * 7, ry = 2 + unit(random) * 7;
        const bool ellipse = unit(random) < 0.6;
        const bool cut = s > 0 && unit(random) < 0.3;
        for (int r = 0; r < GridSize; ++r) {
            for (int c = 0; c < GridSize; ++c) {
                const double dx = (c - cx) / rx, dy = (r - cy) / ry;
                const bool inside = ellipse ? dx * dx + dy * dy <= 1 : std::abs(dx) <= 1 && std::abs(dy) <= 1;
                if (inside) {
                    drawing.setFilled(r, c, !cut);
                    if (mirrored)
                        drawing.setFilled(r, GridSize - 1 - c, !cut);
                }
            }
        }
    }
    return drawing;
}

struct Measured {
    double checkMs = 0;
    Verdict verdict = Verdict::Error;
    long nodes = 0;
};

Measured measure(const Bitmap& drawing)
{
    Measured m;
    const std::string text = drawing.schemeText();
    const auto start = Clock::now();
    const CheckResult result = checkBytes("generated.dis", text);
    m.checkMs = millisecondsSince(start);
    m.verdict = result.verdict;
    m.nodes = result.nodes;
    return m;
}

// The solver alone on a drawing that is a puzzle, told the drawing as check tells it.
struct Solved {
    double ms = 0;
    double trialShare = 0; // cells left open by line reasoning, of the cells open at the start
    long nodes = 0;
};

Solved measureSolver(const Bitmap& drawing)
{
    const Puzzle puzzle = loadPuzzle(parseScheme(drawing.schemeText()));
    const SolverInput input = puzzle.solverInput();
    const Bitmap picture = puzzle.picture();
    const auto start = Clock::now();
    const SolverResult result = solve(input, DefaultNodeBudget, &picture);
    Solved s;
    s.ms = millisecondsSince(start);
    s.trialShare = result.openCells > 0 ? double(result.openAfterLines) / result.openCells : 0;
    s.nodes = result.nodes;
    return s;
}

} // namespace

int main()
{
    // 1. One 21 x 21 drawing, checked again and again: parse, engine load and clues, file scan,
    // line solving and the uniqueness search.
    std::string apple;
    for (const char* line : Apple)
        apple.append(line).append("\n");
    {
        constexpr int Warmup = 100, Runs = 3000;
        std::vector<double> times;
        Verdict verdict = Verdict::Error;
        for (int i = 0; i < Warmup + Runs; ++i) {
            const auto start = Clock::now();
            verdict = checkBytes("apple.dis", apple).verdict;
            if (i >= Warmup)
                times.push_back(millisecondsSince(start));
        }
        std::printf(
            "check of a 21 x 21 drawing with uniqueness (%s), %d runs:\n", verdictKey(verdict).c_str(), Runs);
        std::printf("  median %.3f ms, fastest %.3f ms; target <= 1 ms\n", median(times),
            *std::min_element(times.begin(), times.end()));
    }

    // 2. 1,000 generated drawings, half random, half picture-like, in one process.
    std::mt19937 random(2026);
    std::vector<Bitmap> drawings;
    for (int i = 0; i < 500; ++i)
        drawings.push_back(randomDrawing(random, 5));
    for (int i = 0; i < 500; ++i)
        drawings.push_back(pictureLikeDrawing(random));
    std::vector<Measured> measured;
    const auto all = Clock::now();
    for (const Bitmap& drawing : drawings)
        measured.push_back(measure(drawing));
    std::printf("\n1,000 generated drawings (500 random, 500 picture-like) checked in one process:\n");
    std::printf("  %.0f ms in all; target <= 2000 ms\n", millisecondsSince(all));
    for (const bool randomHalf : {true, false}) {
        int counts[5] = {};
        std::vector<double> times;
        for (std::size_t i = randomHalf ? 0 : 500; i < (randomHalf ? 500u : 1000u); ++i) {
            ++counts[int(measured[i].verdict)];
            times.push_back(measured[i].checkMs);
        }
        std::printf("  %-12s median %.3f ms; unique-line %d, unique-trial %d, not-unique %d, undecided %d, "
                    "error %d\n",
            randomHalf ? "random" : "picture-like", median(times), counts[0], counts[1], counts[2], counts[3],
            counts[4]);
    }
    const auto worst = std::max_element(measured.begin(), measured.end(),
        [](const Measured& a, const Measured& b) { return a.checkMs < b.checkMs; });
    std::printf("  worst: %.2f ms (%s, %ld search steps of the budget of %ld)\n", worst->checkMs,
        verdictKey(worst->verdict).c_str(), worst->nodes, DefaultNodeBudget);
    const auto most = std::max_element(measured.begin(), measured.end(),
        [](const Measured& a, const Measured& b) { return a.nodes < b.nodes; });
    std::printf("  most search steps: %ld of %ld (%.2f ms, %s)\n", most->nodes, DefaultNodeBudget,
        most->checkMs, verdictKey(most->verdict).c_str());

    // 3. The solver's time against the share of the grid that line reasoning leaves open, on
    // generated drawings that are puzzles (no errors): random parts of 5 x 5 to 21 x 21 and
    // picture-like drawings.
    std::vector<Solved> solved;
    int tried = 0;
    while (solved.size() < 4000) {
        ++tried;
        const Bitmap drawing = tried % 4 ? randomDrawing(random, 5) : pictureLikeDrawing(random);
        if (checkBytes("generated.dis", drawing.schemeText()).verdict == Verdict::Error)
            continue;
        solved.push_back(measureSolver(drawing));
    }
    std::printf("\nsolver time by the share of open cells that line reasoning leaves to trial\n"
                "(%zu puzzles out of %d generated drawings):\n",
        solved.size(), tried);
    std::printf("  %-12s %8s %12s %12s %12s\n", "share", "puzzles", "median ms", "max ms", "max steps");
    const double edges[] = {0, 1e-9, 0.05, 0.1, 0.2, 0.3, 0.5, 0.7, 1.01};
    for (std::size_t b = 0; b + 1 < std::size(edges); ++b) {
        std::vector<double> times;
        long steps = 0;
        double slowest = 0;
        for (const Solved& m : solved) {
            if (m.trialShare >= edges[b] && m.trialShare < edges[b + 1]) {
                times.push_back(m.ms);
                slowest = std::max(slowest, m.ms);
                steps = std::max(steps, m.nodes);
            }
        }
        char label[32];
        if (b == 0)
            std::snprintf(label, sizeof label, "0 (none)");
        else
            std::snprintf(
                label, sizeof label, "%.0f-%.0f%%", edges[b] * 100, std::min(1.0, edges[b + 1]) * 100);
        std::printf("  %-12s %8zu %12.3f %12.3f %12ld\n", label, times.size(), median(times), slowest, steps);
    }

    // 4. A 1 GiB scheme file: the engine's loader and the scan read it in chunks.
    char folderTemplate[] = "/tmp/schemetools-bench-XXXXXX";
    const char* folder = ::mkdtemp(folderTemplate);
    if (folder == nullptr)
        return 1;
    const std::string big = std::string(folder) + "/big.dis";
    {
        const int fd = ::open(big.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, apple.data(), apple.size()) != ssize_t(apple.size())
            || ::ftruncate(fd, 1LL << 30) != 0)
            return 1;
        ::close(fd);
    }
    const long before = bench::statusKb("VmRSS");
    bench::resetPeak();
    const auto start = Clock::now();
    const CheckResult result = checkFile(big);
    const double seconds = millisecondsSince(start) / 1000;
    std::printf(
        "\ncheck of a 1 GiB scheme file (the apple, then zero bytes): %.2f s, verdict %s, %zu problems\n",
        seconds, verdictKey(result.verdict).c_str(), result.problems.size());
    std::printf("  peak resident memory %.1f MB (%.1f MB above before); target: bounded, < 10 MB more\n",
        bench::statusKb("VmHWM") / 1024.0, (bench::statusKb("VmHWM") - before) / 1024.0);
    std::remove(big.c_str());
    ::rmdir(folder);
    return 0;
}
