#pragma once

#include <QDeadlineTimer>

#include <algorithm>
#include <chrono>
#include <future>

// A long task (over rows, paths or folder entries) that stops when its time
// is up and goes on where it stopped when it is run again, so the window can
// paint and show its progress in between without a nested event loop.
class SlicedTask {
public:
    virtual ~SlicedTask() = default;
    // Works until the task is done or the deadline has passed; true once it
    // is done. A failure throws (CommandError); the work done so far stays.
    [[nodiscard]] virtual bool runFor(QDeadlineTimer deadline) = 0;
    // How far it got: items done, and of how many (0 while not known, -1
    // for a task that counts nothing).
    [[nodiscard]] virtual qsizetype done() const = 0;
    [[nodiscard]] virtual qsizetype total() const = 0;
    // Asks the task to end early: the item at hand is finished, the next
    // runFor() ends the task with what was done. False for a task that
    // cannot stop half-way (it then goes on to its end).
    [[nodiscard]] virtual bool stop() { return false; }
};

// Runs a task to its end at once.
inline void RunToEnd(SlicedTask& task)
{
    while (!task.runFor(QDeadlineTimer(QDeadlineTimer::Forever))) {
    }
}

// Deadlines are looked at once every so many items: reading the clock costs
// more than one step of most tasks.
inline constexpr int DeadlineCheckInterval = 64;

// Waits for work on another thread until the deadline: true once it has
// ended (its result or failure is then in `work`), false when time is up
// first. A task that waits so leaves the window free between its slices.
template <class Result> [[nodiscard]] bool ReadyBy(const std::future<Result>& work, QDeadlineTimer deadline)
{
    if (deadline.isForever()) {
        work.wait();
        return true;
    }
    const qint64 left = std::max<qint64>(deadline.remainingTimeNSecs(), 0);
    return work.wait_for(std::chrono::nanoseconds(left)) == std::future_status::ready;
}
