// Bitmap worksheets and pictures of schemes, and writing them as .non.
#include "worksheet.h"

#include "nonformat.h"

#include "bgrcolor.h"
#include "colors.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace schemetools {

namespace {

constexpr int Resolution = 300; // dots per inch of the PDF's page coordinates
constexpr double MarginMm = 15;
constexpr double LargestCellMm = 12; // a small puzzle still fits on the page with its clues
constexpr int ClueSlots = engine::CluesPerLine;
constexpr int PngCell = 20; // pixels per cell, as the window draws a box at its design size

// The rows and columns that hold a visible cell, first and last (from 0).
struct Box {
    int top = GridSize, bottom = -1, left = GridSize, right = -1;
    int rows() const { return bottom - top + 1; }
    int columns() const { return right - left + 1; }
};

Box visibleBox(const Puzzle& puzzle)
{
    Box box;
    for (int r = 0; r < GridSize; ++r) {
        for (int c = 0; c < GridSize; ++c) {
            if (puzzle.cell(r, c).visible) {
                box.top = std::min(box.top, r);
                box.bottom = std::max(box.bottom, r);
                box.left = std::min(box.left, c);
                box.right = std::max(box.right, c);
            }
        }
    }
    return box;
}

class PagePainter {
public:
    explicit PagePainter(QPainter& painter)
        : painter_(painter)
    {
    }

    static double mm(double millimetres) { return millimetres * Resolution / 25.4; }

    // A box of the grid or the clue panel, with its text centred.
    void drawBox(const QRectF& rect, const QColor& fill, const QColor& border, const QString& text = {},
        const QColor& textColor = Qt::black)
    {
        painter_.setPen(QPen(border, mm(0.25)));
        painter_.setBrush(fill);
        painter_.drawRect(rect);
        if (!text.isEmpty()) {
            painter_.setPen(textColor);
            painter_.drawText(rect, Qt::AlignCenter, text);
        }
    }

    void font(double heightMm, bool bold)
    {
        QFont f(QStringLiteral("Courier New"));
        f.setBold(bold);
        f.setPixelSize(std::max(1, int(mm(heightMm))));
        painter_.setFont(f);
    }

    // Title, name and date, and the grid below them; filled shows the picture.
    void page(const Sheet& sheet, bool filled, const QSizeF& page)
    {
        const double left = mm(MarginMm);
        const double width = page.width() - 2 * mm(MarginMm);
        const double top = header(sheet, filled, left, mm(MarginMm), width);
        const Box box = visibleBox(sheet.puzzle);
        if (box.bottom < 0)
            return;
        const GridLayout grid = layOut(box, left, top, width, page.height() - mm(MarginMm) - top);
        font(grid.cell / mm(1) * 0.55, true);
        clueGroups(sheet.puzzle, grid);
        cells(sheet.puzzle, grid, filled);
        guideLines(grid);
        font(grid.cell / mm(1) * 0.42, true);
        lineLabels(sheet.puzzle, grid);
    }

private:
    // Where the visible part of the grid stands on the page, and the size of its cells.
    struct GridLayout {
        Box box;
        double left = 0; // of the grid's first visible column
        double top = 0; // of its first visible row
        double cell = 0;
        QRectF cellRect(int row, int column) const
        {
            return QRectF(left + (column - box.left) * cell, top + (row - box.top) * cell, cell, cell);
        }
    };

