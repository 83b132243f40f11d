// SPDX-License-Identifier: GPL-3.0-or-later
// Checking in a worker thread of Qt's global pool.
#include "checkrunner.h"

#include <QtConcurrent/QtConcurrentRun>

namespace editor {

CheckRunner::CheckRunner(QObject* parent)
    : QObject(parent)
    , nodeBudget_(EditorNodeBudget)
{
    connect(&watcher_, &QFutureWatcher<Analysis>::finished, this, &CheckRunner::finished);
}

CheckRunner::~CheckRunner()
{
    // The worker touches only its own copy of the bytes; waiting keeps it from outliving us,
    // and a search for a suggestion stops at once.
    ++*latest_;
    watcher_.waitForFinished();
}

void CheckRunner::request(const SchemeText& text, const CellEdits& edits)
{
    ++*latest_;
    if (running_) {
        pending_ = Request {text, edits, std::nullopt};
        return;
    }
    start(Request {text, edits, std::nullopt});
}

void CheckRunner::start(Request request)
{
    running_ = true;
    suggesting_ = request.suggestFrom.has_value();
    current_ = std::make_unique<Request>(request);
    const long budget = nodeBudget_;
    const long generation = *latest_;
    watcher_.setFuture(
        QtConcurrent::run([request = std::move(request), budget, generation, latest = latest_] {
            // An exception must not cross into the GUI thread's result(): it becomes the error verdict.
            try {
                if (request.suggestFrom) {
                    Analysis found;
                    found.suggestion = suggestCell(request.text, request.edits, *request.suggestFrom,
                        [&] { return *latest != generation; });
                    return found;
                }
                return analyse(request.text, request.edits, budget);
            } catch (const std::exception& e) {
                Analysis failed;
                failed.check.problems.push_back({schemetools::Severity::Error, e.what(), 0});
                return failed;
            }
        }));
}

void CheckRunner::finished()
{
    running_ = false;
    if (pending_) {
        // A newer drawing waits: this result is already out of date.
        Request next = std::move(*pending_);
        pending_.reset();
        start(std::move(next));
        return;
    }
    Analysis result = watcher_.result();
    if (suggesting_) {
        emit suggestion(result.suggestion);
        return;
    }
    emit ready(result);
    // The search for a suggestion takes longer than the check: it follows once the verdict shows.
    if (result.wantsSuggestion() && !pending_ && !running_) {
        Request next = *current_;
        next.suggestFrom = result.open;
        start(std::move(next));
    }
}

} // namespace editor
