// SPDX-License-Identifier: GPL-3.0-or-later
// The runtime's messages for the error numbers that have one.
#include "errormessage.h"

#include <cerrno>

namespace fileio {

std::string errorMessage(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR:
    // A loop of links leads to no file, as a broken link does.
    case ELOOP:
        return "File not found";
    case EACCES:
    case EPERM:
        return "File access denied";
    case EMFILE:
    case ENFILE:
        return "Too many open files";
    case ENAMETOOLONG:
        return "Invalid filename";
    default:
        return "I/O error " + std::to_string(code);
    }
}

} // namespace fileio
