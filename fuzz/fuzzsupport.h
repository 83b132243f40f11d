// SPDX-License-Identifier: GPL-3.0-or-later
// What every fuzz target shares: a failed check that libFuzzer records as a crash with its
// input, and a scratch folder for the readers that take a path.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzz {

// A check beyond "no crash": when it fails, the input is kept as a crash artifact.
inline void check(bool condition, std::string_view what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

// A private folder, removed when the process ends normally; in memory when /dev/shm exists,
// since every input is written once.
inline const std::filesystem::path& scratchFolder()
{
    static const std::filesystem::path folder = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/tessaria-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] { std::filesystem::remove_all(scratchFolder()); });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Writes the bytes to name in the scratch folder and returns its path.
inline std::string writeScratchFile(const std::string& name, std::string_view bytes)
{
    const std::string path = (scratchFolder() / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    check(out.good(), "writing the scratch file");
    return path;
}

} // namespace fuzz
