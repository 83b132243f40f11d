// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, reading and closing a file with POSIX calls, which report the error number.
#include "readonlyfile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fileio {

ReadOnlyFile::ReadOnlyFile(const char* path, int extraFlags)
    : fd_(::open(path, O_RDONLY | O_CLOEXEC | extraFlags))
    , error_(fd_ < 0 ? errno : 0)
{
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

long ReadOnlyFile::read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0)
            return static_cast<long>(got);
        if (errno != EINTR) {
            error_ = errno;
            return -1;
        }
    }
}

} // namespace fileio
