// SPDX-License-Identifier: GPL-3.0-or-later
// Shape: a filled rectangle with an outline, drawn on its parent.
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace widgets {

// A rectangle filled with BrushColor (white by default) and outlined in PenColor (black) with
// PenWidth pixels (1). Color is the fill as well. Shows no tooltip unless ShowHint is set.
class Shape : public Control<QWidget>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QColor Color READ brushColor WRITE setBrushColor)
    Q_PROPERTY(QColor BrushColor READ brushColor WRITE setBrushColor)
    Q_PROPERTY(QColor PenColor READ penColor WRITE setPenColor)
    Q_PROPERTY(int PenWidth READ penWidth WRITE setPenWidth)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)

public:
    Shape(QWidget* parent, Component* owner, const QString& name);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);
    QColor penColor() const { return pen_; }
    void setPenColor(const QColor& color);
    int penWidth() const { return penWidth_; }
    void setPenWidth(int width);
    bool showHint() const { return showHint_; }
    void setShowHint(bool show) { showHint_ = show; }

signals:
    // A mouse button was released over the shape (after being pressed on it); the position
    // is in the shape's own coordinates.
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    // Space or Return while the shape has the keyboard focus (it takes the focus only when
    // given a focus policy; it then shows a dotted frame).
    void keyActivated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
    int penWidth_ = 1;
    bool showHint_ = false;
};

} // namespace widgets
