#include "core/ListOps.h"
#include "tests/support/FakeServices.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

RenameEntry row(const char* name, const char* folder = "/f", int icon = 0)
{
    RenameEntry entry;
    entry.currentName = QString::fromUtf8(name);
    entry.newName = QStringLiteral("new_") + entry.currentName;
    entry.previousName = QStringLiteral("old_") + entry.currentName;
    entry.folder = QString::fromUtf8(folder);
    entry.icon = icon;
    return entry;
}

TEST(RenameListMoves, TradeWholeEntriesAndRespectTheirGuards)
{
    struct Case {
        const char* name;
        int rows;
        int selected;
        bool (*move)(RenameList&);
        bool changes;
        int selectedAfter;
        const char* orderAfter;
    } const cases[] = {
        {"up from second", 2, 1, MoveRowUp, true, 0, "b a"},
        {"up from first", 2, 0, MoveRowUp, false, 0, "a b"},
        {"up with one row", 1, 0, MoveRowUp, false, 0, "a"},
        {"up without selection", 3, -1, MoveRowUp, false, -1, "a b c"},
        {"down from middle", 3, 1, MoveRowDown, true, 2, "a c b"},
        {"down from last", 3, 2, MoveRowDown, false, 2, "a b c"},
        {"down without selection", 3, -1, MoveRowDown, false, -1, "a b c"},
    };
    for (const Case& c : cases) {
        RenameList list;
        const char* letters[] = {"a", "b", "c"};
        for (int i = 0; i < c.rows; ++i)
            list.append(row(letters[i], "/f", i + 1));
        list.setSelectedRow(c.selected);
        EXPECT_EQ(c.move(list), c.changes) << c.name;
        EXPECT_EQ(list.selectedRow(), c.selectedAfter) << c.name;
        EXPECT_EQ(CurrentNames(list).join(QLatin1Char(' ')), QString::fromUtf8(c.orderAfter)) << c.name;
    }
}

TEST(RenameListMoves, CarryAllFourTextsAndTheIcon)
{
    RenameList list;
    list.append(row("a", "/one", 7));
    list.append(row("b", "/two", 9));
    list.setSelectedRow(1);
    ASSERT_TRUE(MoveRowUp(list));
    EXPECT_EQ(list.at(0).currentName, QStringLiteral("b"));
    EXPECT_EQ(list.at(0).newName, QStringLiteral("new_b"));
    EXPECT_EQ(list.at(0).previousName, QStringLiteral("old_b"));
    EXPECT_EQ(list.at(0).folder, QStringLiteral("/two"));
    EXPECT_EQ(list.at(0).icon, 9);
    EXPECT_EQ(list.at(1).icon, 7);
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_FALSE(MoveRowUp(list)); // a second press does nothing
}

TEST(RenameListRemoval, RemovesOnlyTheSelectedRow)
{
    RenameList list;
    EXPECT_FALSE(RemoveSelectedRow(list));
    list.append(row("a"));
    list.append(row("b"));
    list.append(row("c"));
    EXPECT_FALSE(RemoveSelectedRow(list)); // nothing selected
    list.setSelectedRow(1);
    EXPECT_TRUE(RemoveSelectedRow(list));
    EXPECT_EQ(CurrentNames(list), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_FALSE(list.hasSelection());
}

TEST(DuplicateTest, IsExactAndCaseSensitive)
{
    RenameList list;
    FakeIcons icons;
    AddPathRow(list, QStringLiteral("/photos/IMG.jpg"), icons);
    AddPathRow(list, QStringLiteral("/a.txt"), icons);
    EXPECT_TRUE(IsPathListed(list, QStringLiteral("/photos/IMG.jpg")));
    EXPECT_FALSE(IsPathListed(list, QStringLiteral("/photos/img.jpg")));
    EXPECT_FALSE(IsPathListed(list, QStringLiteral("/photos/IMG.jpg2")));
    EXPECT_FALSE(IsPathListed(list, QStringLiteral("/photosXIMG.jpg")));
    EXPECT_TRUE(IsPathListed(list, QStringLiteral("/a.txt")));
    // A folder given with a trailing separator is that folder; the root has no name.
    EXPECT_EQ(AddPathRow(list, QStringLiteral("/photos/2024//"), icons), 2);
    EXPECT_EQ(list.at(2).currentName, QStringLiteral("2024"));
    EXPECT_EQ(list.at(2).folder, QStringLiteral("/photos"));
    EXPECT_EQ(AddPathRow(list, QStringLiteral("/"), icons), -1);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(1).folder, QString()); // a file in the root
    EXPECT_EQ(FullPathOf(list.at(1)), QStringLiteral("/a.txt"));
}

TEST(FolderScan, AcceptsEntriesByTheFolderOption)
{
    FakeFolderLister lister;
    FakeIcons icons;
    FolderListing listing;
    auto entry = [](const char* name, bool dir, bool hidden = false, bool system = false) {
        return ListedEntry{QString::fromUtf8(name), dir, hidden, system};
    };
    listing.entries = {entry(".", true, true),
                       entry("..", true, true),
                       entry("z.jpg", false),
                       entry("sub", true),
                       entry(".git", true, true),
                       entry("a.jpg", false),
                       entry(".hidden", false, true),
                       entry("sys", false, false, true),
                       entry("sysdir", true, false, true)};
    listing.undecodable = 2;
    lister.folders.insert(QStringLiteral("/"), listing);

    struct Case {
        const char* name;
        bool folders;
        QStringList expected;
    } const cases[] = {
        {"folder option off", false, {QStringLiteral("z.jpg"), QStringLiteral("a.jpg")}},
        {"folder option on", true, {QStringLiteral("z.jpg"), QStringLiteral("sub"), QStringLiteral("a.jpg")}},
    };
    for (const Case& c : cases) {
        RenameList list;
        const ScanSummary summary =
            ScanFolder(list, QStringLiteral("/"), QStringLiteral("*"), c.folders, lister, icons);
        EXPECT_EQ(CurrentNames(list), c.expected) << c.name;
        EXPECT_EQ(summary.added, c.expected.size()) << c.name;
        EXPECT_EQ(summary.undecodable, 2) << c.name;
        // The folder keeps its trailing separator and the full path still comes out right.
        EXPECT_EQ(list.at(0).folder, QStringLiteral("/")) << c.name;
        EXPECT_EQ(FullPathOf(list.at(0)), QStringLiteral("/z.jpg")) << c.name;
    }
    RenameList twice;
    ScanFolder(twice, QStringLiteral("/"), QStringLiteral("*"), false, lister, icons);
    ScanFolder(twice, QStringLiteral("/"), QStringLiteral("*"), false, lister, icons);
    EXPECT_EQ(twice.count(), 4); // the scan does not test for duplicates
    RenameList empty;
    EXPECT_EQ(ScanFolder(empty, QStringLiteral("/missing"), QStringLiteral("*"), true, lister, icons).added,
              0);
}

TEST(CountText, HasNoPadding)
{
    EXPECT_EQ(CountText(12), QStringLiteral("総数：12"));
    EXPECT_EQ(CountText(0), QStringLiteral("総数：0"));
}

} // namespace
