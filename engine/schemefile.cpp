// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a scheme file into its drawing with a fixed buffer, whatever the size of the file.
#include "schemefile.h"

#include "errormessage.h"
#include "readonlyfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace engine {

namespace {

constexpr unsigned char Utf8Lead = 0xC2;
constexpr unsigned char Degree = 0xB0;
constexpr std::size_t ChunkSize = 64 * 1024;
// Editors that save "UTF-8 with BOM" start the file with it.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

void SchemeParser::put(SchemeChar kind, char mark)
{
    drawing_[static_cast<std::size_t>(line_ * GridSize + column_)] = SchemeCell {kind, mark};
    ++column_;
}

void SchemeParser::feed(std::string_view bytes)
{
    parse(skipByteOrderMark(bytes));
}

std::string_view SchemeParser::skipByteOrderMark(std::string_view bytes)
{
    while (!started_ && !bytes.empty()) {
        if (bytes.front() != ByteOrderMark[markBytes_]) {
            // Not a byte-order mark after all: the bytes it began with are read as they stand.
            started_ = true;
            parse(ByteOrderMark.substr(0, markBytes_));
            break;
        }
        bytes.remove_prefix(1);
        started_ = ++markBytes_ == ByteOrderMark.size();
    }
    return bytes;
}

void SchemeParser::parse(std::string_view bytes)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end && !complete()) {
        if (column_ >= GridSize && !pendingLead_) {
            // The rest of a long line changes nothing: jump to its end.
            const void* lineEnd = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            if (lineEnd == nullptr)
                return;
            p = static_cast<const char*>(lineEnd);
        }
        const auto byte = static_cast<unsigned char>(*p++);
        if (pendingLead_) {
            pendingLead_ = false;
            if (byte == Degree) {
                put(SchemeChar::Hole);
                continue;
            }
            // Not a degree sign after all: the 0xC2 is a mark, and this byte is read on its own.
            put(SchemeChar::Mark, static_cast<char>(Utf8Lead));
        }
        if (byte == '\n') {
            ++line_;
            column_ = 0;
            continue;
        }
        if (column_ >= GridSize)
            continue;
        switch (byte) {
        case '\r':
            break;
        case Utf8Lead:
            pendingLead_ = true;
            break;
        case Degree:
            put(SchemeChar::Hole);
            break;
        case '=':
            put(SchemeChar::Keep);
            break;
        default:
            put(SchemeChar::Mark, static_cast<char>(byte));
            break;
        }
    }
}

const SchemeDrawing& SchemeParser::finish()
{
    if (!started_) {
        started_ = true;
        parse(ByteOrderMark.substr(0, markBytes_));
    }
    if (pendingLead_ && !complete()) {
        pendingLead_ = false;
        put(SchemeChar::Mark, static_cast<char>(Utf8Lead));
    }
    return drawing_;
}

bool isSchemeFile(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name
        = slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.substr(dot) != ".dis")
        return false;
    struct stat info { };
    return ::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

SchemeDrawing readSchemeFile(const std::string& path)
{
    // Opened without waiting, so that a FIFO put in place of the file after it was listed
    // cannot block the window; anything but a regular file is refused before it is read.
    fileio::ReadOnlyFile file(path.c_str(), O_NONBLOCK);
    if (!file.isOpen())
        throw IoError(fileio::errorMessage(file.error()));
    const int fd = file.descriptor();
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        throw IoError(fileio::errorMessage(errno));
    if (!S_ISREG(info.st_mode))
        throw IoError("I/O error " + std::to_string(S_ISDIR(info.st_mode) ? EISDIR : EINVAL));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    return readScheme([&file](std::span<char> buffer) {
        const long got = file.read(buffer.data(), buffer.size());
        if (got < 0)
            throw IoError(fileio::errorMessage(file.error()));
        return static_cast<std::size_t>(got);
    });
}

SchemeDrawing readScheme(const ChunkReader& readChunk)
{
    SchemeParser parser;
    std::array<char, ChunkSize> buffer;
    for (;;) {
        const std::size_t got = readChunk(buffer);
        if (got == 0)
            break;
        // After line 21 the chunks are still read, so that a read failure anywhere in the
        // file is reported, but the parser no longer looks at them.
        parser.feed(std::string_view(buffer.data(), got));
    }
    return parser.finish();
}

} // namespace engine
