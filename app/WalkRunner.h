#pragma once

#include "core/SlicedWalk.h"

#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

// Runs the walks of the window's commands (renames, name operations, scans,
// intakes) without a nested event loop. A walk first runs inside the command
// for up to the first slice, so a short one ends within the click exactly as
// it always did. One that does not goes on in short slices on a zero timer:
// between them the window paints and panel 1 shows how far it got. The
// runner is busy from the start of a walk to its end; the window refuses
// every command meanwhile, so nothing changes the rows under the walk.
class WalkRunner final : public QObject {
    Q_OBJECT
public:
    explicit WalkRunner(QObject* parent = nullptr);

    // How long a walk holds the window at once, in milliseconds: the first
    // slice inside the command, later ones between events. Tests make them
    // tiny so that a few rows show the progress.
    void setSliceTimes(int firstSlice, int laterSlices);
    [[nodiscard]] bool isBusy() const { return m_walk != nullptr; }

    // Runs a walk to its end; `finish` runs once it has ended, also after a
    // failure. A failure in the first slice is thrown on to the command; a
    // later one is told by failed(). `label` names the walk in the progress
    // text ("リネーム中…").
    void run(std::unique_ptr<SlicedWalk> walk, const QString& label, std::function<void()> finish = {});

    // The text a failed command leaves in panel 1.
    [[nodiscard]] static QString failureText(const std::exception& error);

Q_SIGNALS:
    void busyChanged(bool busy);
    void progress(const QString& text);
    void failed(const QString& reason);

private:
    void nextSlice();
    void end();
    [[nodiscard]] QString progressText() const;

    std::unique_ptr<SlicedWalk> m_walk;
    QString m_label;
    std::function<void()> m_finish;
    int m_firstSlice = 400;
    int m_laterSlices = 40;
};
