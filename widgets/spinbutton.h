// SPDX-License-Identifier: GPL-3.0-or-later
// SpinButton: a pair of arrow buttons, up above down.
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace widgets {

// The upper half shows an up arrow, the lower half a down arrow. A press on a half emits its
// signal at once and, held down, repeats it (after 400 ms, then every 100 ms).
class SpinButton : public Control<QWidget>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)

public:
    SpinButton(QWidget* parent, Component* owner, const QString& name);

    // The face colour of both halves (the palette's button colour).
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& color);

signals:
    void upClick();
    void downClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Half { None, Up, Down };
    void fire();

    Half pressed_ = Half::None;
    QTimer repeat_;
};

} // namespace widgets
