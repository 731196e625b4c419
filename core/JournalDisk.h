#pragma once
// What the rename journal needs from the system: durable writes of its own
// files, a lock that tells a running batch from an interrupted one, and the
// few questions about the user's files that recovery must ask beyond the
// no-replace rename. Implemented in platform/, replaced by fakes in tests.

#include "core/Services.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class JournalDisk {
public:
    virtual ~JournalDisk() = default;

    // The start point of a new batch: `bytes` become the file durably (a
    // new file beside it, never opened through a symbolic link, flushed,
    // renamed into place, the folder flushed), and the file stays locked by
    // this process, so that another copy of the program does not take the
    // batch for an interrupted one. Returns an empty text or why it failed.
    [[nodiscard]] virtual QString create(const QString& path, const QByteArray& bytes) = 0;

    // Where a later change of a batch is written.
    enum class Step {
        Start, // before a walk: flushed, and the file is held as above
        // After a walk: not waited for, and the lock goes. A power cut may
        // lose it; the batch then counts as interrupted and the disk
        // answers for it at the next start.
        End,
    };
    // Appends `bytes` to the file, never through a symbolic link.
    [[nodiscard]] virtual QString append(const QString& path, const QByteArray& bytes, Step step) = 0;
    // True while some process (this one included) holds the file.
    [[nodiscard]] virtual bool isHeld(const QString& path) = 0;

    // `path` is a directory entry; a symbolic link that points nowhere counts.
    [[nodiscard]] virtual bool exists(const QString& path) = 0;
    // Both paths lead to one file (the same device and inode).
    [[nodiscard]] virtual bool isSameFile(const QString& a, const QString& b) = 0;
    // Every name the folder lists, spelled as it lists it (on a disk that
    // folds case, exists() also finds other spellings).
    [[nodiscard]] virtual QStringList namesIn(const QString& folder) = 0;
    // Removes the name `extra` when, checked right before, it still leads to
    // the same file as `keep`.
    [[nodiscard]] virtual RenameOutcome removeExtraName(const QString& keep, const QString& extra) = 0;
};
