// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the board and turning mouse strokes and keys into changes of the document.
#include "gridview.h"

#include "analysis.h"
#include "editordocument.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace editor {

namespace {

constexpr int GridSize = engine::GridSize;
constexpr int ClueSlots = engine::CluesPerLine;
// Units across: the line numbers, the five clue slots, the 21 cells.
constexpr int Units = 1 + ClueSlots + GridSize;

const QColor PictureColor(0x20, 0x20, 0x20);
const QColor ClueColor(0xC0, 0xC0, 0xC0);
const QColor HiddenTint(0x90, 0x90, 0x90, 110);
const QColor OverfullColor(0xF0, 0x80, 0x80);
const QColor OpenColor(0xFF, 0x8C, 0x00);
const QColor SecondColor(0xD0, 0x10, 0x10);
const QColor CursorColor(0x1E, 0x60, 0xD0);
const QColor SuggestionColor(0x00, 0xB0, 0x40);
const QColor OtherColor(0xFF, 0xF2, 0xA0);
const QColor HoleColor(0xB8, 0xD8, 0xF0);

int index(int row, int column)
{
    return row * GridSize + column;
}

} // namespace

GridView::GridView(EditorDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    setObjectName(QStringLiteral("Griglia"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(&document_, &EditorDocument::changed, this, [this] {
        open_.clear();
        differs_.clear();
        suggestion_.reset();
        update();
    });
}

QSize GridView::sizeHint() const
{
    return {Units * 26 + 2, Units * 26 + 2};
}

QSize GridView::minimumSizeHint() const
{
    return {Units * 14 + 2, Units * 14 + 2};
}

int GridView::unit() const
{
    return std::max(8, (std::min(width(), height()) - 2) / Units);
}

QPoint GridView::origin() const
{
    const int side = unit() * Units;
    return {std::max(0, (width() - side) / 2), std::max(0, (height() - side) / 2)};
}

QRect GridView::cellRect(int row, int column) const
{
    const int u = unit();
    const QPoint o = origin();
    return {o.x() + (1 + ClueSlots + column) * u, o.y() + (1 + ClueSlots + row) * u, u, u};
}

QRect GridView::clueRect(bool column, int line, int slot) const
{
    const int u = unit();
    const QPoint o = origin();
    if (column)
        return {o.x() + (1 + ClueSlots + line) * u, o.y() + (1 + slot) * u, u, u};
    return {o.x() + (1 + slot) * u, o.y() + (1 + ClueSlots + line) * u, u, u};
}

std::optional<QPoint> GridView::cellAt(QPoint pos) const
{
    const int u = unit();
    const QPoint o = origin() + QPoint((1 + ClueSlots) * u, (1 + ClueSlots) * u);
    if (pos.x() < o.x() || pos.y() < o.y())
        return std::nullopt;
    const int column = (pos.x() - o.x()) / u;
    const int row = (pos.y() - o.y()) / u;
    if (column >= GridSize || row >= GridSize)
        return std::nullopt;
    return QPoint(column, row);
}

void GridView::setCursor(QPoint cell)
{
    cell.setX(std::clamp(cell.x(), 0, GridSize - 1));
    cell.setY(std::clamp(cell.y(), 0, GridSize - 1));
    if (cell == cursor_)
        return;
    cursor_ = cell;
    update();
    emit cursorMoved(cursor_);
}

void GridView::setMarks(std::vector<bool> open, std::vector<bool> differs, std::optional<int> suggestion)
{
    open_ = std::move(open);
    differs_ = std::move(differs);
    suggestion_ = suggestion;
    update();
}

void GridView::setSuggestion(std::optional<int> cell)
{
    suggestion_ = cell;
    update();
}

void GridView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    paintClues(p);
    paintCells(p);
}

void GridView::paintClues(QPainter& p)
{
    const schemetools::Puzzle& puzzle = document_.puzzle();
    const OverfullLines overfull = overfullLines(puzzle);
    QFont font = p.font();
    font.setPixelSize(std::max(6, unit() * 11 / 20));
    p.setFont(font);
    for (const bool column : {false, true}) {
        for (int line = 0; line < GridSize; ++line) {
            const schemetools::Clues& clues = column ? puzzle.columnClues[static_cast<std::size_t>(line)]
                                                     : puzzle.rowClues[static_cast<std::size_t>(line)];
            bool hidden = true;
            for (int i = 0; i < GridSize; ++i)
                hidden = hidden && !puzzle.cell(column ? i : line, column ? line : i).visible;
            const bool tooMany = (column ? overfull.columns : overfull.rows)[static_cast<std::size_t>(line)];
            const int first = ClueSlots - static_cast<int>(clues.size());
            for (int slot = 0; slot < ClueSlots; ++slot) {
                const QRect r = clueRect(column, line, slot).adjusted(0, 0, -1, -1);
                if (hidden) {
                    // The game hides this line: its clue area is shown struck through.
                    p.fillRect(r, QBrush(Qt::lightGray, Qt::BDiagPattern));
                    continue;
                }
                p.fillRect(r, tooMany ? OverfullColor : ClueColor);
                if (slot >= first)
                    p.drawText(
                        r, Qt::AlignCenter, QString::number(clues[static_cast<std::size_t>(slot - first)]));
            }
            // The line number beyond the clues; grey and struck through for a hidden line.
            const QRect number = column ? clueRect(true, line, 0).translated(0, -unit())
                                        : clueRect(false, line, 0).translated(-unit(), 0);
            QFont numberFont = font;
            numberFont.setStrikeOut(hidden);
            p.setFont(numberFont);
            p.setPen(hidden ? Qt::gray : palette().windowText().color());
            p.drawText(number, Qt::AlignCenter, QString::number(line + 1));
            p.setFont(font);
            p.setPen(palette().windowText().color());
        }
    }
}

void GridView::paintCells(QPainter& p)
{
    const schemetools::Puzzle& puzzle = document_.puzzle();
    for (int r = 0; r < GridSize; ++r) {
        for (int c = 0; c < GridSize; ++c) {
            const int i = index(r, c);
            const QRect cell = cellRect(r, c);
            const QRect inner = cell.adjusted(0, 0, -1, -1);
            switch (document_.kind(i)) {
            case CellKind::Filled:
                p.fillRect(inner, PictureColor);
                break;
            case CellKind::Blank:
                p.fillRect(inner, Qt::white);
                break;
            case CellKind::Hole:
                p.fillRect(inner, HoleColor);
                p.drawText(inner, Qt::AlignCenter, QStringLiteral("°"));
                break;
            case CellKind::Keep:
                p.fillRect(inner, Qt::white);
                p.fillRect(inner, QBrush(Qt::gray, Qt::DiagCrossPattern));
                break;
            case CellKind::Other:
                p.fillRect(inner, OtherColor);
                p.drawText(inner, Qt::AlignCenter, QString::fromLatin1(QByteArray(1, document_.mark(i))));
                break;
            }
            if (!puzzle.cell(r, c).visible)
                p.fillRect(inner, HiddenTint);
            if (!differs_.empty() && differs_[static_cast<std::size_t>(i)]) {
                // A cell the second picture has otherwise: a red frame and a cross.
                p.setPen(QPen(SecondColor, std::max(2, unit() / 8)));
                p.drawRect(inner.adjusted(2, 2, -2, -2));
                p.drawLine(inner.topLeft() + QPoint(3, 3), inner.bottomRight() - QPoint(3, 3));
                p.drawLine(inner.topRight() + QPoint(-3, 3), inner.bottomLeft() + QPoint(3, -3));
            } else if (!open_.empty() && open_[static_cast<std::size_t>(i)]) {
                p.setPen(Qt::NoPen);
                p.setBrush(OpenColor);
                const int d = std::max(4, unit() / 3);
                p.drawEllipse(inner.center(), d / 2, d / 2);
                p.setBrush(Qt::NoBrush);
            }
        }
    }
    // Grid lines, with a heavier line after every fifth row and column.
    for (int k = 0; k <= GridSize; ++k) {
        p.setPen(QPen(k % 5 == 0 || k == GridSize ? Qt::black : Qt::gray, k % 5 == 0 ? 2 : 1));
        const QRect first = cellRect(0, 0);
        const QRect last = cellRect(GridSize - 1, GridSize - 1);
        const int x = first.left() + k * unit() - 1;
        const int y = first.top() + k * unit() - 1;
        p.drawLine(x, first.top() - 1, x, last.bottom());
        p.drawLine(first.left() - 1, y, last.right(), y);
    }
    if (suggestion_) {
        // The suggested cell: a green ring around it.
        const QRect cell = cellRect(*suggestion_ / GridSize, *suggestion_ % GridSize);
        p.setPen(QPen(SuggestionColor, std::max(3, unit() / 5)));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(cell.adjusted(-2, -2, 1, 1));
    }
    const QRect cursor = cellRect(cursor_.y(), cursor_.x()).adjusted(0, 0, -1, -1);
    p.setPen(QPen(hasFocus() ? CursorColor : Qt::darkGray, std::max(2, unit() / 7)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cursor.adjusted(1, 1, -1, -1));
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const auto cell = cellAt(event->position().toPoint());
    if (!cell || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        || document_.inStroke()) {
        QWidget::mousePressEvent(event);
        return;
    }
    document_.beginStroke(event->button() == Qt::LeftButton);
    strokeLast_ = *cell;
    document_.strokeCell(index(cell->y(), cell->x()));
    setCursor(*cell);
}

void GridView::strokeTo(QPoint cell)
{
    // Walks from the last cell to this one in steps of one cell (a fast drag skips cells
    // between two mouse events), so the stroke reaches every cell it crosses.
    QPoint at = *strokeLast_;
    const int steps = std::max(std::abs(cell.x() - at.x()), std::abs(cell.y() - at.y()));
    for (int s = 1; s <= steps; ++s) {
        const int column = at.x() + (cell.x() - at.x()) * s / steps;
        const int row = at.y() + (cell.y() - at.y()) * s / steps;
        document_.strokeCell(index(row, column));
    }
    strokeLast_ = cell;
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    if (!strokeLast_ || !document_.inStroke()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    QPoint pos = event->position().toPoint();
    // A drag that leaves the grid keeps painting along its edge.
    const QRect first = cellRect(0, 0);
    const QRect last = cellRect(GridSize - 1, GridSize - 1);
    pos.setX(std::clamp(pos.x(), first.left(), last.right()));
    pos.setY(std::clamp(pos.y(), first.top(), last.bottom()));
    if (const auto cell = cellAt(pos); cell && *cell != *strokeLast_)
        strokeTo(*cell);
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!document_.inStroke()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool left = event->button() == Qt::LeftButton;
    const bool right = event->button() == Qt::RightButton;
    if (!left && !right) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    strokeLast_.reset();
    document_.endStroke();
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    // Keys wait while the mouse draws, so that a stroke stays one undo step of its own.
    if (document_.inStroke()
        || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int i = index(cursor_.y(), cursor_.x());
    switch (event->key()) {
    case Qt::Key_Left:
        setCursor(cursor_ + QPoint(-1, 0));
        break;
    case Qt::Key_Right:
        setCursor(cursor_ + QPoint(1, 0));
        break;
    case Qt::Key_Up:
        setCursor(cursor_ + QPoint(0, -1));
        break;
    case Qt::Key_Down:
        setCursor(cursor_ + QPoint(0, 1));
        break;
    case Qt::Key_Home:
        setCursor({0, cursor_.y()});
        break;
    case Qt::Key_End:
        setCursor({GridSize - 1, cursor_.y()});
        break;
    case Qt::Key_Space:
        document_.toggleCell(i);
        break;
    case Qt::Key_Delete:
        document_.setCell(i, false, QStringLiteral("Cancella casella"));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
}

void GridView::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace editor
