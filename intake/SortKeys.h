#pragma once

#include "core/RenameList.h"
#include "core/Services.h"

#include <QCollatorSortKey>

#include <vector>

// The sort keys of one column's texts, made once for a sort: comparing two
// rows' keys gives the order of comparing their texts in the user's locale
// without regard to case, as QCollator does. Where the bytes of the keys are
// at hand (the C locale, and ICU's collation) every key lies in one block,
// in row order, so a comparison reads two places of one array instead of
// following pointers to a million separately allocated keys.
class SortKeys {
public:
    // The locale's keys come from `collation` when given, else from QCollator.
    SortKeys(const RenameList& list, int column, CollationKeyWriter* collation);

    // Negative, zero or positive as row a's text sorts before, with or after
    // row b's.
    [[nodiscard]] int compare(int a, int b) const
    {
        if (!m_collatorKeys.empty())
            return m_collatorKeys[static_cast<size_t>(a)].compare(m_collatorKeys[static_cast<size_t>(b)]);
        return compareBytes(a, b);
    }

private:
    // Each row's text of the column in turn, in one reused buffer.
    template <class Take> static void forEachText(const RenameList& list, int column, const Take& take)
    {
        QString text;
        for (const RenameEntry& entry : list.rows()) {
            text.resize(0);
            ColumnField(entry, column).appendTo(text);
            take(text);
        }
    }
    [[nodiscard]] int compareBytes(int a, int b) const;
    void addCaseFolded(const QString& text);

    std::vector<unsigned char> m_bytes;
    std::vector<qsizetype> m_ends{0}; // key i is the bytes from m_ends[i] to m_ends[i + 1]
    std::vector<QCollatorSortKey> m_collatorKeys;
};