    // The title and the lines for name and date; returns where the grid may start.
    double header(const Sheet& sheet, bool filled, double left, double top, double width)
    {
        font(7, true);
        painter_.setPen(Qt::black);
        const QString title
            = QString::fromStdString(sheet.title) + (filled ? QStringLiteral(" (solution)") : QString());
        painter_.drawText(QRectF(left, top, width, mm(10)), Qt::AlignLeft | Qt::AlignVCenter, title);
        top += mm(14);
        font(4.5, false);
        painter_.setPen(QPen(Qt::black, mm(0.3)));
        painter_.drawText(
            QRectF(left, top, mm(20), mm(8)), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Name"));
        painter_.drawLine(QPointF(left + mm(18), top + mm(7.5)), QPointF(left + width * 0.62, top + mm(7.5)));
        painter_.drawText(QRectF(left + width * 0.66, top, mm(20), mm(8)), Qt::AlignLeft | Qt::AlignBottom,
            QStringLiteral("Date"));
        painter_.drawLine(
            QPointF(left + width * 0.66 + mm(16), top + mm(7.5)), QPointF(left + width, top + mm(7.5)));
        return top + mm(16);
    }

    // Clue slots and labels take a cell's room each: five clue slots before the grid, one label
    // after it, in both directions; the whole is centred across the page.
    static GridLayout layOut(const Box& box, double left, double top, double width, double height)
    {
        const int across = ClueSlots + box.columns() + 1;
        const int down = ClueSlots + box.rows() + 1;
        GridLayout grid;
        grid.box = box;
        grid.cell = std::min({width / across, height / down, mm(LargestCellMm)});
        grid.left = left + (width - across * grid.cell) / 2 + ClueSlots * grid.cell;
        grid.top = top + ClueSlots * grid.cell;
        return grid;
    }

    // Every row's and column's clue group of five slots, the clues flush against the grid, as
    // the window shows them.
    void clueGroups(const Puzzle& puzzle, const GridLayout& grid)
    {
        const QColor silver = bgr::toQColor(engine::color::Silver);
        // step goes from one slot to the next, towards the grid.
        auto clueGroup = [&](const Clues& clues, const QRectF& first, QPointF step) {
            if (clues.empty())
                return;
            for (int k = 0; k < ClueSlots; ++k) {
                const int clue = k - (ClueSlots - int(clues.size()));
                drawBox(first.translated(step * k), silver, Qt::black,
                    clue >= 0 ? QString::number(clues[static_cast<std::size_t>(clue)]) : QString());
            }
        };
        const Box& box = grid.box;
        const double cell = grid.cell;
        for (int r = box.top; r <= box.bottom; ++r)
            clueGroup(puzzle.rowClues[static_cast<std::size_t>(r)],
                grid.cellRect(r, box.left).translated(-ClueSlots * cell, 0), QPointF(cell, 0));
        for (int c = box.left; c <= box.right; ++c)
            clueGroup(puzzle.columnClues[static_cast<std::size_t>(c)],
                grid.cellRect(box.top, c).translated(0, -ClueSlots * cell), QPointF(0, cell));
    }

    // The visible cells, white to write in, or with the picture when filled.
    void cells(const Puzzle& puzzle, const GridLayout& grid, bool filled)
    {
        const Box& box = grid.box;
        for (int r = box.top; r <= box.bottom; ++r) {
            for (int c = box.left; c <= box.right; ++c) {
                if (puzzle.cell(r, c).visible)
                    drawBox(grid.cellRect(r, c),
                        filled && puzzle.pictureCell(r, c) ? QColor(32, 32, 32) : Qt::white, Qt::black);
            }
        }
    }

    // The guide lines after every fifth row and column, as the window's "---" aid draws them.
    void guideLines(const GridLayout& grid)
    {
        const Box& box = grid.box;
        painter_.setPen(QPen(Qt::black, mm(0.7)));
        for (int r = box.top; r < box.bottom; ++r) {
            if ((r + 1) % 5 == 0)
                painter_.drawLine(
                    grid.cellRect(r + 1, box.left).topLeft(), grid.cellRect(r + 1, box.right).topRight());
        }
        for (int c = box.left; c < box.right; ++c) {
            if ((c + 1) % 5 == 0)
                painter_.drawLine(
                    grid.cellRect(box.top, c + 1).topLeft(), grid.cellRect(box.bottom, c + 1).bottomLeft());
        }
    }

    // The row and column numbers after the grid, where the window has them.
    void lineLabels(const Puzzle& puzzle, const GridLayout& grid)
    {
        const QColor silver = bgr::toQColor(engine::color::Silver);
        const QColor grey = bgr::toQColor(engine::color::Grey);
        const Box& box = grid.box;
        for (int r = box.top; r <= box.bottom; ++r) {
            if (!puzzle.rowClues[static_cast<std::size_t>(r)].empty())
                drawBox(grid.cellRect(r, box.right).translated(grid.cell, 0), silver, grey,
                    QString::number(r + 1), grey);
        }
        for (int c = box.left; c <= box.right; ++c) {
            if (!puzzle.columnClues[static_cast<std::size_t>(c)].empty())
                drawBox(grid.cellRect(box.bottom, c).translated(0, grid.cell), silver, grey,
                    QString::number(c + 1), grey);
        }
    }

    QPainter& painter_;
};

} // namespace

QByteArray worksheetPdf(const std::vector<Sheet>& sheets, bool solution)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(Resolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setCreator(QStringLiteral("tessaria-schemi"));
    if (!sheets.empty())
        writer.setTitle(QString::fromStdString(sheets.front().title));
    QPainter painter(&writer);
    PagePainter pages(painter);
    const QSizeF page = writer.pageLayout().fullRectPixels(Resolution).size();
    bool first = true;
    for (const bool filled : {false, true}) {
        if (filled && !solution)
            break;
        for (const Sheet& sheet : sheets) {
            if (!first)
                writer.newPage();
            first = false;
            pages.page(sheet, filled, page);
        }
    }
    painter.end();
    return bytes;
}

QByteArray picturePng(const Puzzle& puzzle)
{
    const Box box = visibleBox(puzzle);
    QImage image(std::max(1, box.columns()) * PngCell + 1, std::max(1, box.rows()) * PngCell + 1,
        QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(QColor(128, 128, 128));
    for (int r = box.top; r <= box.bottom; ++r) {
        for (int c = box.left; c <= box.right; ++c) {
            if (!puzzle.cell(r, c).visible)
                continue;
            painter.setBrush(
                puzzle.pictureCell(r, c) ? bgr::toQColor(engine::color::Green) : QColor(Qt::white));
            painter.drawRect((c - box.left) * PngCell, (r - box.top) * PngCell, PngCell, PngCell);
        }
    }
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

std::string puzzleNon(const Sheet& sheet)
{
    const Puzzle& puzzle = sheet.puzzle;
    const Box box = visibleBox(puzzle);
    NonPuzzle non;
    non.title = sheet.title;
    non.width = std::max(0, box.columns());
    non.height = std::max(0, box.rows());
    Bitmap goal(non.width, non.height);
    for (int r = box.top; r <= box.bottom; ++r) {
        non.rows.push_back(puzzle.rowClues[static_cast<std::size_t>(r)]);
        for (int c = box.left; c <= box.right; ++c)
            goal.setFilled(r - box.top, c - box.left, puzzle.pictureCell(r, c));
    }
    for (int c = box.left; c <= box.right; ++c)
        non.columns.push_back(puzzle.columnClues[static_cast<std::size_t>(c)]);
    non.goal = goal;
    return writeNon(non);
}

} // namespace schemetools
