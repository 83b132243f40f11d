// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <array>

namespace schemetools {

namespace {

constexpr int Resolution = 300; // dots per inch of the PDF's page coordinates
constexpr double MarginMm = 15;
constexpr double HeaderMm = 36; // the title and the lines to write on, above the grid
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
    PagePainter(QPainter& painter, const WorksheetWords& words)
        : painter_(painter)
        , words_(words)
    {
    }

    static double mm(double millimetres) { return millimetres * Resolution / 25.4; }

    // A box of the grid or the clue panel, with its text centred.
    void drawBox(const QRectF& rect, const QColor& fill, const QColor& border, const QString& text = {},
        const QColor& textColor = Qt::black, double borderMm = 0.25)
    {
        painter_.setPen(QPen(border, mm(borderMm)));
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
        header(sheet, filled, mm(MarginMm), mm(MarginMm), page.width() - 2 * mm(MarginMm));
        const GridLayout grid = layOut(sheet.puzzle, page);
        if (grid.box.bottom < 0)
            return;
        font(grid.cell / mm(1) * 0.55, true);
        clueGroups(sheet.puzzle, grid);
        cells(sheet.puzzle, grid, filled);
        guideLines(sheet.puzzle, grid);
        font(grid.cell / mm(1) * 0.42, true);
        lineLabels(sheet.puzzle, grid);
    }

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

    // Clue slots and labels take a cell's room each: five clue slots before the grid, one label
    // after it, in both directions; the whole is centred across the page below the header.
    static GridLayout layOut(const Puzzle& puzzle, const QSizeF& page)
    {
        const double left = mm(MarginMm);
        const double top = mm(MarginMm + HeaderMm);
        const double width = page.width() - 2 * mm(MarginMm);
        const double height = page.height() - mm(MarginMm) - top;
        GridLayout grid;
        grid.box = visibleBox(puzzle);
        const int across = ClueSlots + grid.box.columns() + 1;
        const int down = ClueSlots + grid.box.rows() + 1;
        grid.cell = std::min({width / across, height / down, mm(LargestCellMm)});
        grid.left = left + (width - across * grid.cell) / 2 + ClueSlots * grid.cell;
        grid.top = top + ClueSlots * grid.cell;
        return grid;
    }

private:
    // The title; on a worksheet the lines for name, class and date and the child's instruction,
    // on a solution page the scheme's name. HeaderMm high.
    void header(const Sheet& sheet, bool filled, double left, double top, double width)
    {
        const QString title = QString::fromStdString(sheet.title);
        font(7, true);
        painter_.setPen(Qt::black);
        if (filled) {
            const QString solution = QString::fromStdString(words_.solution)
                + (sheet.name.empty() ? QString()
                                      : QStringLiteral(": ") + QString::fromStdString(sheet.name));
            painter_.drawText(QRectF(left, top, width, mm(10)), Qt::AlignLeft | Qt::AlignVCenter,
                title.isEmpty() ? solution : title + QStringLiteral(" \u2013 ") + solution);
            return;
        }
        painter_.drawText(QRectF(left, top, width, mm(10)), Qt::AlignLeft | Qt::AlignVCenter, title);
        top += mm(12);
        writeInLines(left, top, width);
        font(3.4, false);
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(left, top + mm(10), width, mm(11)),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(words_.instruction));
    }

    // "Name ____  Class ____  Date ____" across the width: each word followed by its line.
    void writeInLines(double left, double top, double width)
    {
        font(4.5, false);
        const std::array<std::pair<const std::string*, double>, 3> fields {
            {{&words_.name, 0.5}, {&words_.schoolClass, 0.22}, {&words_.date, 0.28}}};
        const double gap = mm(4);
        double x = left;
        for (const auto& [word, share] : fields) {
            const QString text = QString::fromStdString(*word);
            const double textWidth = painter_.fontMetrics().horizontalAdvance(text) + mm(1.5);
            const double end = x + share * width - (x + share * width >= left + width - 1 ? 0 : gap);
            painter_.setPen(Qt::black);
            painter_.drawText(QRectF(x, top, textWidth, mm(8)), Qt::AlignLeft | Qt::AlignBottom, text);
            painter_.setPen(QPen(Qt::black, mm(0.3)));
            painter_.drawLine(QPointF(x + textWidth, top + mm(7.5)), QPointF(end, top + mm(7.5)));
            x += share * width;
        }
    }

