#include "platform/SystemCollation.h"
#include "intake/ListSort.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <QCollator>

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

// The rule of a header click: the user's collation without regard to case,
// digit runs as numbers, equal texts in their old order, in either direction.
QList<int> ComparedOrder(const QStringList& texts, bool ascending)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    QList<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int result = collator.compare(texts.at(a), texts.at(b));
        return ascending ? result < 0 : result > 0;
    });
    return order;
}

TEST(ListSort, KeysGiveTheOrderOfComparingTextsInEveryLocaleAndDirection)
{
    QStringList names =
        Split("b.txt|B.txt|a.txt|C.txt|c.txt|file_10.jpg|file_9.jpg|File_9.jpg|caf\xc3\xa9.txt|"
              "cafe.txt|cafe\xcc\x81.txt|\xc3\xa4.txt|z.txt|I.txt|\xc4\xb1.txt|\xe4\xb8\x80.txt|\xe4\xba\x8c."
              "txt|\xe5\x86\x99\xe7\x9c\x9f.jpg|\xe3\x81\x97\xe3\x82\x83.jpg|"
              "\xe3\x82\xb7\xe3\x83\xa3.jpg||_x|~x|1.txt|a.txt");
    for (int i = 0; i < 200; ++i) // enough rows for the merge sort to merge
        names.append(QStringLiteral("%1_%2").arg(QChar((i % 3 ? u'a' : u'A') + i % 26)).arg(i % 7));
    RenameList list = ListOf(QStringList(names.size()), names); // the new-name column
    // The C locale has keys of its own (ListSortTest).
    for (const QLocale& locale :
         {QLocale(QLocale::Japanese, QLocale::Japan), QLocale(QLocale::German, QLocale::Germany),
          QLocale(QLocale::Swedish), QLocale(QLocale::Turkish), QLocale(QLocale::Chinese, QLocale::Taiwan)}) {
        QLocale::setDefault(locale);
        // The system's keys where it has them, and QCollator's own.
        const std::unique_ptr<CollationKeyWriter> system = OpenSystemCollation();
        EXPECT_NE(system, nullptr);
        for (CollationKeyWriter* collation : {system.get(), static_cast<CollationKeyWriter*>(nullptr)}) {
            for (const bool ascending : {true, false}) {
                EXPECT_EQ(SortOrder(list, {1, ascending}, collation), ComparedOrder(names, ascending))
                    << locale.name() << (ascending ? " ascending" : " descending")
                    << (collation ? " system keys" : " QCollator keys");
            }
        }
    }
    QLocale::setDefault(QLocale::system());
}

} // namespace
