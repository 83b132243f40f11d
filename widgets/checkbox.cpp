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
    const bool fill = color.isValid() && color.alpha() > 0;
    if (fill) {
        QPalette p = palette();
        p.setColor(QPalette::Window, color);
        setPalette(p);
    }
    setAutoFillBackground(fill);
}

} // namespace widgets
