// SPDX-License-Identifier: GPL-3.0-or-later
// Picture import: threshold, crop, and area averaging down to the grid.
#include "pictureimport.h"

#include "inputerror.h"
#include "puzzle.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <vector>

namespace schemetools {

namespace {

// The grey level of every pixel as it shows on white paper (transparency lightens it).
std::vector<float> greyLevels(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<float> levels(
        static_cast<std::size_t>(argb.width()) * static_cast<std::size_t>(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const double alpha = qAlpha(line[x]) / 255.0;
            levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(argb.width())
                + static_cast<std::size_t>(x)]
                = static_cast<float>(alpha * qGray(line[x]) + (1 - alpha) * 255);
        }
    }
    return levels;
}

} // namespace

Bitmap importPicture(const QByteArray& bytes, const PictureOptions& options, std::string* hint)
{
    if (bytes.isEmpty())
        throw InputError("is empty (0 bytes): there is no picture in it");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        throw InputError("is not a picture that can be read (PNG, BMP, GIF, PBM, PGM, PPM, XPM or JPEG)",
            Cause::NotAPicture);
    const auto refuseLarger = [&options](QSize size) {
        if (size.isValid() && qint64(size.width()) * size.height() > options.maxPixels)
            throw InputError("is a picture of " + std::to_string(size.width()) + " x "
                    + std::to_string(size.height()) + " pixels: too large to import",
                Cause::TooLarge);
    };
    refuseLarger(reader.size());
    // A header may give a smaller size than the picture has (a GIF whose one image is 0 pixels
    // high is decoded at the size of its screen): the decoder is held to the memory of the
    // largest picture taken, 4 bytes a pixel (in whole megabytes, rounded up), and the size
    // decoded is judged again.
    const int allocationLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(int(options.maxPixels * 4 / (1024 * 1024)) + 1);
    const auto restoreLimit
        = qScopeGuard([allocationLimit] { QImageReader::setAllocationLimit(allocationLimit); });
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw InputError(
            "cannot be read as a picture: " + reader.errorString().toStdString(), Cause::NotAPicture);
    refuseLarger(image.size());

    const int width = image.width();
    const std::vector<float> levels = greyLevels(image);
    auto level = [&](int x, int y) {
        return levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
            + static_cast<std::size_t>(x)];
    };
    // The dark pixels, and the margins: everything outside the part that holds them.
    Bitmap dark(width, image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < width; ++x)
            dark.setFilled(y, x, level(x, y) < options.threshold);
    }
    const Bitmap::Part part = dark.filledPart();
    if (part.width == 0)
        throw InputError("has no pixel darker than the threshold (" + std::to_string(options.threshold)
            + "): there is no picture to import");
    const int left = part.left, top = part.top, w = part.width, h = part.height;
    if (w <= GridSize && h <= GridSize)
        return dark.cropped();
    if (!options.fit)
        throw InputError("is " + std::to_string(w) + " x " + std::to_string(h)
            + " pixels without its margins, but the grid holds at most 21 x 21: use --fit to reduce it");

    // Area averaging: each cell takes the mean grey level of the part of the picture it
    // covers, pixels cut by a cell's edge counting with the share inside it.
    const double scale = double(std::max(w, h)) / GridSize;
    const int cellsWide = std::clamp(int(std::lround(w / scale)), 1, GridSize);
    const int cellsHigh = std::clamp(int(std::lround(h / scale)), 1, GridSize);
    const double stepX = double(w) / cellsWide;
    const double stepY = double(h) / cellsHigh;
    Bitmap drawing(cellsWide, cellsHigh);
    for (int cy = 0; cy < cellsHigh; ++cy) {
        const double y0 = cy * stepY;
        const double y1 = y0 + stepY;
        for (int cx = 0; cx < cellsWide; ++cx) {
            const double x0 = cx * stepX;
            const double x1 = x0 + stepX;
            double sum = 0;
            double area = 0;
            for (int y = int(y0); y < std::min(h, int(std::ceil(y1))); ++y) {
                const double wy = std::min(y1, y + 1.0) - std::max(y0, double(y));
                for (int x = int(x0); x < std::min(w, int(std::ceil(x1))); ++x) {
                    const double wx = std::min(x1, x + 1.0) - std::max(x0, double(x));
                    sum += wx * wy * level(left + x, top + y);
                    area += wx * wy;
                }
            }
            drawing.setFilled(cy, cx, area > 0 && sum / area < options.threshold);
        }
    }
    // Lines thinner than a cell grow pale in the average: far fewer dark cells than dark pixels.
    const Bitmap croppedDark = dark.cropped();
    const double darkShare = double(croppedDark.filledCount()) / (double(w) * h);
    const double cellShare = double(drawing.filledCount()) / (double(cellsWide) * cellsHigh);
    if (hint != nullptr && cellShare < darkShare / 2)
        *hint = "thin lines grew pale when the picture was reduced, and few cells are left: a higher "
                "--threshold (such as 200) keeps more of them";
    return drawing.cropped();
}

} // namespace schemetools
