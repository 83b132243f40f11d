// SPDX-License-Identifier: GPL-3.0-or-later
// A file opened read-only through POSIX calls and closed when it goes out of scope, so that no
// descriptor leaks whatever the reader throws; failures come as the system's error numbers.
#pragma once

#include <cstddef>

namespace fileio {

class ReadOnlyFile {
public:
    // Opens path with O_RDONLY | O_CLOEXEC and the extra flags given. When that fails,
    // isOpen() is false and error() is the error number.
    explicit ReadOnlyFile(const char* path, int extraFlags = 0);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    // The error number of the last failed call, 0 before any.
    int error() const { return error_; }

    // Reads up to size bytes, again when a signal interrupted the call. Returns how many were
    // read, 0 at the end of the file, or -1 with error() set.
    long read(char* buffer, std::size_t size);

private:
    int fd_ = -1;
    int error_ = 0;
};

} // namespace fileio
