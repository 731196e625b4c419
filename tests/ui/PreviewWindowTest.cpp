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
    const QString reason = QStringLiteral("「a.txt」も同じ名前にリネームされます");
    EXPECT_FALSE(f.newNameData(0, Qt::ForegroundRole).isValid());
    for (int row : {1, 2}) {
        EXPECT_TRUE(f.newNameData(row, Qt::ForegroundRole).canConvert<QColor>());
        EXPECT_FALSE(f.newNameData(row, Qt::DecorationRole).value<QIcon>().isNull());
        EXPECT_EQ(f.newNameData(row, Qt::AccessibleDescriptionRole).toString(), reason);
        EXPECT_EQ(f.newNameData(row, Qt::ToolTipRole).toString(), QStringLiteral("same.txt\n") + reason);
    }
    EXPECT_EQ(f.window->failingText(), QStringLiteral("2 件はリネームできません"));
    EXPECT_EQ(std::count_if(marks.cbegin(), marks.cend(),
                            [](const QList<QVariant>& args) {
                                return args.at(2).value<QList<int>>().contains(Qt::ForegroundRole);
                            }),
              1);

    f.applyTemplate(QStringLiteral("same<1>"));
    EXPECT_FALSE(f.newNameData(1, Qt::ForegroundRole).isValid());
    EXPECT_EQ(f.window->failingText(), QString());

    // Renamed, the first row holds the name the others wanted.
    f.applyTemplate(QStringLiteral("same"));
    f.click(Command::Rename);
    EXPECT_EQ(f.newNameData(1, Qt::AccessibleDescriptionRole).toString(),
              QStringLiteral("リストにある「same.txt」がこの名前のまま残ります"));

    // The popup tells why the selected row alone could not be renamed.
    f.window->session().list().setSelectedRow(2);
    QMenu* popup = f.window->menu(QStringLiteral("rowMenu"));
    popup->popup(QPoint(0, 0));
    popup->hide();
    EXPECT_EQ(f.window->action(Command::RenameSelected)->toolTip(),
              QStringLiteral("リネームできません：リストにある「same.txt」がこの名前のまま残ります"));
}

// F8 and the popup's entry go from failing row to failing row, round the
// end of the list; a hint over a button leaves the count in its panel.
TEST(PreviewWindow, TheNextFailingRowIsSelectedAndTheCountStaysInSight)
{
    PreviewWindow f;
    f.start("1.txt|2.txt|3.txt|4.txt");
    f.makeFile(QStringLiteral("x2.txt")); // on disk, not in the list
    QDir(f.dir.path()).mkdir(QStringLiteral("x4.txt"));
    f.window->show();
    QApplication::setActiveWindow(f.window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window.get()));
    f.child<QComboBox>("insertionBox")->setEditText(QStringLiteral("x"));
    f.click(Command::Prepend);
    EXPECT_EQ(f.newNameData(1, Qt::AccessibleDescriptionRole).toString(),
              QStringLiteral("同じ名前のファイルがすでにあります（上書きはしません）"));
    EXPECT_EQ(f.newNameData(3, Qt::AccessibleDescriptionRole).toString(),
              QStringLiteral("同じ名前のフォルダがすでにあります（上書きはしません）"));

    RenameList& list = f.window->session().list();
    list.setSelectedRow(0);
    const QList<std::pair<int, const char*>> steps = {
        {1, "2 件中 1 件目：同じ名前のファイルがすでにあります（上書きはしません）"},
        {3, "2 件中 2 件目：同じ名前のフォルダがすでにあります（上書きはしません）"},
    };
    for (const auto& [row, status] : steps) {
        QTest::keyClick(f.window.get(), Qt::Key_F8);
        EXPECT_EQ(list.selectedRow(), row);
        EXPECT_EQ(f.window->statusText(), QString::fromUtf8(status));
    }
    f.trigger(Command::NextFailingRow); // round the end
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(f.view->currentIndex().row(), 1);

    QTest::mouseMove(f.window->button(Command::UpperCase));
    EXPECT_EQ(f.window->statusText(), QStringLiteral("全文字を大文字にします"));
    EXPECT_EQ(f.window->failingText(), QStringLiteral("2 件はリネームできません"));

    f.child<QComboBox>("insertionBox")->setEditText(QStringLiteral("y<1>"));
    f.click(Command::ChangeName);
    f.trigger(Command::NextFailingRow);
    EXPECT_EQ(list.selectedRow(), 1);
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネームできない行はありません"));
    EXPECT_EQ(f.window->failingText(), QString());
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
    const RenamePreview preview{
        {{}, {PreviewProblem::SameNewName, {}, false, 0}, {PreviewProblem::SameNewName, {}, false, 0}}, 2};
    const auto marked = [&](int row) { return model.index(row, 1).data(Qt::ForegroundRole).isValid(); };
    // The rows whose marks change are announced as one range, from the first.
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setPreview(
        {{{PreviewProblem::SameNewName, {}, false, 2}, {}, {PreviewProblem::SameNewName, {}, false, 0}}, 2});
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
