// Reading a whole input file with a size cap, refusing anything but a regular file.
#include "inputerror.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace schemetools {

std::string readCapped(const std::string& path, std::size_t cap)
{
    // Opened without waiting, so that a pipe cannot block; only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw InputError(std::string("cannot be opened: ") + std::strerror(errno));
    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw InputError("is not a regular file");
    }
    std::string bytes;
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            throw InputError(std::string("cannot be read: ") + std::strerror(error));
        }
        if (got == 0)
            break;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
        if (bytes.size() > cap) {
            ::close(fd);
            throw InputError("is larger than " + std::to_string(cap / 1024)
                + " KiB, far more than a puzzle takes; " + "it is not read any further");
        }
    }
    ::close(fd);
    return bytes;
}

} // namespace schemetools
