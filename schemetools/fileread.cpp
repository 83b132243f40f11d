// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a whole input file with a size cap, refusing anything but a regular file.
#include "fileread.h"

#include "errormessage.h"
#include "inputerror.h"
#include "readonlyfile.h"

#include <array>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace schemetools {

std::string readCapped(const std::string& path, std::size_t cap)
{
    // Opened without waiting, so that a pipe cannot block; only a regular file is read.
    fileio::ReadOnlyFile file(path.c_str(), O_NONBLOCK);
    if (!file.isOpen())
        throw InputError(
            "cannot be opened: " + fileio::errorMessage(file.error()), causeOfError(file.error()));
    struct stat info { };
    if (::fstat(file.descriptor(), &info) != 0 || !S_ISREG(info.st_mode))
        throw InputError("is not a regular file", Cause::NotAFile);
    std::string bytes;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const long got = file.read(buffer.data(), buffer.size());
        if (got < 0)
            throw InputError(
                "cannot be read: " + fileio::errorMessage(file.error()), causeOfError(file.error()));
        if (got == 0)
            break;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
        if (bytes.size() > cap) {
            throw InputError("is larger than " + std::to_string(cap / 1024)
                    + " KiB, far more than a puzzle takes; " + "it is not read any further",
                Cause::TooLarge);
        }
    }
    return bytes;
}

} // namespace schemetools
