// SPDX-License-Identifier: GPL-3.0-or-later
// CheckBox: the click event on every change of the ticked state.
#include "checkbox.h"

namespace widgets {

CheckBox::CheckBox(QWidget* parent, Component* owner, const QString& name)
    : Control<QCheckBox>(parent)
    , Component(this, owner, name)
{
    connect(this, &QCheckBox::toggled, this, &CheckBox::stateClicked);
}

void CheckBox::setBackgroundColor(const QColor& color)
{
    background_ = color;
    fillBackground(color);
}

} // namespace widgets
