#pragma once

#include "core/RenameList.h"

#include <utility>

// The walk shared by the operations that compute every row's new name from its
// current name alone: the row count is taken once, every row is rewritten,
// selected or not, and the view hears of it once when the walk ends (also when
// newNameOf throws part-way; the rows done so far keep their new names).
template <class NameFunction> void RewriteNewNamesFromCurrentNames(RenameList& list, NameFunction&& newNameOf)
{
    const int rows = list.count();
    RenameList::EditScope scope(list);
    for (int row = 0; row < rows; ++row) {
        RenameEntry& entry = scope.row(row);
        entry.newName = newNameOf(std::as_const(entry.currentName));
    }
}
