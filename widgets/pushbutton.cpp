// SPDX-License-Identifier: GPL-3.0-or-later
// PushButton: the published part the push buttons share.
#include "pushbutton.h"

namespace widgets {

PushButton::PushButton(QWidget* parent, Component* owner, const QString& name)
    : Control<QPushButton>(parent)
    , Component(this, owner, name)
{
    setAutoDefault(false);
}

} // namespace widgets
