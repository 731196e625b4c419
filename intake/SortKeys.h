#pragma once

#include "core/RenameList.h"
#include "core/Services.h"

#include <QCollatorSortKey>
#include <QList>

#include <vector>

// The sort keys of one column's texts, made once for a sort: comparing two
// rows' keys gives the natural order of their texts in the user's locale
// without regard to case: digit runs (full-width ones too) compare as
// numbers, so "2" comes before "10". Where the bytes of the keys are at hand
// (the C locale, and ICU's collation) every key lies in one block, in row
// order, so a comparison reads two places of one array instead of following
// pointers to a million separately allocated keys.
class SortKeys {
public:
    // The locale's keys come from `collation` when given, else from QCollator.
    SortKeys(const RenameEntry* rows, qsizetype count, int column, CollationKeyWriter* collation);
    SortKeys(const RenameList& list, int column, CollationKeyWriter* collation)
        : SortKeys(list.rows().data(), list.count(), column, collation)
    {}

    // Negative, zero or positive as row a's text sorts before, with or after
    // row b's.
    [[nodiscard]] int compare(int a, int b) const
    {
        if (!m_collatorKeys.empty())
            return m_collatorKeys[static_cast<size_t>(a)].compare(m_collatorKeys[static_cast<size_t>(b)]);
        return compareBytes(a, b);
    }

    // The rows in key order, equal keys in their old order: element i is the
    // index of the row that goes to place i.
    [[nodiscard]] QList<int> order(bool ascending) const;

private:
    [[nodiscard]] int compareBytes(int a, int b) const;
    [[nodiscard]] QList<int> orderByPrefix(bool ascending) const;
    template <class Text> void addNaturalFolded(Text text);

    qsizetype m_count = 0;
    std::vector<unsigned char> m_bytes;
    std::vector<qsizetype> m_ends{0}; // key i is the bytes from m_ends[i] to m_ends[i + 1]
    std::vector<QCollatorSortKey> m_collatorKeys;
};
