#pragma once
// One batch of the rename journal and its file: UTF-8 lines a person can
// read, a version line first, a header of "key value" lines, then the rows
// below the folder they belong to, and "end" so that a cut file shows. Later
// changes are appended as results blocks; the last complete one counts, and
// one cut short by a crash is ignored.
//
//   quorvane-journal 2
//   started 2025-05-01T10:20:30.123+09:00
//   walk rename
//   state open
//   rows 3
//   folders 1
//   folder<TAB>/home/user/photos
//   ?<TAB>IMG_0001.jpg<TAB>写真_0001.jpg<TAB>803.1a2b.8000.18c2e1f0a3b4c5d6
//   ?<TAB>IMG_0002.jpg<TAB>写真_0002.jpg<TAB>803.1a2c.8000.18c2e1f0a3b4c5d7
//   ?<TAB>IMG_0003.jpg<TAB>写真_0003.jpg<TAB>-
//   end
//   <spaces: room for the results, so that a full disk still takes them>
//   results
//   not-renamed 2
//   state done
//   interrupted no
//   end
//
// A put-back from the history appends a block that also lists the rows it
// gave their old names again ("put-back 1 3"). A batch partly put back is
// written "state done" with those rows, so that a build that knows no
// put-back rows still reads it (and finds those files under their old names).
// A walk the editor's round trip started says so in the header ("origin
// editor"); other builds skip the key.
//
// The last field of a row is the file's identity when the plan was made
// (device, inode, type bits and birth time in hexadecimal), "-" when no file
// was there. Files of version 1 have no such field: their rows are never put
// back, since a name alone does not say which file it is.
//
// Names may hold any character but NUL and "/", so a backslash is written
// "\\", a control character "\xHH" and a lone surrogate "\uHHHH".

#include "core/JournalDisk.h"
#include "core/RenameWalk.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// Open: the walk runs or was cut short. Undoing: a put-back from the history
// runs or was cut short. Done: finished; rows marked renamed can be put back.
// PartlyUndone: some rows were put back, the others marked renamed still can
// be. Undone: every renamed row was put back, nothing is left to do.
enum class JournalState { Open, Undoing, Done, PartlyUndone, Undone };

// Planned (an open batch knows no results), renamed (the file carries the
// new name), not renamed, put back (the walk renamed the file and a put-back
// gave it its old name again).
enum class RowStatus { Planned, Renamed, NotRenamed, PutBack };

// NameText, so that a batch's rows share the names of the list they come from.
struct JournalRow {
    NameText folder;
    NameText oldName;
    NameText newName;
    RowStatus status = RowStatus::Planned;
    FileIdentity identity; // unknown for a file that was not there, and in version 1
};

struct JournalBatch {
    QDateTime started;
    qint64 process = 0;
    RenameWalkKind walk = RenameWalkKind::All;
    JournalState state = JournalState::Open;
    bool interrupted = false; // the walk never finished by itself
    // The walk ended, but which rows it renamed could not be written (the
    // disk was full): the rows are judged by the disk, as after a crash.
    bool statusesLost = false;
    bool identified = true;     // false for version 1: no row knows its file
    bool throughEditor = false; // the editor's round trip started the walk
    int rowCount = 0;
    // Rows the walk renamed (put back since or not), and of them the rows put
    // back; also after a read of the header alone. Unknown (-1) while the
    // batch is open or its statuses were lost, and for a batch undone before
    // put-back rows were recorded.
    int renamedCount = -1;
    int putBackCount = 0;
    int folderCount = 0;
    QString firstFolder;
    QList<JournalRow> rows; // empty after a read of the header alone

    // Rows still carrying the new name that a put-back would take.
    [[nodiscard]] int leftToPutBack() const { return renamedCount < 0 ? -1 : renamedCount - putBackCount; }
};

// The state once a settle has given every row its status: nothing put back
// leaves it finished, some rows put back make it partly undone, and every
// renamed row put back makes it undone.
[[nodiscard]] JournalState SettledState(const QList<JournalRow>& rows);
// renamedCount and putBackCount from the rows' statuses.
void CountRows(JournalBatch& batch);

[[nodiscard]] QByteArray FormatJournal(const JournalBatch& batch);
// The same in pieces, for a plan too long to stand in memory whole: the
// header (with the rows and folders counted beforehand), the rows a piece
// at a time, then the end line. A piece writes a folder line wherever the
// folder changes; `previousFolder` is the folder of the row before its first,
// null at the start.
[[nodiscard]] QByteArray FormatJournalHeader(const JournalBatch& batch, qsizetype rows, int folders);
[[nodiscard]] QByteArray FormatJournalRows(const QList<JournalRow>& rows, const NameText* previousFolder);
inline constexpr QByteArrayView JournalEndLine = "end\n";
// The results block that records the rows' statuses (renamed, not renamed,
// put back) and the batch's state, to be appended to its file. With statusesLost, the
// short block that says the walk ended without naming the rows.
[[nodiscard]] QByteArray FormatJournalResults(const JournalBatch& batch);
// The same for a batch that keeps only its header: `statuses` are its rows'.
[[nodiscard]] QByteArray FormatJournalResults(const JournalBatch& batch,
                                              const std::vector<RowStatus>& statuses);
// Room after the plan for the results block written when the walk ends; the
// parser skips what is left of it.
[[nodiscard]] QByteArray JournalResultsRoom(qsizetype bytes);

enum class JournalRead { HeaderOnly, Whole };

// The batch the bytes describe, or nothing (and `error` says why) when they
// are not a complete journal of this version or version 1. Every count is
// bounded by what the bytes can hold, and the parse takes linear time. HeaderOnly skips the rows but
// still checks that the file is complete.
[[nodiscard]] std::optional<JournalBatch> ParseJournal(const QByteArray& bytes, JournalRead depth,
                                                       QString* error = nullptr);
