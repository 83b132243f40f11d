// SPDX-License-Identifier: GPL-3.0-or-later
// Errors raised inside an event handler end that handler and are shown in the standard
// error box; tests replace the box with a reporter they can read.
#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace widgets {

using ErrorReporter = std::function<void(const QString& message)>;

// Replaces how errors are shown; an empty reporter restores the standard error box.
// Returns the reporter that was in force.
ErrorReporter setErrorReporter(ErrorReporter reporter);
// Shows the message through the reporter in force (by default a modal critical message box
// titled with the application's display name, over the active window).
void reportError(const QString& message);

// The message reported for an exception that is no std::exception and so carries none.
inline const QString UnknownErrorMessage = QStringLiteral("Unknown error");

// Runs an event handler; an exception ends it and is reported, and the window stays usable.
// Every exception is caught: one that crossed Qt's event delivery would end the program.
template <typename Handler> void guarded(Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(UnknownErrorMessage);
    }
}

} // namespace widgets
