#pragma once

#include "core/SlicedTask.h"

#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

// Runs the tasks of the window's commands (renames, name operations, scans,
// intakes) without a nested event loop. A task first runs inside the command
// for up to the first slice, so a short one ends within the click exactly as
// it always did. One that does not goes on in short slices on a zero timer:
// between them the window paints and panel 1 shows how far it got. The
// runner is busy from the start of a task to its end; the window refuses
// every command meanwhile, so nothing changes the rows under the task.
//
// A long task (a walk over thousands of files) skips the first slice: its
// progress shows at once, and the user may stop it (SlicedTask::stop).
struct TaskStyle {
    bool atOnce = false;    // progress at once, never inside the command
    bool stoppable = false; // the user is offered to stop it
};

class TaskRunner final : public QObject {
    Q_OBJECT
public:
    explicit TaskRunner(QObject* parent = nullptr);

    // How long a task holds the window at once, in milliseconds: the first
    // slice inside the command, later ones between events. Tests make them
    // tiny so that a few rows show the progress.
    void setSliceTimes(int firstSlice, int laterSlices);
    [[nodiscard]] bool isBusy() const { return m_task != nullptr; }

    // Runs a task to its end; `finish` runs once it has ended, also after a
    // failure. A failure in the first slice is thrown on to the command; a
    // later one is told by failed(). `label` names the task in the progress
    // text ("リネーム中…").
    void run(std::unique_ptr<SlicedTask> task, const QString& label, std::function<void()> finish = {},
             TaskStyle style = {});
    // Asks the running task to stop after the item at hand; it then ends as
    // usual, with what it did.
    void stop();

    // The text a failed command leaves in panel 1.
    [[nodiscard]] static QString failureText(const std::exception& error);

Q_SIGNALS:
    void busyChanged(bool busy);
    // The running task can be stopped now (or no longer).
    void stoppableChanged(bool stoppable);
    void progress(const QString& text);
    void failed(const QString& reason);

private:
    void nextSlice();
    void end();
    [[nodiscard]] QString progressText() const;

    std::unique_ptr<SlicedTask> m_task;
    QString m_label;
    std::function<void()> m_finish;
    bool m_stoppable = false;
    int m_firstSlice = 50;  // longer holds the window visibly; shorter shows progress for a blink
    int m_laterSlices = 25; // a timer may wait for two slices: two stay well under 100 ms
};
