// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark of the puzzle engine: median time of a 21 x 21 load with its clues on the
// in-memory board, and the peak memory of loading a 1 GB scheme file and a 1 GB line.
#include "game.h"
#include "memoryboard.h"
#include "procstatus.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr long long OneGiB = 1LL << 30;

// A full 21 x 21 drawing: every line has cells of both kinds and up to five runs.
constexpr const char* Picture[] = {
    "#-#-#-#-#-#-#-#-#-#-#",
    "##-##-##-##-##-##-##-",
    "###-###-###-###-###--",
    "#####################",
    "-###################-",
    "--#################--",
    "---###############---",
    "----#############----",
    "-----###########-----",
    "------#########------",
    "-------#######-------",
    "--------#####--------",
    "---------###---------",
    "----------#----------",
    "#-------------------#",
    "##-----------------##",
    "###---------------###",
    "####-------------####",
    "#####-----------#####",
    "######---------######",
    "#-#-#-#-#-#-#-#-#-#-#",
};

void fail(const std::string& what)
{
    std::perror(what.c_str());
    std::exit(1);
}

void writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0)
            fail("write");
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

std::string pictureText()
{
    std::string text;
    for (const char* line : Picture)
        text.append(line).append("\n");
    return text;
}

// Writes head, then fill repeated up to size bytes in all, then tail; an empty fill writes
// head and tail only.
void writeBigFile(const std::string& path, const std::string& head, const std::string& fill, long long size,
    const std::string& tail)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        fail(path);
    writeAll(fd, head.data(), head.size());
    std::string block;
    while (!fill.empty() && block.size() < (1u << 20))
        block += fill;
    long long left = size - static_cast<long long>(head.size() + tail.size());
    if (block.empty())
        left = 0;
    while (left > 0) {
        const std::size_t n
            = static_cast<std::size_t>(std::min<long long>(left, static_cast<long long>(block.size())));
        writeAll(fd, block.data(), n);
        left -= static_cast<long long>(n);
    }
    writeAll(fd, tail.data(), tail.size());
    ::close(fd);
}

long maxRssKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void measureHugeLoad(const char* title, const std::string& path, int expectedRemaining)
{
    engine::MemoryBoard board;
    engine::Game game(board);
    const long rssBefore = bench::statusKb("VmRSS");
    const bool peakReset = bench::resetPeak();
    const long maxRssBefore = maxRssKb();
    const auto start = Clock::now();
    game.pick(path);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const long peak = bench::statusKb("VmHWM");
    std::printf("%s:\n", title);
    std::printf("  loaded in %.2f s, remaining counter %d (expected %d)\n", seconds, game.remaining(),
        expectedRemaining);
    if (peakReset)
        std::printf(
            "  peak resident memory while loading: %.2f MB (%.2f MB above the resident size before)\n",
            peak / 1024.0, (peak - rssBefore) / 1024.0);
    std::printf("  ru_maxrss growth: %.2f MB (process peak %.2f MB)\n", (maxRssKb() - maxRssBefore) / 1024.0,
        maxRssKb() / 1024.0);
    if (game.remaining() != expectedRemaining) {
        std::printf("  WRONG BOARD\n");
        std::exit(1);
    }
}

} // namespace

int main()
{
    char folderTemplate[] = "/tmp/tessaria-bench-XXXXXX";
    const char* folder = ::mkdtemp(folderTemplate);
    if (folder == nullptr)
        fail("mkdtemp");
    const std::string dir = folder;

    const std::string picture = pictureText();
    int pictureCells = 0;
    for (const char c : picture)
        pictureCells += c == '#';

    // 1. Load and clue derivation of a full 21 x 21 scheme, from a file, on the in-memory board.
    const std::string small = dir + "/picture.dis";
    writeBigFile(small, picture, "", static_cast<long long>(picture.size()), "");
    {
        engine::MemoryBoard board;
        engine::Game game(board);
        constexpr int Warmup = 200;
        constexpr int Runs = 5000;
        std::vector<double> loads;
        std::vector<double> clues;
        for (int i = 0; i < Warmup + Runs; ++i) {
            const auto start = Clock::now();
            game.pick(small);
            const auto loaded = Clock::now();
            game.deriveClues();
            const auto derived = Clock::now();
            if (i >= Warmup) {
                loads.push_back(std::chrono::duration<double, std::micro>(loaded - start).count());
                clues.push_back(std::chrono::duration<double, std::micro>(derived - loaded).count());
            }
        }
        if (game.remaining() != pictureCells)
            fail("wrong picture count");
        const auto median = [](std::vector<double> values) {
            std::nth_element(
                values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
            return values[values.size() / 2];
        };
        const auto low = *std::min_element(loads.begin(), loads.end());
        std::printf("21 x 21 scheme, load from file and clue derivation (one pick), %d runs:\n", Runs);
        std::printf("  median %.1f us (%.3f ms), fastest %.1f us; target < 200 us\n", median(loads),
            median(loads) / 1000.0, low);
        std::printf("  of which clue derivation alone: median %.1f us\n", median(clues));
    }

    // 2. Peak memory of huge files. The files are written first, so that writing them does
    // not count; only the first 21 characters of the first 21 lines matter.
    const std::string manyLines = dir + "/many-lines.dis";
    const std::string oneLine = dir + "/one-line.dis";
    const auto generation = Clock::now();
    writeBigFile(
        manyLines, picture, "#####################-#-#-#-#-#-#-#-#-#-#-#-#-#-#-#-#-#-#-#\n", OneGiB, "");
    // Line 1 is 1 GiB long; line 2 follows it and must still be read.
    writeBigFile(oneLine, "#-#-#-#-#-#-#-#-#-#-#", "#", OneGiB, "\n#-#-#-#-#-#-#-#-#-#-#\n");
    std::printf("(generated two files of 1 GiB in %.1f s)\n",
        std::chrono::duration<double>(Clock::now() - generation).count());

    measureHugeLoad(
        "1 GiB scheme file (21 drawn lines, then 1 GiB of 61-character lines)", manyLines, pictureCells);
    measureHugeLoad("1 GiB single line (then one more line)", oneLine, 22);
    std::printf("target: peak < 10 MB\n");

    std::remove(small.c_str());
    std::remove(manyLines.c_str());
    std::remove(oneLine.c_str());
    ::rmdir(dir.c_str());
    return 0;
}
