// SPDX-License-Identifier: GPL-3.0-or-later
// SpinButton: two arrow halves with auto-repeat while held.
#include "spinbutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace widgets {

SpinButton::SpinButton(QWidget* parent, Component* owner, const QString& name)
    : Control<QWidget>(parent)
    , Component(this, owner, name)
{
    repeat_.setSingleShot(false);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(100);
        fire();
    });
}

QColor SpinButton::backgroundColor() const
{
    return palette().color(QPalette::Button);
}

void SpinButton::setBackgroundColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Button, color);
    setPalette(p);
}

void SpinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int upHeight = height() / 2;
    const QRect halves[2]
        = {QRect(0, 0, width(), upHeight), QRect(0, upHeight, width(), height() - upHeight)};
    for (int i = 0; i < 2; ++i) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        const Half half = i == 0 ? Half::Up : Half::Down;
        if (pressed_ == half)
            button.state |= QStyle::State_Sunken;
        else
            button.state |= QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        const int side = std::max(3, std::min(halves[i].width(), halves[i].height()) - 6);
        arrow.rect = QRect(0, 0, side, side);
        arrow.rect.moveCenter(halves[i].center());
        if (pressed_ == half)
            arrow.rect.translate(1, 1);
        style()->drawPrimitive(half == Half::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
            &arrow, &painter, this);
    }
}

void SpinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        Control<QWidget>::mousePressEvent(event);
        return;
    }
    pressed_ = event->position().y() < height() / 2 ? Half::Up : Half::Down;
    update();
    fire();
    repeat_.start(400);
}

void SpinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        Control<QWidget>::mouseReleaseEvent(event);
        return;
    }
    repeat_.stop();
    pressed_ = Half::None;
    update();
}

void SpinButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        repeat_.stop();
        pressed_ = Half::None;
    }
    Control<QWidget>::changeEvent(event);
}

void SpinButton::fire()
{
    if (pressed_ == Half::Up)
        emit upClick();
    else if (pressed_ == Half::Down)
        emit downClick();
}

} // namespace widgets
