// SPDX-License-Identifier: GPL-3.0-or-later
// Panel: fill, one-pixel bevel and centred caption.
#include "panel.h"

#include <QPainter>

namespace widgets {

Panel::Panel(QWidget* parent, Component* owner, const QString& name)
    : Control<QFrame>(parent)
    , Component(this, owner, name)
{
    setFrameShape(QFrame::NoFrame);
    background_ = palette().color(QPalette::Button);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::setCaption(const QString& caption)
{
    caption_ = caption;
    update();
}

void Panel::setBackgroundColor(const QColor& color)
{
    background_ = color;
    update();
}

void Panel::setBevelOuter(Bevel bevel)
{
    bevel_ = bevel;
    update();
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, background_);
    if (bevel_ != BevelNone && r.width() > 0 && r.height() > 0) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        const QColor topLeft = bevel_ == BevelRaised ? light : dark;
        const QColor bottomRight = bevel_ == BevelRaised ? dark : light;
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    }
    if (!caption_.isEmpty()) {
        painter.setFont(font());
        painter.setPen(
            palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(r, Qt::AlignCenter, caption_);
    }
}

} // namespace widgets
