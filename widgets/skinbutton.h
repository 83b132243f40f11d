// SPDX-License-Identifier: GPL-3.0-or-later
// SkinButton: a push button drawn in the widget set's "DeepBlue" skin.
#pragma once

#include "pushbutton.h"

#include <QColor>
#include <QString>

namespace widgets {

// A deep-blue gradient face with a white caption: lighter under the mouse, darker and sunk by
// a pixel while pressed, grey when disabled. It keeps the size it is given and shows no picture.
// SkinName names the skin; "DeepBlue" is the only one drawn, any other name draws it as well.
class SkinButton : public PushButton {
    Q_OBJECT
    Q_PROPERTY(QString SkinName READ skinName WRITE setSkinName)

public:
    SkinButton(QWidget* parent, Component* owner, const QString& name);

    // Kept for the published property; the skin paints the face, so it shows nowhere.
    QColor backgroundColor() const override { return color_; }
    void setBackgroundColor(const QColor& color) override { color_ = color; }
    QString skinName() const { return skinName_; }
    void setSkinName(const QString& skinName);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    QString skinName_ = QStringLiteral("DeepBlue");
};

} // namespace widgets
