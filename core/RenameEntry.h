#pragma once

#include <QString>

// One row of the rename list. The folder never changes; the names change only
// through a successful rename or undo, the new name through the operations.
struct RenameEntry {
    QString currentName;
    QString newName;
    QString previousName;
    QString folder;
    int icon = 0; // index into the application-wide icon table
};

// Full path of the row: its folder joined with its current name.
[[nodiscard]] QString FullPathOf(const RenameEntry& entry);

// The columns in the order the list shows them.
enum class RenameColumn { CurrentName = 0, NewName = 1, PreviousName = 2, Folder = 3 };
inline constexpr int RenameColumnCount = 4;
// The text of a column (0 to 3); any other number gives the current name.
[[nodiscard]] const QString& ColumnText(const RenameEntry& entry, int column);
