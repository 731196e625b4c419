#pragma once

#include "core/RenameWalk.h"
#include "core/SlicedTask.h"

#include <QString>

#include <functional>
#include <future>
#include <memory>

// A long walk whose journal plan is made and written on a thread of its own
// (a million rows take seconds: every file is looked up once), so the window
// stays responsive meanwhile. The first file is renamed only once the plan
// is on disk: until then each slice only waits for the thread.
class PlannedWalk final : public SlicedTask {
public:
    struct Plan {
        QString problem; // why the plan could not be written; empty when it was
        QString batchId;
        WalkSteps steps; // made beside the plan, for the walk
    };
    // `writePlan` runs on the thread; `makeWalk` runs on the caller's thread
    // once the plan is done, may take the steps made with it, and gives no
    // walk when the plan's problem forbids walking. Until then the progress
    // counts `rows` to go.
    PlannedWalk(qsizetype rows, std::function<Plan()> writePlan,
                std::function<std::unique_ptr<RenameRowsWalk>(Plan&)> makeWalk);
    ~PlannedWalk() override;

    bool runFor(QDeadlineTimer deadline) override;
    qsizetype done() const override { return m_walk ? m_walk->done() : 0; }
    qsizetype total() const override { return m_walk ? m_walk->total() : m_rows; }
    // Asked while the plan is written, the walk stops before its first file.
    bool stop() override;

    // Once the task has ended: the plan, and the walk (null when none was made).
    [[nodiscard]] const Plan& plan() const { return m_plan; }
    [[nodiscard]] const RenameRowsWalk* walk() const { return m_walk.get(); }

private:
    qsizetype m_rows;
    std::future<Plan> m_writing;
    std::function<std::unique_ptr<RenameRowsWalk>(Plan&)> m_makeWalk;
    Plan m_plan;
    bool m_planned = false;
    bool m_stopAsked = false;
    std::unique_ptr<RenameRowsWalk> m_walk;
};
