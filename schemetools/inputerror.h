// SPDX-License-Identifier: GPL-3.0-or-later
// The error an importer or exporter raises for input it cannot use: its message says in plain
// words what is wrong, without the file's name, which the caller puts in front.
#pragma once

#include <stdexcept>
#include <string>

namespace schemetools {

class InputError : public std::runtime_error {
public:
    explicit InputError(const std::string& message)
        : std::runtime_error(message)
        , message_(message)
    {
    }
    // The whole message: what() ends at a NUL byte, were one to slip into it.
    const std::string& message() const { return message_; }

private:
    std::string message_;
};

} // namespace schemetools
