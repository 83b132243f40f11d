// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the decoding of the program's text files. Valid UTF-8 must come back as the same
// bytes (less a leading byte-order mark); anything else is read as Windows-1252, one character
// per byte, as the C library's own converter reads that code page.
#include "fuzzsupport.h"

#include "textfile.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <iconv.h>

namespace {

// UTF-8 as RFC 3629 defines it: shortest forms only, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The length of the sequence, the payload bits of its lead byte and the smallest code
        // that needs that length.
        int length = 0;
        if ((lead & 0xE0) == 0xC0)
            length = 2;
        else if ((lead & 0xF0) == 0xE0)
            length = 3;
        else if ((lead & 0xF8) == 0xF0)
            length = 4;
        else
            return false;
        char32_t code = lead & (0x7F >> length);
        const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (bytes.size() - i < length)
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// Windows-1252 byte by byte through iconv; the five bytes the code page leaves undefined are
// the control characters of the same number, as Windows converts them.
std::array<char16_t, 256> windows1252Table()
{
    std::array<char16_t, 256> table {};
    const iconv_t converter = ::iconv_open("UTF-16LE", "WINDOWS-1252");
    fuzz::check(converter != reinterpret_cast<iconv_t>(-1), "iconv knows WINDOWS-1252");
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        unsigned char out[4] = {};
        char* inPointer = &in;
        char* outPointer = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1;
        std::size_t outLeft = sizeof out;
        const bool converted
            = ::iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != std::size_t(-1);
        table[static_cast<std::size_t>(b)] = converted && outLeft == 2
            ? static_cast<char16_t>(out[0] | out[1] << 8)
            : static_cast<char16_t>(b);
    }
    ::iconv_close(converter);
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::array<char16_t, 256> windows1252 = windows1252Table();

    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = lang::decodeText(bytes);
    QByteArrayView body(bytes);
    if (body.startsWith("\xEF\xBB\xBF"))
        body = body.sliced(3);

    if (isValidUtf8(body)) {
        fuzz::check(text.toUtf8() == body, "valid UTF-8 did not come back as the same bytes");
        return 0;
    }
    fuzz::check(text.size() == body.size(), "Windows-1252 gave other than one character per byte");
    for (qsizetype i = 0; i < body.size(); ++i) {
        fuzz::check(text[i].unicode() == windows1252[static_cast<unsigned char>(body[i])],
            "a byte read as another character than Windows-1252's");
    }
    return 0;
}
