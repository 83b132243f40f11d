// SPDX-License-Identifier: GPL-3.0-or-later
// A helper thread per job, waited for on a condition with a time limit, left behind detached.
#include "boundedcall.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace fileio {

namespace {

// What the caller and the helper share: the caller may be gone when the helper ends.
struct Call {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool abandoned = false; // the caller stopped waiting
    std::exception_ptr error;
};

std::atomic<int> leftBehind {0};

} // namespace

FolderNotAnswering::FolderNotAnswering(const std::string& folder)
    : std::runtime_error("The folder \"" + folder + "\" does not answer")
{
}

bool runWithin(std::chrono::milliseconds limit, std::function<void()> job)
{
    if (leftBehind.load() >= MaxLeftBehind)
        return false;
    auto call = std::make_shared<Call>();
    std::thread([call, job = std::move(job)] {
        std::exception_ptr error;
        try {
            job();
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(call->mutex);
        call->error = error;
        call->done = true;
        if (call->abandoned)
            --leftBehind;
        call->ended.notify_one();
    }).detach();

    std::unique_lock lock(call->mutex);
    if (!call->ended.wait_for(lock, limit, [&call] { return call->done; })) {
        call->abandoned = true;
        ++leftBehind;
        return false;
    }
    if (call->error)
        std::rethrow_exception(call->error);
    return true;
}

} // namespace fileio
