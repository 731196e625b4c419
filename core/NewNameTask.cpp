#include "core/NewNameTask.h"

#include <QThread>

#include <atomic>

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
}

qsizetype NewNameTask::done() const
{
    return m_touched->reached.load(std::memory_order_relaxed);
}

NewNameTask::~NewNameTask()
{
    if (m_thread)
        m_thread->wait();
}

bool NewNameTask::runFor(QDeadlineTimer deadline)
{
    if (!m_thread) {
        m_thread.reset(QThread::create([this] {
            try {
                m_operation(m_copy);
            } catch (...) {
                m_failure = std::current_exception();
            }
        }));
        m_thread->start();
    }
    if (!m_thread->wait(deadline))
        return false;
    copyNamesBack();
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    return true;
}

void NewNameTask::copyNamesBack()
{
    if (m_touched->first < 0)
        return;
    RenameList::EditScope scope(m_list);
    for (int row = m_touched->first; row <= m_touched->last; ++row) {
        const RenameEntry& made = m_copy.rows().at(row);
        RenameEntry& entry = scope.row(row);
        entry.newName = made.newName;
        entry.keptReason = made.keptReason; // why a row kept its new name goes with it
    }
    m_touched->first = -1;
}
