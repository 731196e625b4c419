#pragma once

#include "core/FreeLater.h"
#include "core/SlicedTask.h"

#include <functional>
#include <future>

// One piece of work that would hold the window too long (sorting a million
// rows), run on a thread of its own while the task waits for it slice by
// slice. The work must not touch what the window's thread uses meanwhile:
// it reads a snapshot and leaves its result where the task's end takes it.
class ThreadedTask final : public SlicedTask {
public:
    explicit ThreadedTask(std::function<void()> work)
        : m_work(std::async(std::launch::async, [work = std::move(work)] {
            work();
            ReturnFreedMemory();
        }))
    {}
    ~ThreadedTask() override
    {
        if (m_work.valid())
            m_work.wait();
    }
    ThreadedTask(const ThreadedTask&) = delete;
    ThreadedTask& operator=(const ThreadedTask&) = delete;

    bool runFor(QDeadlineTimer deadline) override
    {
        if (!ReadyBy(m_work, deadline))
            return false;
        m_work.get(); // throws what the work threw
        return true;
    }
    // It counts nothing: the progress shows the task's name alone.
    qsizetype done() const override { return 0; }
    qsizetype total() const override { return -1; }

private:
    std::future<void> m_work;
};
