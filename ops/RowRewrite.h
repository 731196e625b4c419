#pragma once

#include "core/RenameList.h"
#include "core/RenameWalk.h"

#include <utility>

// The text a name operation rewrites. Whatever it is, what the operation
// reads about the file itself (tags, dates, content) comes from the file
// under its current name.
enum class NameSource {
    CurrentName,     // every operation starts again from the name on disk
    NewNameWhereSet, // operations build on each other: the new name where the row has one
};

[[nodiscard]] inline NameSource NameSourceOfOption(bool chainOperations)
{
    return chainOperations ? NameSource::NewNameWhereSet : NameSource::CurrentName;
}

// The row's text for `source`. The marker of a failed detection is no name:
// a row holding it starts from its current name.
[[nodiscard]] inline const NameText& SourceNameOf(const RenameEntry& entry, NameSource source)
{
    if (source == NameSource::CurrentName || entry.newName.isEmpty() ||
        entry.newName == DetectionFailureMarker())
        return entry.currentName;
    return entry.newName;
}

// The walk shared by the operations that compute every row's new name from
// its source name alone: the row count is taken once, every row is rewritten,
// selected or not, and the view hears of it once when the walk ends (also when
// newNameOf throws part-way; the rows done so far keep their new names).
template <class NameFunction>
void RewriteNewNames(RenameList& list, NameSource source, NameFunction&& newNameOf)
{
    const int rows = list.count();
    RenameList::EditScope scope(list);
    for (int row = 0; row < rows; ++row) {
        RenameEntry& entry = scope.row(row);
        entry.newName = newNameOf(SourceNameOf(entry, source).toString());
    }
}
