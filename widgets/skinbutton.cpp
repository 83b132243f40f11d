// SPDX-License-Identifier: GPL-3.0-or-later
// SkinButton: the "DeepBlue" face and its caption.
#include "skinbutton.h"

#include "skin.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace widgets {

SkinButton::SkinButton(QWidget* parent, Component* owner, const QString& name)
    : PushButton(parent, owner, name)
{
    // Hover changes the face, so the button repaints when the mouse enters and leaves.
    setAttribute(Qt::WA_Hover);
}

void SkinButton::setSkinName(const QString& skinName)
{
    skinName_ = skinName;
    update();
}

void SkinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    skin::FaceState state = skin::FaceState::Normal;
    if (!isEnabled())
        state = skin::FaceState::Disabled;
    else if (isDown() || isChecked())
        state = skin::FaceState::Pressed;
    else if (underMouse())
        state = skin::FaceState::Hover;
    skin::drawFace(painter, rect(), state);

    QRect textRect = rect().adjusted(2, 1, -2, -1);
    if (state == skin::FaceState::Pressed)
        textRect.translate(1, 1);
    painter.setFont(font());
    if (state != skin::FaceState::Disabled) {
        // A faint dark shadow keeps the white caption crisp on the lighter top half.
        painter.setPen(QColor(0, 0, 0, 90));
        painter.drawText(textRect.translated(1, 1), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
    painter.setPen(state == skin::FaceState::Disabled ? skin::DisabledCaption : skin::Caption);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());

    if (hasFocus()) {
        painter.setPen(QPen(QColor(255, 255, 255, 140), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

} // namespace widgets
