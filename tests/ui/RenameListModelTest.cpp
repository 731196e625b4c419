#include "ui/RenameListModel.h"

#include "platform/IconTable.h"
#include "tests/support/RenameRows.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Every change of the list reaches a view by Qt's rules (the tester checks
// each announcement against the rows and aborts at the first broken one), a
// swap as two moves, and the selected row and the current row stay one.
TEST(RenameListModel, AnnouncesEveryChangeByTheRulesAndKeepsTheSelection)
{
    RenameList list;
    IconTable icons;
    RenameListModel model(list, icons);
    const QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QItemSelectionModel& current = *model.selectionModel();
    QList<QPersistentModelIndex> followed;
    const auto shown = [&]() -> QString {
        QStringList names;
        for (int row = 0; row < model.rowCount(); ++row)
            names.append(model.index(row, 0).data().toString());
        for (int i = 0; i < followed.size(); ++i) // every view's index stays on its own row
            EXPECT_TRUE(!followed[i].isValid() || followed[i].data() == QString(QChar(u'a' + i))) << i;
        return names.join(u'|') + u' ' + QString::number(list.selectedRow()) + u'=' +
               QString::number(current.currentIndex().row());
    };
    QSignalSpy moves(&model, &QAbstractItemModel::rowsMoved);
    QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);

    model.setIconsShown(true); // nothing to announce yet
    EXPECT_FALSE(model.data(QModelIndex(), Qt::DisplayRole).isValid());
    list.appendAll(ListOf(Split("a|b|c|d|e")).rows());
    for (int row = 0; row < list.count(); ++row)
        followed.append(model.index(row, 0));
    list.setSelectedRow(1);
    list.swapRows(1, 4);
    EXPECT_EQ(shown(), u"a|e|c|d|b 4=4");
    list.swapRows(4, 3);
    EXPECT_EQ(shown(), u"a|e|c|b|d 3=3");
    EXPECT_EQ(moves.size(), 3);
    EXPECT_EQ(changes.size(), 0);
    list.reorder({4, 3, 2, 1, 0});
    EXPECT_EQ(shown(), u"d|b|c|e|a 1=1");
    RenameList::EditScope(list).row(2).newName = QStringLiteral("x");
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.at(0).at(0).toModelIndex(), model.index(2, 0));                // the whole row
    current.setCurrentIndex(model.index(3, 0), QItemSelectionModel::ClearAndSelect); // the user's choice
    list.removeRow(0);
    EXPECT_EQ(shown(), u"b|c|e|a 2=2");
    list.removeRow(2);
    EXPECT_EQ(shown(), u"b|c|a -1=-1");
    list.setSelectedRow(0);
    list.clear();
    EXPECT_EQ(shown(), u" -1=-1");
}

} // namespace
