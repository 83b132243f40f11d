// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the picture importer. A picture that imports gives a drawing of at most 21 x 21
// whose cells are exactly the dark pixels of the picture cropped to them; a picture whose dark
// part is larger than the grid is refused, with its size, unless it may be reduced, and reduced
// it fits the grid; anything refused is refused with a message of one line.
#include "fuzzsupport.h"
#include "qtsupport.h"

#include "inputerror.h"
#include "pictureimport.h"
#include "puzzle.h"

#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace schemetools;

// The importer's bound on pixels, lowered from the program's 16 million: under the sanitizers
// a picture of that size takes seconds to check, and every way to it and past it (header,
// decoder, size decoded) is the same at a million.
constexpr qint64 FuzzPixels = 1'000'000;

void checkMessage(std::string_view message)
{
    fuzz::check(!message.empty(), "an empty message");
    for (const char c : message)
        fuzz::check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "a control character in a message");
}

// The pixels darker than the threshold, as the picture shows on white paper: a pixel of grey
// level g (Qt's qGray) and opacity a (0 .. 255) shows as (a g + (255 - a) 255) / 255, counted
// here in whole numbers.
Bitmap darkPixels(const QImage& picture, int threshold)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    Bitmap dark(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const long shown = long(qAlpha(pixel)) * qGray(pixel) + long(255 - qAlpha(pixel)) * 255;
            dark.setFilled(y, x, shown < 255L * threshold);
        }
    }
    return dark;
}

std::optional<Bitmap> imported(const QByteArray& bytes, const PictureOptions& options, std::string& message)
{
    try {
        return importPicture(bytes, options);
    } catch (const InputError& error) {
        message = error.message();
        checkMessage(message);
        return std::nullopt;
    }
}

bool startsWith(const std::string& text, std::string_view start)
{
    return text.compare(0, start.size(), start) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    fuzz::startApplication(*argv);
    // The decoding here is held to the importer's bound, so that both read the same pictures.
    QImageReader::setAllocationLimit(int(FuzzPixels * 4 / (1024 * 1024)) + 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    // The threshold, 0 .. 256 as the command takes it, chosen by a byte of the input.
    PictureOptions options;
    options.maxPixels = FuzzPixels;
    options.threshold = size == 0 ? 128 : data[size / 2] + int(size % 2);

    std::string message;
    const std::optional<Bitmap> drawing = imported(bytes, options, message);
    // Refused for its size before it is decoded.
    if (!drawing && startsWith(message, "is a picture of ")) {
        long width = 0;
        long height = 0;
        fuzz::check(std::sscanf(message.c_str(), "is a picture of %ld x %ld pixels: too large to import",
                        &width, &height)
                    == 2
                && message.ends_with(" pixels: too large to import") && width * height > FuzzPixels,
            "a size refusal without its reason, or of a picture within the bound");
        return 0;
    }
    fuzz::check(
        size > 0 || message == "is empty (0 bytes): there is no picture in it", "an empty file taken");
    const QImage picture = QImage::fromData(bytes);
    const bool unreadable = startsWith(message, "is not a picture that can be read")
        || startsWith(message, "cannot be read as a picture: ") || size == 0;
    fuzz::check(
        picture.isNull() == unreadable, "refused as unreadable a picture that Qt reads, or the reverse");
    if (unreadable)
        return 0;
    const Bitmap dark = darkPixels(picture, options.threshold);
    const Bitmap::Part part = dark.filledPart();
    if (part.width == 0) {
        fuzz::check(!drawing && startsWith(message, "has no pixel darker than the threshold ("),
            "a picture without dark pixels was not refused as such");
        return 0;
    }
    if (part.width <= GridSize && part.height <= GridSize) {
        fuzz::check(
            drawing && *drawing == dark.cropped(), "the drawing is not the dark pixels of the picture");
        return 0;
    }
    fuzz::check(!drawing
            && message
                == "is " + std::to_string(part.width) + " x " + std::to_string(part.height)
                    + " pixels without its margins, but the grid holds at most 21 x 21: use --fit to reduce "
                      "it",
        "a picture larger than the grid was not refused with its size");

    // Reduced, it fits the grid.
    options.fit = true;
    const std::optional<Bitmap> reduced = imported(bytes, options, message);
    fuzz::check(reduced && reduced->width() <= GridSize && reduced->height() <= GridSize
            && reduced->cropped() == *reduced,
        "a reduced picture that does not fit the grid, or keeps a margin");
    return 0;
}
