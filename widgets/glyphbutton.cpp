// SPDX-License-Identifier: GPL-3.0-or-later
// GlyphButton: a platform-styled face with the caption placed by Margin.
#include "glyphbutton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace widgets {

GlyphButton::GlyphButton(QWidget* parent, Component* owner, const QString& name)
    : PushButton(parent, owner, name)
{
}

QColor GlyphButton::backgroundColor() const
{
    return palette().color(QPalette::Button);
}

void GlyphButton::setBackgroundColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Button, color);
    setPalette(p);
}

void GlyphButton::setMargin(int margin)
{
    margin_ = margin;
    update();
}

void GlyphButton::setSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

void GlyphButton::paintEvent(QPaintEvent* event)
{
    if (margin_ < 0) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    // Without a picture the caption starts Margin pixels in; the picture's Spacing would
    // follow a picture, so it moves nothing here.
    QRect textRect = rect().adjusted(margin_, 0, 0, 0);
    if (isDown())
        textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
            style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    painter.drawItemText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(),
        isEnabled(), text(), QPalette::ButtonText);
}

} // namespace widgets
