#include "intake/ListSort.h"

#include <QCollator>

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

namespace {

// The C locale has no collation: QCollator compares there case-folded UTF-16
// units, but its sort keys ignore the case setting. So the key is the
// case-folded text itself, which compares exactly as QCollator does.
QString CaseFolded(const QString& text)
{
    QString folded(text.size(), Qt::Uninitialized);
    QChar* out = folded.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            // Simple case folding keeps a character in its plane.
            const char32_t fold = QChar::toCaseFolded(QChar::surrogateToUcs4(unit, text.at(++i)));
            *out++ = QChar(QChar::highSurrogate(fold));
            *out++ = QChar(QChar::lowSurrogate(fold));
        } else {
            *out++ = unit.toCaseFolded();
        }
    }
    return folded;
}

template <class Key, class Compare>
QList<int> OrderByKeys(const RenameList& list, SortState state, const Key& keyOf, const Compare& compare)
{
    // Each text becomes its key once; comparing two keys is a plain byte
    // comparison, where comparing two texts would run the collation again
    // inside every one of the n log n comparisons.
    const int count = list.count();
    std::vector<decltype(keyOf(QString()))> keys;
    keys.reserve(static_cast<size_t>(count));
    QString text; // one buffer for every row's text
    for (const RenameEntry& entry : list.rows()) {
        text.resize(0);
        ColumnField(entry, state.column).appendTo(text);
        keys.push_back(keyOf(text));
    }
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> buffer(static_cast<size_t>(count / 2 + 1));
    const int direction = state.ascending ? 1 : -1;
    MergeSort(order.data(), order.data() + count, buffer.data(),
              [&](int a, int b) { return compare(keys[a], keys[b]) * direction < 0; });
    return order;
}

} // namespace

QList<int> SortOrder(const RenameList& list, SortState state)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    if (collator.locale().language() == QLocale::C) {
        return OrderByKeys(list, state, CaseFolded,
                           [](const QString& a, const QString& b) { return QStringView(a).compare(b); });
    }
    return OrderByKeys(
        list, state, [&collator](const QString& text) { return collator.sortKey(text); },
        [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b); });
}

void SortRows(RenameList& list, SortState state)
{
    list.reorder(SortOrder(list, state));
}
