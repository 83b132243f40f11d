// SPDX-License-Identifier: GPL-3.0-or-later
// CheckBox: a check box whose click event follows every change of its ticked state.
#pragma once

#include "component.h"
#include "control.h"

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QString>

namespace widgets {

// Transparent over its parent unless Color is set. stateClicked() follows every change of
// the ticked state, by the user or by the program (setting Checked to its current value
// changes nothing and emits nothing).
class CheckBox : public Control<QCheckBox>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Checked READ isChecked WRITE setChecked)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    CheckBox(QWidget* parent, Component* owner, const QString& name);

    // Qt::transparent (the default) lets the parent show through.
    QColor backgroundColor() const { return background_; }
    void setBackgroundColor(const QColor& color);

signals:
    void stateClicked();

private:
    QColor background_ = Qt::transparent;
};

} // namespace widgets
