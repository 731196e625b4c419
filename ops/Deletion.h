#pragma once
// Head and tail deletion (buttons "先頭削除" and "末尾削除"): each click takes
// one character off every row's name.

#include "core/RenameList.h"
#include "ops/RowRewrite.h"

#include <QString>

#include <optional>

enum class DeletionMode {
    // Shorten the new names; a row without a new name stays without one,
    // unless operations are chained: then its current name is shortened.
    Continue,
    Restart, // shorten the current names, discarding earlier edits, chained or not
};

// What a walk does at a row it cannot shorten (a name such as ".txt").
enum class FailingRow {
    StopWalk, // throw CommandError; the rows before it keep their new names
    Skip,     // leave the row as it is and go on
};

// True when some row has a non-empty new name; false for an empty list.
[[nodiscard]] bool AnyNewNameSet(const RenameList& list);
// The mode of a left click: Continue once anything has been prepared.
[[nodiscard]] DeletionMode LeftClickDeletionMode(const RenameList& list);

// The name without its first character, whatever it is (a dot included).
// An empty name stays empty.
[[nodiscard]] QString WithoutFirstCharacter(const QString& name);
// The name without the last character of its base name; the extension and its
// dot stay ("abc." gives "ab.", "a.txt" gives ".txt"). A name without a dot
// loses its last character. Nothing when the name has a dot but no base name
// before it (".txt"): there is nothing that may be deleted.
[[nodiscard]] std::optional<QString> WithoutLastBaseCharacter(const QString& name);

// Head deletion never fails.
void DeleteFirstCharacter(RenameList& list, DeletionMode mode, NameSource source = NameSource::CurrentName);
// Tail deletion; with FailingRow::StopWalk a row without a base name throws
// CommandError after the rows before it were written.
void DeleteLastCharacter(RenameList& list, DeletionMode mode, FailingRow onFailure = FailingRow::StopWalk,
                         NameSource source = NameSource::CurrentName);
