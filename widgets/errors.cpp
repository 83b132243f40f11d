// SPDX-License-Identifier: GPL-3.0-or-later
// The standard error box and its replaceable reporter.
#include "errors.h"

#include <QApplication>
#include <QMessageBox>

namespace widgets {

namespace {
ErrorReporter& currentReporter()
{
    static ErrorReporter reporter;
    return reporter;
}
} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter)
{
    return std::exchange(currentReporter(), std::move(reporter));
}

void reportError(const QString& message)
{
    if (const ErrorReporter& reporter = currentReporter()) {
        reporter(message);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
}

} // namespace widgets
