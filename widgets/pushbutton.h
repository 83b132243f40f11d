// SPDX-License-Identifier: GPL-3.0-or-later
// PushButton: what the two push buttons of the widget set share (GlyphButton, SkinButton).
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QString>

namespace widgets {

// A push button with the published geometry, flags, caption, colour and font. It never becomes
// a dialog's default button by taking the focus. Each kind keeps Color its own way and paints
// its own face.
class PushButton : public Control<QPushButton>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    virtual QColor backgroundColor() const = 0;
    virtual void setBackgroundColor(const QColor& color) = 0;

protected:
    PushButton(QWidget* parent, Component* owner, const QString& name);
};

} // namespace widgets
