// SPDX-License-Identifier: GPL-3.0-or-later
// Panel: a coloured rectangle with a bevel and an optional centred caption.
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QString>

namespace widgets {

// Filled with Color (the button face by default) and framed by a one-pixel outer bevel:
// raised (light top-left, dark bottom-right, the default), lowered, or none.
class Panel : public Control<QFrame>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(Bevel BevelOuter READ bevelOuter WRITE setBevelOuter)

public:
    enum Bevel { BevelNone, BevelLowered, BevelRaised };
    Q_ENUM(Bevel)

    Panel(QWidget* parent, Component* owner, const QString& name);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QColor backgroundColor() const { return background_; }
    void setBackgroundColor(const QColor& color);
    Bevel bevelOuter() const { return bevel_; }
    void setBevelOuter(Bevel bevel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor background_;
    Bevel bevel_ = BevelRaised;
};

} // namespace widgets
