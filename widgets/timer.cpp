// Timer: Enabled and Interval over QTimer.
#include "timer.h"

namespace widgets {

Timer::Timer(QObject* parent, Component* owner, const QString& name)
    : QTimer(parent)
    , Component(this, owner, name)
{
    QTimer::setInterval(1000);
    restart();
}

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    restart();
}

void Timer::setInterval(int milliseconds)
{
    QTimer::setInterval(std::max(0, milliseconds));
    restart();
}

void Timer::restart()
{
    if (enabled_ && interval() > 0)
        QTimer::start();
    else
        QTimer::stop();
}

} // namespace widgets
