#include "core/ListOps.h"
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

TEST(CountText, HasNoPadding)
{
    EXPECT_EQ(CountText(12), QStringLiteral("総数：12"));
    EXPECT_EQ(CountText(0), QStringLiteral("総数：0"));
}

} // namespace
