// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing board: the 21 x 21 cells as the file holds them, the clue areas as the game derives
// them, the lines the game hides, the keyboard cursor, and the marks of the last check.
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <optional>
#include <vector>

namespace editor {

class EditorDocument;
struct Analysis;

class GridView : public QWidget {
    Q_OBJECT

public:
    explicit GridView(EditorDocument& document, QWidget* parent = nullptr);

    // The cell (row, column from 0) on the widget, as laid out at its current size.
    QRect cellRect(int row, int column) const;
    // The clue slot (0 .. 4, 4 next to the grid) of a row or a column.
    QRect clueRect(bool column, int line, int slot) const;
    QPoint cursor() const { return cursor_; } // x column, y row, from 0
    void setCursor(QPoint cell);

    // The marks of a check of the drawing now shown; cleared by every change.
    void setMarks(std::vector<bool> open, std::vector<bool> differs, std::optional<int> suggestion);
    std::optional<int> suggestion() const { return suggestion_; }
    void setSuggestion(std::optional<int> cell);
    const std::vector<bool>& openMarks() const { return open_; }
    const std::vector<bool>& differMarks() const { return differs_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void cursorMoved(QPoint cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int unit() const;
    QPoint origin() const;
    std::optional<QPoint> cellAt(QPoint pos) const;
    // Paints every cell on the straight way from the last cell of the stroke to cell.
    void strokeTo(QPoint cell);
    void paintCells(class QPainter& p);
    void paintClues(class QPainter& p);

    EditorDocument& document_;
    QPoint cursor_ {0, 0};
    std::optional<QPoint> strokeLast_;
    std::vector<bool> open_;
    std::vector<bool> differs_;
    std::optional<int> suggestion_;
};

} // namespace editor
