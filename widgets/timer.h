// Timer: a non-visual component that ticks every Interval milliseconds while Enabled.
#pragma once

#include "component.h"

#include <QString>
#include <QTimer>

namespace widgets {

// Enabled and Interval are independent settings: the timer runs while Enabled is true and
// Interval is above 0, and every change of either restarts the count. It starts enabled with
// an interval of 1000 ms. start() and stop() set Enabled (QTimer's own are hidden).
class Timer : public QTimer, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(int Interval READ interval WRITE setInterval)

public:
    Timer(QObject* parent, Component* owner, const QString& name);

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled);
    void setInterval(int milliseconds);
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }

private:
    void restart();

    bool enabled_ = true;
};

} // namespace widgets
