#pragma once
// What the rename journal needs from the system: durable writes of its own
// files, a lock that tells a running batch from an interrupted one, and the
// few questions about the user's files that recovery must ask beyond the
// no-replace rename. Implemented in platform/, replaced by fakes in tests.

#include "core/NameText.h"
#include "core/Services.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

// Which file a name leads to: what a rename keeps and a file made later under
// the same name does not share. The birth time tells a reused inode number
// apart where the disk keeps one; size and change time are left out on
// purpose, since an edited file is still the user's file and a rename itself
// changes the change time.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    quint32 kind = 0; // the file type bits of the mode
    qint64 birth = 0; // nanoseconds since the epoch; 0 where the disk keeps none
    [[nodiscard]] bool isKnown() const { return inode != 0 || device != 0; }
    // The same file: a birth time known on one side only does not count.
    [[nodiscard]] bool matches(const FileIdentity& other) const
    {
        return isKnown() && device == other.device && inode == other.inode && kind == other.kind &&
               (birth == 0 || other.birth == 0 || birth == other.birth);
    }
};

class JournalDisk {
public:
    virtual ~JournalDisk() = default;

    // The start point of a new batch: the text becomes the file durably (a
    // new file beside it, never opened through a symbolic link, flushed,
    // renamed into place, the folder flushed), and the file stays locked by
    // this process, so that another copy of the program does not take the
    // batch for an interrupted one. Returns an empty text or why it failed.
    // The text comes piece by piece, an empty piece after the last, so that
    // a long plan never stands in memory whole; each piece is asked for once
    // the one before is written.
    using Pieces = std::function<QByteArray()>;
    [[nodiscard]] virtual QString create(const QString& path, const Pieces& pieces) = 0;
    [[nodiscard]] QString create(const QString& path, const QByteArray& bytes)
    {
        bool given = false;
        return create(path, [&]() { return std::exchange(given, true) ? QByteArray() : bytes; });
    }

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
    // Writes `bytes` over the file from `offset`, inside what it already
    // holds: a disk that has filled up since still takes them.
    [[nodiscard]] virtual QString overwrite(const QString& path, qint64 offset, const QByteArray& bytes,
                                            Step step) = 0;
    // True while some process (this one included) holds the file.
    [[nodiscard]] virtual bool isHeld(const QString& path) = 0;

    // The file the directory entry `path` is (a symbolic link itself, not
    // what it points to); unknown when there is none.
    [[nodiscard]] virtual FileIdentity identityOf(const QString& path) = 0;
    // identityOf() of the entries `names` of `folder`, in their order. A
    // disk that can resolve the folder once for all of them does so.
    [[nodiscard]] virtual QList<FileIdentity> identitiesIn(const QString& folder,
                                                           const QList<NameText>& names)
    {
        QList<FileIdentity> identities;
        identities.reserve(names.size());
        for (const NameText& name : names)
            identities.append(identityOf(folder + QLatin1Char('/') + name));
        return identities;
    }
    // Every name the folder lists, spelled as it lists it (on a disk that
    // folds case, identityOf() also finds other spellings).
    [[nodiscard]] virtual QStringList namesIn(const QString& folder) = 0;
    // Removes the name `extra` when, checked right before, it still leads to
    // the same file as `keep`.
    [[nodiscard]] virtual RenameOutcome removeExtraName(const QString& keep, const QString& extra) = 0;
};

// Hands each piece to `write` until the empty one; false once a write fails.
template <class Write> bool WriteEachPiece(const JournalDisk::Pieces& pieces, Write write)
{
    for (QByteArray piece = pieces(); !piece.isEmpty(); piece = pieces()) {
        if (!write(piece))
            return false;
    }
    return true;
}
