#pragma once

#include "core/RenamePreview.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <optional>

class QThread;

// Plays the rename through on a thread of its own, so that a long list never
// holds up the window. It works on a snapshot of the rows (a shared copy:
// taking it costs nothing, and the rows may change meanwhile). A new start
// stops the preview still running and its result is never told; at most one
// thread runs, and the latest start waits for it.
class PreviewRunner : public QObject {
    Q_OBJECT
public:
    explicit PreviewRunner(QObject* parent = nullptr);
    ~PreviewRunner() override;

    // `rules` must outlive the runner; it is used on the preview's thread.
    void start(const QList<RenameEntry>& rows, FolderRules& rules, bool throughTemporaryNames);
    // No preview started so far is told any more.
    void cancel();
    [[nodiscard]] bool isPending() const { return m_thread != nullptr || m_waiting.has_value(); }

Q_SIGNALS:
    // The preview of the rows of the latest start.
    void finished(const RenamePreview& preview);

private:
    struct Job {
        QList<RenameEntry> rows;
        FolderRules* rules = nullptr;
        bool throughTemporaryNames = false;
        quint64 generation = 0;
    };
    void launch(Job job);
    void threadEnded();

    QThread* m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
    std::optional<Job> m_waiting;
    quint64 m_generation = 0;
};
