#include "core/NewNameTask.h"
#include "core/CommandError.h"
#include "tests/support/ChangeRecorder.h"
#include "tests/support/RenameRows.h"

#include <gtest/gtest.h>

namespace {

// A name operation run in its own thread leaves the list as running it in
// place does: the rows done before a failure keep their names, and the view
// hears of them once.
TEST(NewNameTask, WritesBackWhatTheOperationWroteAlsoWhenItFailsPartWay)
{
    RenameList list = ListOf(Split("a|b|c|d|e|f"), Split("|||||old"));
    ChangeRecorder recorder;
    list.setObserver(&recorder);
    // One edit per row: the rows heard of are the first to the last edited.
    NewNameTask walk(list, [](RenameList& rows) {
        for (int row = 0; row < rows.count(); ++row) {
            if (rows.at(row).currentName == QStringLiteral("e"))
                throw CommandError(QStringLiteral("stop at e"));
            if (row == 1) { // a row that keeps its new name, and why
                RenameList::EditScope(rows).row(row).keptReason = KeptNameReason::NoTitle;
                continue;
            }
            RenameList::EditScope(rows).row(row).newName = rows.at(row).currentName.toString().toUpper();
        }
    });
    EXPECT_THROW(RunToEnd(walk), CommandError);
    EXPECT_EQ(NewNames(list), Split("A||C|D||old"));
    EXPECT_EQ(list.at(1).keptReason, KeptNameReason::NoTitle);
    EXPECT_EQ(recorder.changes, (QList<QPair<int, int>>{{0, 3}}));
    EXPECT_EQ(walk.done(), 4); // rows 0 to 3, through their edit scopes
    EXPECT_EQ(walk.total(), 6);
}

// A long list's names go back in slices, each told as its own change; the
// slices cover every row once.
TEST(NewNameTask, WritesBackALongListInSlices)
{
    QStringList names;
    for (int row = 0; row < 10000; ++row)
        names << QString::number(row);
    RenameList list = ListOf(names);
    ChangeRecorder recorder;
    list.setObserver(&recorder);
    NewNameTask walk(list, [](RenameList& rows) {
        RenameList::EditScope scope(rows);
        for (int row = 0; row < rows.count(); ++row)
            scope.row(row).newName = QStringLiteral("n") + rows.at(row).currentName.toString();
    });
    while (!walk.runFor(QDeadlineTimer(0))) {
    }
    ASSERT_GT(recorder.changes.size(), 1);
    int next = 0;
    for (const auto& [first, last] : recorder.changes) {
        EXPECT_EQ(first, next);
        next = last + 1;
    }
    EXPECT_EQ(next, 10000);
    EXPECT_EQ(list.at(9999).newName, QStringLiteral("n9999"));
}

} // namespace
