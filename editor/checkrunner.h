// SPDX-License-Identifier: GPL-3.0-or-later
// Checks schemes off the GUI thread, one at a time: a request made while a check runs waits,
// and only the newest waiting request is checked next, so older ones are superseded.
#pragma once

#include "analysis.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

namespace editor {

class CheckRunner : public QObject {
    Q_OBJECT

public:
    explicit CheckRunner(QObject* parent = nullptr);
    ~CheckRunner() override;

    // Asks for a check of the text with edits; ready() follows for the newest request only.
    void request(const SchemeText& text, const CellEdits& edits);
    // Whether the result of the newest request is still to come.
    bool busy() const { return running_ || pending_.has_value(); }
    // The search budget of each check (EditorNodeBudget unless set).
    void setNodeBudget(long budget) { nodeBudget_ = budget; }

signals:
    // The verdict of the newest request; for a puzzle that needs trial or is not unique,
    // suggestion() follows with the search for a cell to change.
    void ready(const editor::Analysis& analysis);
    void suggestion(std::optional<int> cell);

private:
    struct Request {
        SchemeText text;
        CellEdits edits;
        // Empty for the check; for the search for a suggestion that follows it, the open cells.
        std::optional<std::vector<bool>> suggestFrom;
    };
    void start(Request request);
    void finished();

    QFutureWatcher<Analysis> watcher_;
    bool running_ = false;
    bool suggesting_ = false; // the running task searches for a suggestion
    std::unique_ptr<Request> current_; // what the running task was given
    std::optional<Request> pending_;
    // Counts the requests; the running check gives up its search for a suggestion when a
    // newer one arrives.
    std::shared_ptr<std::atomic<long>> latest_ = std::make_shared<std::atomic<long>>(0);
    long nodeBudget_;
};

} // namespace editor
