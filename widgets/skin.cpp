// SPDX-License-Identifier: GPL-3.0-or-later
// The "DeepBlue" skin: drawing of the gradient face.
#include "skin.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace widgets::skin {

void drawFace(QPainter& painter, const QRect& rect, FaceState state)
{
    QColor top = FaceTop;
    QColor bottom = FaceBottom;
    switch (state) {
    case FaceState::Normal:
        break;
    case FaceState::Hover:
        top = HoverTop;
        bottom = HoverBottom;
        break;
    case FaceState::Pressed:
        top = PressedTop;
        bottom = PressedBottom;
        break;
    case FaceState::Disabled:
        top = DisabledTop;
        bottom = DisabledBottom;
        break;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF outer = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(3.0, std::min(outer.width(), outer.height()) / 4);
    QLinearGradient gradient(outer.topLeft(), outer.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(0.5, top.lighter(100).darker(112));
    gradient.setColorAt(0.51, bottom.lighter(108));
    gradient.setColorAt(1.0, bottom);
    painter.setPen(QPen(state == FaceState::Disabled ? DisabledBottom.darker(130) : Outline, 1.0));
    painter.setBrush(gradient);
    painter.drawRoundedRect(outer, radius, radius);
    if (state != FaceState::Pressed && outer.height() > 6) {
        // A soft highlight just inside the top edge.
        QColor shine(255, 255, 255, state == FaceState::Disabled ? 50 : 80);
        painter.setPen(QPen(shine, 1.0));
        painter.drawLine(QPointF(outer.left() + radius, outer.top() + 1.0),
            QPointF(outer.right() - radius, outer.top() + 1.0));
    }
    painter.restore();
}

} // namespace widgets::skin
