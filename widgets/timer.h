// SPDX-License-Identifier: GPL-3.0-or-later
// Timer: a non-visual component that ticks every Interval milliseconds while Enabled.
#pragma once

#include "component.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace widgets {

// Enabled and Interval are independent settings: the timer runs while Enabled is true and
// Interval is above 0, and every change of either restarts the count. It starts enabled with
// an interval of 1000 ms; start() and stop() set Enabled. The QTimer that ticks is a member,
// not a base class, so no caller can start or stop it behind Enabled's back.
class Timer : public QObject, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(int Interval READ interval WRITE setInterval)

public:
    Timer(QObject* parent, Component* owner, const QString& name);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return timer_.interval(); }
    // A negative interval counts as 0.
    void setInterval(int milliseconds);
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }
    // Whether it is ticking: Enabled, with an interval above 0.
    bool isActive() const { return timer_.isActive(); }

signals:
    void timeout();

private:
    void restart();

    QTimer timer_;
    bool enabled_ = true;
};

} // namespace widgets
