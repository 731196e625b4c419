#pragma once

#include "core/NameText.h"

#include <QString>

// Why the last command that wrote new names left a row's new name as it was:
// the value a token of its template stands for is not recorded for the file.
enum class KeptNameReason : quint8 {
    None,
    NoDateTaken,
    NoModificationTime,
    NoTitle,
    NoTrackNumber,
    NoArtist
};

// One row of the rename list. The folder never changes; the names change only
// through a successful rename or undo, the new name through the operations.
// The texts are NameText, one pointer each, so a million rows stay small.
struct RenameEntry {
    NameText currentName;
    NameText newName;
    NameText previousName;
    NameText folder;
    int icon = 0; // index into the application-wide icon table
    // When a walk last renamed the file (RenameList::nextRenameOrder), 0
    // while it has not: an undo goes back in the reverse order.
    quint32 renameOrder = 0;
    // Set by the command that left the new name; any later edit of the row clears it.
    KeptNameReason keptReason = KeptNameReason::None;
};

Q_DECLARE_TYPEINFO(RenameEntry, Q_RELOCATABLE_TYPE);

// Full path of the row: its folder joined with its current name.
[[nodiscard]] QString FullPathOf(const RenameEntry& entry);
// True when the row's full path is exactly `path`, without building it.
[[nodiscard]] bool HasFullPath(const RenameEntry& entry, QStringView path);

// The columns in the order the list shows them.
enum class RenameColumn { CurrentName = 0, NewName = 1, PreviousName = 2, Folder = 3 };
inline constexpr int RenameColumnCount = 4;
// The field of a column (0 to 3); any other number gives the current name.
[[nodiscard]] const NameText& ColumnField(const RenameEntry& entry, int column);
[[nodiscard]] inline QString ColumnText(const RenameEntry& entry, int column)
{
    return ColumnField(entry, column).toString();
}
