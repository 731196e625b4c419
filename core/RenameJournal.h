#pragma once
// The rename journal: before a walk touches the disk, its plan is written
// durably to a file of its own in the journal folder; after the walk, the
// results are added and the batch is marked finished. The plan and the disk
// together tell what a walk that was cut short had done, so no rename needs
// a flush of its own. The last batches stay for undo after a restart.

#include "core/JournalDisk.h"
#include "core/RenameJournalFormat.h"
#include "core/RenameList.h"
#include "core/RenameWalk.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <optional>

// A batch as the history lists it: its header, without the rows.
struct JournalSummary {
    QString id;
    JournalBatch header;
    bool running = false; // a walk holds it right now, in this or another process
};

class RenameJournal {
public:
    static constexpr int kKeptBatches = 20;

    // `folder` is the journal folder, made (for the user alone) when missing.
    RenameJournal(QString folder, JournalDisk& disk);

    [[nodiscard]] const QString& folder() const { return m_folder; }
    [[nodiscard]] JournalDisk& disk() { return m_disk; }

    // The start point of a walk: the plan goes to disk, durably, and the
    // batch is held as running (JournalDisk::create). Returns the batch's id; empty when the plan
    // is empty, or when the journal cannot be written (`error` says why).
    [[nodiscard]] QString begin(RenameWalkKind walk, QList<PlannedRename> plan, QString* error = nullptr);
    // The end point: a planned row was renamed when its row in the list now
    // carries the name it was to get. Returns an empty text or the reason
    // the results could not be written (the batch then stays interrupted).
    QString finish(const QString& id, const RenameList& list);

    struct Scan {
        QList<JournalSummary> batches; // newest first
        QStringList setAside;          // unreadable files found, under their new names
    };
    // Every batch; files that cannot be read are set aside here and named
    // once in setAside. Batches beyond the last kKeptBatches are deleted
    // when finished.
    [[nodiscard]] Scan scan();
    // The whole batch, or nothing when its file cannot be read (it is then
    // set aside and its new name added to `setAside`).
    [[nodiscard]] std::optional<JournalBatch> load(const QString& id, QStringList* setAside);
    // Records a batch's statuses and state, at the start or the end point of
    // a walk that settles it (see JournalDisk::Step). Returns an empty text
    // or why the file could not be written.
    [[nodiscard]] QString store(const QString& id, const JournalBatch& batch, JournalDisk::Step step);
    [[nodiscard]] bool isRunning(const QString& id);

private:
    [[nodiscard]] QString pathOf(const QString& id) const;
    [[nodiscard]] QString newId();
    // A journal file is read only when it is the user's own (FileTrust.h).
    [[nodiscard]] bool isOwnFile(const QString& path);
    QString setAside(const QString& path);
    void prune(const QStringList& newestFirst);
    [[nodiscard]] QStringList idsNewestFirst() const;

    struct OpenBatch {
        JournalBatch batch;
        QList<int> listRows; // the list row of each planned row
    };
    QString m_folder;
    JournalDisk& m_disk;
    QHash<QString, OpenBatch> m_open;
    QStringList m_setAside;  // not yet reported
    QSet<QString> m_ignored; // files not the user's own, already named
};