    // Every row's and column's clue group of five slots, the clues flush against the grid, as
    // the window shows them. On paper the slots are white: a clue in black with a black border,
    // an empty slot with a thin grey one, so that a photocopy stays clear and spends no toner.
    void clueGroups(const Puzzle& puzzle, const GridLayout& grid)
    {
        const QColor grey = bgr::toQColor(engine::color::Grey);
        // step goes from one slot to the next, towards the grid.
        auto clueGroup = [&](const Clues& clues, const QRectF& first, QPointF step) {
            if (clues.empty())
                return;
            for (int k = 0; k < ClueSlots; ++k) {
                const int clue = k - (ClueSlots - int(clues.size()));
                if (clue >= 0)
                    drawBox(first.translated(step * k), Qt::white, Qt::black,
                        QString::number(clues[static_cast<std::size_t>(clue)]));
                else
                    drawBox(first.translated(step * k), Qt::white, grey, QString(), Qt::black, 0.1);
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

    // The guide lines after every fifth row and column, as the window's "---" aid draws them:
    // along every cell edge with a visible cell on either side, so that a hole stays blank.
    void guideLines(const Puzzle& puzzle, const GridLayout& grid)
    {
        const Box& box = grid.box;
        auto visible = [&](int r, int c) { return puzzle.cell(r, c).visible; };
        painter_.setPen(QPen(Qt::black, mm(0.7), Qt::SolidLine, Qt::SquareCap));
        for (int r = box.top; r < box.bottom; ++r) {
            if ((r + 1) % 5 != 0)
                continue;
            for (int c = box.left; c <= box.right; ++c) {
                const QRectF below = grid.cellRect(r + 1, c);
                if (visible(r, c) || visible(r + 1, c))
                    painter_.drawLine(below.topLeft(), below.topRight());
            }
        }
        for (int c = box.left; c < box.right; ++c) {
            if ((c + 1) % 5 != 0)
                continue;
            for (int r = box.top; r <= box.bottom; ++r) {
                const QRectF right = grid.cellRect(r, c + 1);
                if (visible(r, c) || visible(r, c + 1))
                    painter_.drawLine(right.topLeft(), right.bottomLeft());
            }
        }
    }

    // The row and column numbers after the grid, where the window has them: grey on the paper.
    void lineLabels(const Puzzle& puzzle, const GridLayout& grid)
    {
        const Box& box = grid.box;
        painter_.setPen(bgr::toQColor(engine::color::Grey));
        for (int r = box.top; r <= box.bottom; ++r) {
            if (!puzzle.rowClues[static_cast<std::size_t>(r)].empty())
                painter_.drawText(grid.cellRect(r, box.right).translated(grid.cell, 0), Qt::AlignCenter,
                    QString::number(r + 1));
        }
        for (int c = box.left; c <= box.right; ++c) {
            if (!puzzle.columnClues[static_cast<std::size_t>(c)].empty())
                painter_.drawText(grid.cellRect(box.bottom, c).translated(0, grid.cell), Qt::AlignCenter,
                    QString::number(c + 1));
        }
    }

    QPainter& painter_;
    const WorksheetWords& words_;
};

} // namespace

QByteArray worksheetPdf(const std::vector<Sheet>& sheets, bool solution, const WorksheetWords& words)
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
    paintWorksheet(writer, sheets, solution, words);
    return bytes;
}

bool paintWorksheet(
    QPagedPaintDevice& device, const std::vector<Sheet>& sheets, bool solution, const WorksheetWords& words)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The page is laid out on A4 at Resolution dots per inch; the device's paintable rectangle,
    // in its own dots, takes it scaled to fit (the PDF writer's is exactly that page).
    const QSizeF page = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())
                            .fullRectPixels(Resolution)
                            .size();
    const QRectF area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double scale = std::min(area.width() / page.width(), area.height() / page.height());
    painter.translate((area.width() - page.width() * scale) / 2, (area.height() - page.height() * scale) / 2);
    painter.scale(scale, scale);
    PagePainter pages(painter, words);
    bool first = true;
    for (const bool filled : {false, true}) {
        if (filled && !solution)
            break;
        for (const Sheet& sheet : sheets) {
            if (!first)
                device.newPage();
            first = false;
            pages.page(sheet, filled, page);
        }
    }
    painter.end();
    return true;
}

namespace {

// The A4 page in the page coordinates, Resolution dots per inch.
QSizeF a4Page()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())
        .fullRectPixels(Resolution)
        .size();
}

} // namespace

QImage worksheetImage(const Sheet& sheet, bool filled, const WorksheetWords& words, int dotsPerInch)
{
    const QSizeF page = a4Page();
    const double scale = double(dotsPerInch) / Resolution;
    QImage image(qRound(page.width() * scale), qRound(page.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    PagePainter(painter, words).page(sheet, filled, page);
    return image;
}

QRectF worksheetCellRect(const Puzzle& puzzle, int row, int column, int dotsPerInch)
{
    const double scale = double(dotsPerInch) / Resolution;
    const QRectF rect = PagePainter::layOut(puzzle, a4Page()).cellRect(row, column);
    return QRectF(rect.topLeft() * scale, rect.size() * scale);
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

int hiddenCellsInside(const Puzzle& puzzle)
{
    const Box box = visibleBox(puzzle);
    int hidden = 0;
    for (int r = box.top; r <= box.bottom; ++r) {
        for (int c = box.left; c <= box.right; ++c)
            hidden += !puzzle.cell(r, c).visible;
    }
    return hidden;
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

WorksheetWords worksheetWords(const std::function<std::string(const char* key)>& lookup)
{
    WorksheetWords words;
    auto take = [&lookup](const char* key, std::string& word) {
        std::string value = lookup(key);
        if (!value.empty())
            word = std::move(value);
    };
    take("Foglio.Nome.Caption", words.name);
    take("Foglio.Classe.Caption", words.schoolClass);
    take("Foglio.Data.Caption", words.date);
    take("Foglio.Istruzioni.Caption", words.instruction);
    take("Foglio.Soluzione.Caption", words.solution);
    return words;
}

} // namespace schemetools
