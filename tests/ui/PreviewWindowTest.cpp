#include "tests/ui/WindowFixture.h"
#include "ui/RenameListModel.h"

#include <QAbstractItemModelTester>
#include <QIcon>

namespace {

struct PreviewWindow : WindowFixture {
    RenameListView* view = child<RenameListView>("fileList");

    void applyTemplate(const QString& text) // with 変更: the name changes, the extension stays
    {
        child<QComboBox>("insertionBox")->setEditText(text);
        click(Command::ChangeName);
    }
    QVariant newNameData(int row, int role) const { return view->model()->index(row, 1).data(role); }
};

TEST(PreviewWindow, CollidingNamesAreMarkedAndCountedUntilTheTemplateIsFixed)
{
    PreviewWindow f;
    f.start("a.txt|b.txt|c.txt");
    QSignalSpy marks(f.view->model(), &QAbstractItemModel::dataChanged);
    f.applyTemplate(QStringLiteral("same"));
    const QString reason = QStringLiteral("同じ名前の行があります（1 行目）");
    EXPECT_FALSE(f.newNameData(0, Qt::ForegroundRole).isValid());
    for (int row : {1, 2}) {
        EXPECT_TRUE(f.newNameData(row, Qt::ForegroundRole).canConvert<QColor>());
        EXPECT_FALSE(f.newNameData(row, Qt::DecorationRole).value<QIcon>().isNull());
        EXPECT_EQ(f.newNameData(row, Qt::AccessibleDescriptionRole).toString(), reason);
        EXPECT_EQ(f.newNameData(row, Qt::ToolTipRole).toString(), QStringLiteral("same.txt\n") + reason);
    }
    EXPECT_EQ(f.window->statusText(), QStringLiteral("2 件はリネームできません"));
    EXPECT_EQ(std::count_if(marks.cbegin(), marks.cend(),
                            [](const QList<QVariant>& args) {
                                return args.at(2).value<QList<int>>().contains(Qt::ForegroundRole);
                            }),
              1);

    f.applyTemplate(QStringLiteral("same<1>"));
    EXPECT_FALSE(f.newNameData(1, Qt::ForegroundRole).isValid());
    EXPECT_EQ(f.window->statusText(), QString());

    // The rename's own message stays; the rows that still fail follow it.
    f.applyTemplate(QStringLiteral("same"));
    f.click(Command::Rename);
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム処理が完了しました　2 件はリネームできません"));
    EXPECT_EQ(f.newNameData(1, Qt::AccessibleDescriptionRole).toString(),
              QStringLiteral("1 行目のファイルがこの名前です"));

    // The popup tells why the selected row alone could not be renamed.
    f.window->session().list().setSelectedRow(2);
    QMenu* popup = f.window->menu(QStringLiteral("rowMenu"));
    popup->popup(QPoint(0, 0));
    popup->hide();
    EXPECT_EQ(f.window->action(Command::RenameSelected)->toolTip(),
              QStringLiteral("リネームできません：1 行目のファイルがこの名前です"));
}

// Marks stand for rows by index: once rows go or move they must not land on
// other rows before the next forecast.
TEST(PreviewModel, MarksAreAnnouncedOnceAndNeverOutliveTheirRows)
{
    RenameList list;
    IconTable icons;
    RenameListModel model(list, icons);
    QAbstractItemModelTester tester(&model);
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})
        list.append(RenameEntry{name, QStringLiteral("x"), {}, QStringLiteral("/d"), 0});
    const RenamePreview preview{{{}, {PreviewProblem::SameNewName, 0}, {PreviewProblem::SameNewName, 0}}, 2};
    const auto marked = [&](int row) { return model.index(row, 1).data(Qt::ForegroundRole).isValid(); };
    // The rows whose marks change are announced as one range, from the first.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setPreview({{{PreviewProblem::SameNewName, 2}, {}, {PreviewProblem::SameNewName, 0}}, 2});
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex().row(), 0);
    EXPECT_EQ(changed.at(0).at(1).toModelIndex().row(), 2);
    model.setPreview(preview);
    list.reorder({2, 1, 0});
    EXPECT_FALSE(marked(1));
    model.setPreview(preview);
    EXPECT_TRUE(marked(1));
    list.removeRow(2);
    EXPECT_FALSE(marked(1));
}

} // namespace
