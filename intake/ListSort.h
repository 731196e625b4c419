#pragma once
// Sorting the rows by a column header click.

#include "core/RenameList.h"
#include "core/Services.h"

struct SortState {
    int column = 0;
    bool ascending = true;
};

// A click on the current column reverses the direction; another column
// sorts ascending.
[[nodiscard]] SortState NextSortState(SortState current, int clickedColumn);

// Reorders the rows once by the text of a column (0 current name, 1 new name,
// 2 previous name, 3 folder) in natural order: the user's locale without
// regard to case, digit runs as numbers (SortKeys); equal texts keep their
// order. Rows added later go to the end. The system's collation keys are
// used when given, QCollator's otherwise.
void SortRows(RenameList& list, SortState state, CollationKeyWriter* collation = nullptr);
// The order SortRows gives: element i is the current index of the row that
// goes to place i.
[[nodiscard]] QList<int> SortOrder(const RenameList& list, SortState state,
                                   CollationKeyWriter* collation = nullptr);
