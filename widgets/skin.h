// SPDX-License-Identifier: GPL-3.0-or-later
// The "DeepBlue" skin: the colours and face drawing shared by every skinned control.
#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace widgets::skin {

inline const QColor FaceTop(0x3D, 0x6F, 0xC9);
inline const QColor FaceBottom(0x12, 0x34, 0x84);
inline const QColor HoverTop(0x55, 0x88, 0xDF);
inline const QColor HoverBottom(0x1C, 0x45, 0xA0);
inline const QColor PressedTop(0x0B, 0x22, 0x5E);
inline const QColor PressedBottom(0x1F, 0x4C, 0xA8);
inline const QColor Outline(0x08, 0x1C, 0x4A);
inline const QColor Caption(Qt::white);
inline const QColor DisabledTop(0x9A, 0xA6, 0xBC);
inline const QColor DisabledBottom(0x7A, 0x86, 0x9E);
inline const QColor DisabledCaption(0xD8, 0xDD, 0xE6);

enum class FaceState { Normal, Hover, Pressed, Disabled };

// A rounded deep-blue face filling rect: gradient, dark outline, a light line inside the top
// edge (none when pressed, so the face looks sunk).
void drawFace(QPainter& painter, const QRect& rect, FaceState state);

} // namespace widgets::skin
