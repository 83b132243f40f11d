// SPDX-License-Identifier: GPL-3.0-or-later
// Timer: Enabled and Interval over a QTimer of its own.
#include "timer.h"

#include <algorithm>

namespace widgets {

Timer::Timer(QObject* parent, Component* owner, const QString& name)
    : QObject(parent)
    , Component(this, owner, name)
{
    connect(&timer_, &QTimer::timeout, this, &Timer::timeout);
    timer_.setInterval(1000);
    restart();
}

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    restart();
}

void Timer::setInterval(int milliseconds)
{
    timer_.setInterval(std::max(0, milliseconds));
    restart();
}

void Timer::restart()
{
    if (enabled_ && timer_.interval() > 0)
        timer_.start();
    else
        timer_.stop();
}

} // namespace widgets
