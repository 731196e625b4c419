#include "intake/ListSort.h"

#include <QCollator>

#include <algorithm>
#include <numeric>

SortState NextSortState(SortState current, int clickedColumn)
{
    if (clickedColumn == current.column)
        return {clickedColumn, !current.ascending};
    return {clickedColumn, true};
}

void SortRows(RenameList& list, SortState state)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    QList<int> order(list.count());
    std::iota(order.begin(), order.end(), 0);
    const QList<RenameEntry>& rows = list.rows();
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result =
            collator.compare(ColumnText(rows.at(a), state.column), ColumnText(rows.at(b), state.column));
        return state.ascending ? result < 0 : result > 0;
    });
    list.reorder(order);
}
