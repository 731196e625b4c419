#pragma once
// One batch of the rename journal and its file: UTF-8 lines a person can
// read, a version line first, a header of "key value" lines, then the rows
// below the folder they belong to, and "end" last so that a cut file shows.
//
//   quorvane-journal 1
//   started 2025-05-01T10:20:30.123+09:00
//   walk rename
//   state done
//   rows 2
//   folders 1
//   folder<TAB>/home/user/photos
//   +<TAB>IMG_0001.jpg<TAB>写真_0001.jpg
//   -<TAB>IMG_0002.jpg<TAB>写真_0002.jpg
//   end
//
// Names may hold any character but NUL and "/", so a backslash is written
// "\\", a control character "\xHH" and a lone surrogate "\uHHHH".

#include "core/RenameWalk.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// Open: the walk runs or was cut short. Undoing: a put-back from the history
// runs or was cut short. Done: finished; rows marked renamed can be put back.
// Undone: every name is back, nothing is left to do.
enum class JournalState { Open, Undoing, Done, Undone };

// Planned (an open batch knows no results), renamed (the file carries the
// new name), not renamed.
enum class RowStatus { Planned, Renamed, NotRenamed };

struct JournalRow {
    QString folder;
    QString oldName;
    QString newName;
    RowStatus status = RowStatus::Planned;
};

struct JournalBatch {
    QDateTime started;
    qint64 process = 0;
    WalkKind walk = WalkKind::RenameAll;
    JournalState state = JournalState::Open;
    bool interrupted = false; // the walk never finished by itself
    int rowCount = 0;
    int folderCount = 0;
    QString firstFolder;
    QList<JournalRow> rows; // empty after a read of the header alone
};

[[nodiscard]] QByteArray FormatJournal(const JournalBatch& batch);

enum class JournalRead { HeaderOnly, Whole };

// The batch the bytes describe, or nothing (and `error` says why) when they
// are not a complete journal of this version. HeaderOnly skips the rows but
// still checks that the file is complete.
[[nodiscard]] std::optional<JournalBatch> ParseJournal(const QByteArray& bytes, JournalRead depth,
                                                       QString* error = nullptr);

[[nodiscard]] QByteArray EscapeJournalText(const QString& text);
// Nothing when the field holds a broken escape or bytes that are not UTF-8.
[[nodiscard]] std::optional<QString> UnescapeJournalText(QByteArrayView field);
