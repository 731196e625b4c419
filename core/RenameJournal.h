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

// The `later` batch renamed on a file the `earlier` one renamed, or moved
// a file to or from one of its names, and both still stand (rows marked
// renamed): the earlier batch's files cannot all get their old names before
// the later batch is put back.
[[nodiscard]] bool LaterBatchTouches(const JournalBatch& earlier, const JournalBatch& later);

class RenameJournal {
public:
    static constexpr int kKeptBatches = 20;
    // The kept batches together stay within this many bytes (a batch of a
    // million rows takes tens of megabytes); the newest is always kept.
    static constexpr qint64 kKeptBytes = qint64(200) << 20;
    void setKeptBytes(qint64 bytes) { m_keptBytes = bytes; }

    // `folder` is the journal folder, made (for the user alone) when missing.
    RenameJournal(QString folder, JournalDisk& disk);

    [[nodiscard]] const QString& folder() const { return m_folder; }
    [[nodiscard]] JournalDisk& disk() { return m_disk; }

    // The start point of a walk: the plan, with the identity of each file
    // it names, goes to disk, durably, and the batch is held as running
    // (JournalDisk::create). `id` becomes the batch's id, empty for an empty
    // plan. Returns an empty text, or why the journal cannot be written (the
    // walk must not start unless the user chooses to go on without it).
    // `throughEditor`: the editor's round trip started the walk.
    [[nodiscard]] QString begin(RenameWalkKind walk, QList<PlannedRename> plan, QString& id,
                                bool throughEditor = false);
    // The end point, from the walk's own report: the rows it renamed (list
    // rows, RenameReport::renamedRows) are marked renamed, the rest not.
    // The results go into the room the plan left for them, so a disk that
    // filled up during the walk still takes them. Returns an empty text or
    // why they could not be written (the batch then stays interrupted). A
    // walk the user `stopped` is marked interrupted: it never got to its end.
    [[nodiscard]] QString finish(const QString& id, const QList<int>& renamedRows, bool stopped = false);

    struct Scan {
        QList<JournalSummary> batches; // newest first
        QStringList setAside;          // unreadable files found, under their new names
    };
    // Every batch; files that cannot be read are set aside here and named
    // once in setAside. Finished batches beyond the last kKeptBatches, or
    // beyond kKeptBytes together, are deleted, the oldest first.
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
    // A journal file's bytes, only when it is the user's own (FileTrust.h).
    [[nodiscard]] std::optional<QByteArray> readOwnFile(const QString& path);
    // Why the folder is not used; empty when it is.
    [[nodiscard]] QString folderRefusal();
    QString setAside(const QString& path);
    void prune(const QStringList& newestFirst);
    [[nodiscard]] QStringList idsNewestFirst() const;

    struct OpenBatch {
        JournalBatch batch;
        QList<int> listRows; // the list row of each planned row
        qint64 roomAt = 0;   // where the room for the results starts
    };
    QString m_folder;
    JournalDisk& m_disk;
    QHash<QString, OpenBatch> m_open;
    QStringList m_setAside;        // not yet reported
    QSet<QString> m_ignored;       // files not the user's own, already named
    bool m_folderReported = false; // an unsafe folder is named once on stderr
    qint64 m_keptBytes = kKeptBytes;
};
