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

namespace {
const QString& columnText(const RenameEntry& entry, int column)
{
    switch (column) {
    case 1:
        return entry.newName;
    case 2:
        return entry.previousName;
    case 3:
        return entry.folder;
    default:
        return entry.currentName;
    }
}
} // namespace

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
            collator.compare(columnText(rows.at(a), state.column), columnText(rows.at(b), state.column));
        return state.ascending ? result < 0 : result > 0;
    });
    list.reorder(order);
}
