// Picture import: threshold, crop, and area averaging down to the grid.
#include "pictureimport.h"

#include "inputerror.h"
#include "puzzle.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <vector>

namespace schemetools {

namespace {

// Above this many pixels a picture is refused before it is decoded.
constexpr qint64 MaxPixels = 40'000'000;

// The grey level of every pixel as it shows on white paper (transparency lightens it).
std::vector<double> greyLevels(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<double> levels(
        static_cast<std::size_t>(argb.width()) * static_cast<std::size_t>(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const double alpha = qAlpha(line[x]) / 255.0;
            levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(argb.width())
                + static_cast<std::size_t>(x)]
                = alpha * qGray(line[x]) + (1 - alpha) * 255;
        }
    }
    return levels;
}

} // namespace

Drawing importPicture(const QByteArray& bytes, const PictureOptions& options)
{
    if (bytes.isEmpty())
        throw InputError("is empty (0 bytes): there is no picture in it");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        throw InputError("is not a picture that can be read (PNG, BMP, GIF, PBM, PGM, PPM, XPM or JPEG)");
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPixels)
        throw InputError("is a picture of " + std::to_string(size.width()) + " x "
            + std::to_string(size.height()) + " pixels: too large to import");
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw InputError("cannot be read as a picture: " + reader.errorString().toStdString());

    const int width = image.width();
    const std::vector<double> levels = greyLevels(image);
    auto level = [&](int x, int y) {
        return levels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)
            + static_cast<std::size_t>(x)];
    };
    auto dark = [&](int x, int y) { return level(x, y) < options.threshold; };

    // The margins: everything outside the box of the dark pixels.
    int left = width, right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            if (dark(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        throw InputError("has no pixel darker than the threshold (" + std::to_string(options.threshold)
            + "): there is no picture to import");
    const int w = right - left + 1;
    const int h = bottom - top + 1;
    if (w <= GridSize && h <= GridSize) {
        Drawing drawing(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                drawing.setFilled(y, x, dark(left + x, top + y));
        }
        return drawing;
    }
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
    Drawing drawing(cellsWide, cellsHigh);
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
    return drawing.cropped();
}

} // namespace schemetools
