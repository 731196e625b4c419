#include "intake/ListSort.h"

#include "intake/SortKeys.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// A stable merge sort of row indexes that finishes each half before it
// merges: the keys of neighbouring rows lie together in memory, so most of
// the work stays in the cache, where a sort that passes over the whole array
// at every level would fetch every key from memory log n times.
template <class Less> void MergeSort(int* first, int* last, int* buffer, const Less& less)
{
    const ptrdiff_t count = last - first;
    if (count <= 16) {
        for (int* next = first + 1; next < last; ++next) {
            const int moving = *next;
            int* place = next;
            for (; place > first && less(moving, place[-1]); --place)
                *place = place[-1];
            *place = moving;
        }
        return;
    }
    int* middle = first + count / 2;
    MergeSort(first, middle, buffer, less);
    MergeSort(middle, last, buffer, less);
    if (!less(*middle, middle[-1]))
        return; // the halves are in order already
    int* left = buffer;
    int* const leftEnd = std::copy(first, middle, buffer);
    int* right = middle;
    int* out = first;
    // Equal keys take the left one first: the sort is stable.
    while (left < leftEnd && right < last)
        *out++ = less(*right, *left) ? *right++ : *left++;
    std::copy(left, leftEnd, out);
}

} // namespace

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
    const SortKeys keys(list, state.column, collation);
    const int count = list.count();
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> buffer(static_cast<size_t>(count / 2 + 1));
    const int direction = state.ascending ? 1 : -1;
    MergeSort(order.data(), order.data() + count, buffer.data(),
              [&](int a, int b) { return keys.compare(a, b) * direction < 0; });
    return order;
}

void SortRows(RenameList& list, SortState state, CollationKeyWriter* collation)
{
    list.reorder(SortOrder(list, state, collation));
}
