// SPDX-License-Identifier: GPL-3.0-or-later
// The published geometry and flags every control shares, mixed between a Qt widget class and
// the control: Left, Top, Width, Height, Visible and Enabled read and write the control's own
// values (not the effective ones inherited from a hidden or disabled parent).
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace widgets {

template <typename QtWidget> class Control : public QtWidget {
public:
    using QtWidget::QtWidget;

    void setLeft(int left) { this->move(left, this->y()); }
    void setTop(int top) { this->move(this->x(), top); }
    void setWidth(int width) { this->resize(width, this->height()); }
    void setHeight(int height) { this->resize(this->width(), height); }

    // The control's own flags: a control on a window not shown yet is still "visible".
    bool visibleFlag() const { return !this->isHidden(); }
    void setVisibleFlag(bool visible) { this->setVisible(visible); }
    bool enabledFlag() const { return !this->testAttribute(Qt::WA_ForceDisabled); }
    void setEnabledFlag(bool enabled) { this->setEnabled(enabled); }

protected:
    // Fills the control's background with color; an invalid or fully transparent colour lets
    // the parent show through instead.
    void fillBackground(const QColor& color)
    {
        const bool fill = color.isValid() && color.alpha() > 0;
        if (fill) {
            QPalette p = this->palette();
            p.setColor(QPalette::Window, color);
            this->setPalette(p);
        }
        this->setAutoFillBackground(fill);
    }
};

} // namespace widgets
