#include "intake/ListSort.h"

#include "intake/SortKeys.h"

SortState NextSortState(SortState current, int clickedColumn)
{
    if (clickedColumn == current.column)
        return {clickedColumn, !current.ascending};
    return {clickedColumn, true};
}

QList<int> SortOrder(const RenameList& list, SortState state, CollationKeyWriter* collation)
{
    // Each text becomes its key once; comparing two keys is a plain byte
    // comparison, where comparing two texts would run the collation again
    // inside every one of the n log n comparisons.
    return SortKeys(list, state.column, collation).order(state.ascending);
}

void SortRows(RenameList& list, SortState state, CollationKeyWriter* collation)
{
    list.reorder(SortOrder(list, state, collation));
}
