// SPDX-License-Identifier: GPL-3.0-or-later
// Shape: the outlined rectangle and its mouse-up event.
#include "shape.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace widgets {

Shape::Shape(QWidget* parent, Component* owner, const QString& name)
    : Control<QWidget>(parent)
    , Component(this, owner, name)
{
}

void Shape::setBrushColor(const QColor& color)
{
    brush_ = color;
    update();
}

void Shape::setPenColor(const QColor& color)
{
    pen_ = color;
    update();
}

void Shape::setPenWidth(int width)
{
    penWidth_ = std::max(0, width);
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), brush_);
    if (penWidth_ == 0)
        return;
    // The outline lies inside the bounds, penWidth pixels thick.
    const int w = std::min(penWidth_, std::min(width(), height()) / 2 + 1);
    const QRect r = rect();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), pen_);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), pen_);
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), pen_);
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), pen_);
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 2, Qt::DotLine));
        painter.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

void Shape::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit keyActivated();
        return;
    default:
        Control<QWidget>::keyPressEvent(event);
    }
}

void Shape::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

bool Shape::event(QEvent* event)
{
    // Tooltips only when asked for.
    if (event->type() == QEvent::ToolTip && !showHint_)
        return true;
    return Control<QWidget>::event(event);
}

} // namespace widgets
