// SPDX-License-Identifier: GPL-3.0-or-later
// The moment of the first complete frame of the maximised window, printed for the start-up
// benchmark when the environment variable TESSARIA_FRAME_STAMP is set (to anything).
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace window {

// Watches the paints of a top-level window. The first paint of the maximised window (its state
// says so, and the window manager has given it a size other than the one it was shown with) is
// followed, once the event that painted it is done and so every control of that frame has been
// drawn and flushed, by one line on standard output: "frame <CLOCK_REALTIME in ns>". The
// benchmark compares it with the moment before exec.
class FrameStamp : public QObject {
public:
    // Does nothing unless TESSARIA_FRAME_STAMP is set.
    static void watch(QWidget* window)
    {
        if (qEnvironmentVariableIsSet("TESSARIA_FRAME_STAMP"))
            QCoreApplication::instance()->installEventFilter(new FrameStamp(window));
    }

protected:
    // Any widget of the window may be the one painted: opaque children cover their parents.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Show && !created_.isValid())
            created_ = window_->size();
        if (event->type() != QEvent::Paint || done_ || !watched->isWidgetType()
            || static_cast<QWidget*>(watched)->window() != window_)
            return false;
        if (window_->isMaximized() && window_->size() != created_) {
            done_ = true;
            // Queued: it runs when the repaint that this paint belongs to is finished.
            QTimer::singleShot(0, this, [] {
                timespec now {};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("frame %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
            });
        }
        return false;
    }

private:
    explicit FrameStamp(QWidget* window)
        : QObject(window)
        , window_(window)
    {
    }

    QWidget* window_;
    QSize created_;
    bool done_ = false;
};

} // namespace window
