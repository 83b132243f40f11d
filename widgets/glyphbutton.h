// SPDX-License-Identifier: GPL-3.0-or-later
// GlyphButton: a plain push button whose caption is placed by Margin and Spacing.
#pragma once

#include "pushbutton.h"

#include <QColor>
#include <QString>

namespace widgets {

// A button in the platform's look. Margin is the distance in pixels from the left edge to the
// caption; -1 (the default) centres it. Spacing (default 4) is the gap a picture would leave
// before the caption; the button carries no picture, so it only takes part when Margin >= 0.
class GlyphButton : public PushButton {
    Q_OBJECT
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)

public:
    GlyphButton(QWidget* parent, Component* owner, const QString& name);

    // The face colour (the palette's button colour).
    QColor backgroundColor() const override;
    void setBackgroundColor(const QColor& color) override;
    int margin() const { return margin_; }
    void setMargin(int margin);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int margin_ = -1;
    int spacing_ = 4;
};

} // namespace widgets
