#include "core/NewNameTask.h"

#include "core/FreeLater.h"

#include <atomic>
#include <chrono>

// The first and last row the operation announced as changed, and how far
// its edit scopes got: the task's progress.
class NewNameTask::TouchedRows final : public RenameListObserver {
public:
    int first = -1;
    int last = -1;
    std::atomic<int> reached{0};

    void beginAppend(int, int) override {}
    void endAppend() override {}
    void beginRemove(int, int) override {}
    void endRemove() override {}
    void beginMove(int, int) override {}
    void endMove() override {}
    void beginReset() override {}
    void endReset() override {}
    void beginReorder() override {}
    void endReorder(const QList<int>&) override {}
    void rowsChanged(int from, int to) override
    {
        first = first < 0 ? from : qMin(first, from);
        last = qMax(last, to);
    }
    void selectionChanged(int) override {}
    void rowReached(int row) override { reached.store(row + 1, std::memory_order_relaxed); }
};

NewNameTask::NewNameTask(RenameList& list, Operation operation)
    : m_list(list)
    , m_operation(std::move(operation))
    , m_touched(std::make_unique<TouchedRows>())
{
    m_copy.appendAll(list.rows());
    m_copy.setSelectedRow(list.selectedRow());
    m_copy.setObserver(m_touched.get());
    m_total = m_copy.count();
}

qsizetype NewNameTask::done() const
{
    return m_touched->reached.load(std::memory_order_relaxed);
}

NewNameTask::~NewNameTask()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool NewNameTask::runFor(QDeadlineTimer deadline)
{
    if (!m_joined) {
        // A standard thread and lock: the end of the operation is seen by
        // every tool that checks threads, the thread sanitizer included.
        if (!m_thread.joinable()) {
            m_thread = std::thread([this] {
                try {
                    m_operation(m_copy);
                } catch (...) {
                    m_failure = std::current_exception();
                }
                const std::lock_guard lock(m_endMutex);
                m_ended = true;
                m_endSignal.notify_all();
            });
        }
        std::unique_lock lock(m_endMutex);
        const auto ended = [this] { return m_ended; };
        if (deadline.isForever())
            m_endSignal.wait(lock, ended);
        else if (!m_endSignal.wait_for(lock, std::chrono::milliseconds(deadline.remainingTime()), ended))
            return false;
        lock.unlock();
        m_thread.join();
        m_joined = true;
    }
    if (!copyNamesBack(deadline))
        return false;
    // Freeing the copy of a long list takes as long as copying the names
    // back: a thread does it, and the task ends when it is done.
    if (!m_copy.isEmpty())
        FreeLater(m_release, m_copy.takeAll());
    if (m_release.valid() && !ReadyBy(m_release, deadline))
        return false;
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return true;
}

// A million names take a tenth of a second to copy: they go back in slices
// too, each told as one change of the rows it copied.
bool NewNameTask::copyNamesBack(QDeadlineTimer deadline)
{
    constexpr int kRowsBetweenChecks = 4096;
    if (m_touched->first < 0)
        return true;
    RenameList::EditScope scope(m_list);
    int row = m_touched->first;
    for (int sinceCheck = 1; row <= m_touched->last; ++row, ++sinceCheck) {
        if (sinceCheck % kRowsBetweenChecks == 0 && deadline.hasExpired()) {
            m_touched->first = row;
            return false;
        }
        const RenameEntry& made = m_copy.rows().at(row);
        RenameEntry& entry = scope.row(row);
        entry.newName = made.newName;
        entry.keptReason = made.keptReason; // why a row kept its new name goes with it
    }
    m_touched->first = -1;
    return true;
}
