// SPDX-License-Identifier: GPL-3.0-or-later
// The error an importer or exporter raises for input it cannot use: its message says in plain
// words what is wrong, without the file's name, which the caller puts in front.
#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>

namespace schemetools {

// What kind of fault an InputError is, for a front end that says it in its own words (the
// message stays English); Other for any the front end words from the message itself.
enum class Cause {
    Other,
    NotFound, // the file is not there
    NoPermission, // the file or its folder may not be read or written
    TooLarge, // larger than a puzzle can be
    NotAFile, // a folder, a pipe, a device
    NotAPicture, // no picture format can decode it
    NoFolder, // the folder to write into does not exist
    ReadOnlyFolder, // the folder to write into is read-only
    DiskFull, // no room left to write
};

// The cause of a failed system call's error number.
inline Cause causeOfError(int error)
{
    switch (error) {
    case ENOENT:
        return Cause::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return Cause::NoPermission;
    case ENOSPC:
    case EDQUOT:
        return Cause::DiskFull;
    default:
        return Cause::Other;
    }
}

class InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& message, Cause cause = Cause::Other)
        : std::runtime_error(message)
        , message_(message)
        , cause_(cause)
    {
    }
    // The whole message: what() ends at a NUL byte, were one to slip into it.
    const std::string& message() const { return message_; }
    Cause cause() const { return cause_; }

private:
    std::string message_;
    Cause cause_;
};

} // namespace schemetools
