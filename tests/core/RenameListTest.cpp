#include "core/ListOps.h"
#include "tests/support/ChangeRecorder.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

// Rows a, b, c whose other texts, folder and icon all follow from the name,
// so a move that leaves any of them behind shows.
RenameList Rows(int count)
{
    RenameList list;
    for (int i = 0; i < count; ++i) {
        const QString name(QChar(u'a' + i));
        list.append({name, QStringLiteral("new_") + name, QStringLiteral("old_") + name,
                     QStringLiteral("/") + name, i});
    }
    return list;
}

TEST(RenameListMoves, TradeWholeEntriesAndRespectTheirGuards)
{
    struct {
        const char* name;
        int rows, selected;
        bool (*move)(RenameList&);
        bool changes;
        int selectedAfter;
        const char* orderAfter;
    } const cases[] = {
        {"up from second", 2, 1, MoveRowUp, true, 0, "b|a"},
        {"up from first", 2, 0, MoveRowUp, false, 0, "a|b"},
        {"up without selection", 3, -1, MoveRowUp, false, -1, "a|b|c"},
        {"down from middle", 3, 1, MoveRowDown, true, 2, "a|c|b"},
        {"down from last", 3, 2, MoveRowDown, false, 2, "a|b|c"},
        {"down without selection", 3, -1, MoveRowDown, false, -1, "a|b|c"},
        {"remove without selection", 3, -1, RemoveSelectedRow, false, -1, "a|b|c"},
        {"remove the selected row alone", 3, 1, RemoveSelectedRow, true, -1, "a|c"},
    };
    for (const auto& c : cases) {
        RenameList list = Rows(c.rows);
        list.setSelectedRow(c.selected);
        EXPECT_EQ(c.move(list), c.changes) << c.name;
        EXPECT_EQ(list.selectedRow(), c.selectedAfter) << c.name;
        EXPECT_EQ(CurrentNames(list), Split(c.orderAfter)) << c.name;
        for (const RenameEntry& row : list.rows()) {
            const QString n = row.currentName.toString();
            EXPECT_EQ(row.newName + row.previousName + row.folder + QString::number(row.icon),
                      u"new_" + n + u"old_" + n + u'/' + n + QString::number(n[0].unicode() - u'a'))
                << c.name;
        }
    }
}

TEST(RenameListReorder, AppliesThePermutationOnceAndTheSelectionFollowsItsRow)
{
    RenameList list = Rows(4);
    list.setSelectedRow(1);
    ChangeRecorder recorder;
    list.setObserver(&recorder);
    list.reorder({2, 0, 3, 1});
    list.reorder({0, 1}); // not a permutation of these rows: ignored
    EXPECT_EQ(CurrentNames(list), Split("c|a|d|b"));
    EXPECT_EQ(list.selectedRow(), 3);
    EXPECT_EQ(recorder.reorders, (QList<QList<int>>{{2, 0, 3, 1}}));
    EXPECT_EQ(recorder.selections, QList<int>{3});
}

} // namespace
