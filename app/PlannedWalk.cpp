#include "app/PlannedWalk.h"

#include "core/FreeLater.h"

PlannedWalk::PlannedWalk(qsizetype rows, std::function<Plan()> writePlan,
                         std::function<std::unique_ptr<RenameRowsWalk>(Plan&)> makeWalk)
    : m_rows(rows)
    , m_writing(std::async(std::launch::async,
                           [writePlan = std::move(writePlan)] {
                               Plan plan = writePlan();
                               ReturnFreedMemory(); // the plan's copy of the rows
                               return plan;
                           }))
    , m_makeWalk(std::move(makeWalk))
{}

PlannedWalk::~PlannedWalk()
{
    if (m_writing.valid())
        m_writing.wait(); // the thread reads the rows' snapshot and writes the journal
}

bool PlannedWalk::stop()
{
    if (m_walk)
        return m_walk->stop();
    m_stopAsked = true;
    return true;
}

bool PlannedWalk::runFor(QDeadlineTimer deadline)
{
    if (!m_planned) {
        if (!ReadyBy(m_writing, deadline))
            return false;
        m_plan = m_writing.get();
        m_planned = true;
        m_walk = m_makeWalk(m_plan);
        if (m_walk && m_stopAsked)
            static_cast<void>(m_walk->stop());
    }
    return !m_walk || m_walk->runFor(deadline);
}
