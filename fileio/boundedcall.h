// SPDX-License-Identifier: GPL-3.0-or-later
// Waiting a bounded time for file-system work that may block for ever: a folder on a network
// server that stopped answering blocks a listing, a stat or a read until the server is back.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>

namespace fileio {

// How long the window waits for a folder or a scheme file before it gives up on it: long
// enough for any folder that answers, short enough that the window never seems frozen.
inline constexpr std::chrono::milliseconds FolderAnswerLimit {250};

// How many jobs that did not end in time may be left blocked at once. While that many are,
// runWithin starts no further job and gives up at once, so a server that stays down does not
// gather threads without end.
inline constexpr int MaxLeftBehind = 32;

// Raised when a folder does not answer within FolderAnswerLimit:
// "The folder "<folder>" does not answer".
class FolderNotAnswering : public std::runtime_error {
public:
    explicit FolderNotAnswering(const std::string& folder);
};

// Runs job on a helper thread and waits for it up to limit, doing nothing else meanwhile.
// Returns true when the job ended in time; an exception it threw is thrown here. Returns false
// when the limit passed (or MaxLeftBehind jobs are still blocked): the job goes on alone, is
// never joined, and whatever it does later is dropped. The job must therefore own everything
// it uses (capture by value) and must touch no object that the caller may destroy. A program
// may end while such a job is blocked: the job keeps nothing that needs destroying.
bool runWithin(std::chrono::milliseconds limit, std::function<void()> job);

// runWithin for a job that returns a value: the value, or nothing when the limit passed.
template <typename Job>
std::optional<std::invoke_result_t<Job&>> callWithin(std::chrono::milliseconds limit, Job job)
{
    using Result = std::invoke_result_t<Job&>;
    // Shared with the job, so that a result arriving after the limit has somewhere to go.
    auto result = std::make_shared<std::optional<Result>>();
    if (!runWithin(limit, [result, job = std::move(job)]() mutable { result->emplace(job()); }))
        return std::nullopt;
    return std::move(*result);
}

} // namespace fileio
