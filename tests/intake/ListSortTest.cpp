#include "intake/ListSort.h"
#include "intake/FolderScan.h"
#include "platform/SystemCollation.h"
#include "tests/support/FakeServices.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

TEST(ListSort, ClicksToggleTheDirectionOfOneColumn)
{
    const SortState start; // column 0 ascending
    EXPECT_EQ(NextSortState(start, 0).ascending, false);
    EXPECT_EQ(NextSortState(NextSortState(start, 0), 0).ascending, true);
    const SortState other = NextSortState(NextSortState(start, 0), 3);
    EXPECT_EQ(other.column, 3);
    EXPECT_TRUE(other.ascending);
}

// A scan and a click on the name header give one order, whichever keys make it.
TEST(ListSort, NamesComeInNaturalOrderFromScansAndClicks)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    struct Case {
        QLocale locale;
        const char* listed; // in listing order
        const char* sorted; // ascending; equal keys keep their listing order
    } const cases[] = {
        {QLocale::c(), "t10.mp3|t2.mp3|t1.mp3|t0.mp3|t00.mp3", "t0.mp3|t00.mp3|t1.mp3|t2.mp3|t10.mp3"},
        {QLocale::c(), "DSC_10.JPG|dsc_9.jpg|Dsc_9.JPG|dsc_0100.jpg|dsc_011.jpg",
         "dsc_9.jpg|Dsc_9.JPG|DSC_10.JPG|dsc_011.jpg|dsc_0100.jpg"},
        {QLocale::c(), "写真１０.jpg|写真３.jpg|写真2.jpg|写真007.jpg|写真7.jpg",
         "写真2.jpg|写真３.jpg|写真007.jpg|写真7.jpg|写真１０.jpg"},
        {QLocale::c(), "a|A|b1c|b01c|a 1|a1", "a|A|a 1|a1|b1c|b01c"},
        {japanese, "track10.mp3|Track9.mp3|track９.mp3|TRACK100.mp3",
         "Track9.mp3|track９.mp3|track10.mp3|TRACK100.mp3"},
        {QLocale(QLocale::Swedish), "ö.txt|z.txt|O.txt|å2|å10", "O.txt|z.txt|å2|å10|ö.txt"},
        {QLocale(QLocale::German), "ö.txt|z.txt|O.txt|P.txt", "O.txt|ö.txt|P.txt|z.txt"},
        {japanese, "漢字.txt|さくら.txt|カキ.txt|あお.txt|2.txt|10.txt|b.txt|B.txt",
         "2.txt|10.txt|b.txt|B.txt|あお.txt|カキ.txt|さくら.txt|漢字.txt"},
    };
    for (const Case& c : cases) {
        QLocale::setDefault(c.locale);
        const QStringList listed = Split(c.listed);
        const std::unique_ptr<CollationKeyWriter> system = OpenSystemCollation();
        for (CollationKeyWriter* collation : {system.get(), static_cast<CollationKeyWriter*>(nullptr)}) {
            RenameList clicked = ListOf(listed);
            SortRows(clicked, {}, collation);
            EXPECT_EQ(CurrentNames(clicked), Split(c.sorted)) << c.listed << (collation ? " system" : "");
        }
        // Descending is stable too: sorting its own result again changes nothing.
        RenameList reversed = ListOf(Split(c.sorted));
        SortRows(reversed, {0, false}, system.get());
        const QStringList once = CurrentNames(reversed);
        SortRows(reversed, {0, false}, system.get());
        EXPECT_EQ(CurrentNames(reversed), once) << c.listed;
        FolderListing listing;
        for (const QString& name : listed)
            listing.entries.append({name});
        FakeFolderLister lister;
        lister.folders.insert(QStringLiteral("/p"), listing);
        FakeIcons icons;
        RenameList scanned = ListOf(Split("z0|z1"));
        ScanFolder(scanned, QStringLiteral("/p"), QStringLiteral("*"), false, lister, icons);
        EXPECT_EQ(CurrentNames(scanned), Split("z0|z1") + Split(c.sorted)) << c.listed; // rows before stay
    }
    QLocale::setDefault(QLocale::system());
}

} // namespace
