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

// The whole file at path, refused with an InputError when it is larger than cap bytes (it is
// never read beyond cap + 1 bytes) or cannot be read.
std::string readCapped(const std::string& path, std::size_t cap);

// Text imports are read whole, so they are capped: a puzzle in text is a few kilobytes.
inline constexpr std::size_t TextFileCap = 1024 * 1024;

} // namespace schemetools
