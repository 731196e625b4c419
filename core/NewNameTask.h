#pragma once

#include "core/RenameList.h"
#include "core/SlicedTask.h"

#include <condition_variable>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

// A name operation (anything that writes new names through EditScope) run on
// a copy of the rows in a thread of its own, so that the window stays painted
// and shows how far it got while a slow operation (tags or content types of
// many files) works. The copy shares the rows' texts and costs no copy of
// them. When the operation ends, the new names it wrote are copied into the
// list on the list's own thread, in slices of the rows it touched; also
// when it stopped at a failure part-way, which is then thrown: the rows done
// so far keep their new names, exactly as when it runs in place. The list
// must not change until the task has ended.
class NewNameTask final : public SlicedTask {
public:
    using Operation = std::function<void(RenameList&)>;
    NewNameTask(RenameList& list, Operation operation);
    ~NewNameTask() override; // waits for the operation when it is still running

    // Waits for the operation until the deadline; true once it has ended
    // and its names are in the list.
    [[nodiscard]] bool runFor(QDeadlineTimer deadline) override;
    // The rows the operation has reached through its edit scope.
    [[nodiscard]] qsizetype done() const override;
    // Known before the thread starts: the copy is the thread's alone while it runs.
    [[nodiscard]] qsizetype total() const override { return m_total; }

private:
    class TouchedRows;
    [[nodiscard]] bool copyNamesBack(QDeadlineTimer deadline);

    RenameList& m_list;
    RenameList m_copy;
    qsizetype m_total = 0;
    Operation m_operation;
    std::unique_ptr<TouchedRows> m_touched;
    std::exception_ptr m_failure;
    std::thread m_thread;
    std::mutex m_endMutex;
    std::condition_variable m_endSignal;
    bool m_ended = false;
    bool m_joined = false;       // the operation's thread has ended; its names go back
    std::future<void> m_release; // the copy's rows, freed once the names are back
};
