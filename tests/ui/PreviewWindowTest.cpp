#include "tests/ui/WindowFixture.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct PreviewWindow : WindowFixture {
    QAbstractItemModel* model = window->findChild<RenameListView*>(QStringLiteral("ListView1"))->model();

    void applyTemplate(const QString& text)
    {
        window->findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(text);
        QTest::mouseClick(window->button(7), Qt::LeftButton); // 変更: the name, keeping the extension
    }
    QVariant newNameData(int row, int role) const { return model->data(model->index(row, 1), role); }
};

int MarkNotices(const QSignalSpy& spy)
{
    int notices = 0;
    for (const QList<QVariant>& arguments : spy) {
        if (arguments.at(2).value<QList<int>>().contains(Qt::ForegroundRole))
            ++notices;
    }
    return notices;
}

TEST(PreviewWindow, CollidingNamesAreMarkedAndCountedUntilTheTemplateIsFixed)
{
    PreviewWindow f;
    f.window->startUp({f.makeFile(QStringLiteral("a.txt")), f.makeFile(QStringLiteral("b.txt")),
                       f.makeFile(QStringLiteral("c.txt"))});
    QSignalSpy changes(f.model, &QAbstractItemModel::dataChanged);
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
    EXPECT_EQ(MarkNotices(changes), 1);

    f.applyTemplate(QStringLiteral("same<1>"));
    EXPECT_FALSE(f.newNameData(1, Qt::ForegroundRole).isValid());
    EXPECT_FALSE(f.newNameData(2, Qt::AccessibleDescriptionRole).isValid());
    EXPECT_EQ(f.window->statusText(), QString());
    EXPECT_EQ(MarkNotices(changes), 2);

    // After the rename the failing rows are still counted, after its own message.
    f.applyTemplate(QStringLiteral("same"));
    QTest::mouseClick(f.window->button(11), Qt::LeftButton);
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム処理が完了しました　2 件はリネームできません"));
    EXPECT_EQ(f.newNameData(1, Qt::AccessibleDescriptionRole).toString(),
              QStringLiteral("1 行目のファイルがこの名前です"));
}

// Marks stand for rows by index; once rows go or move they must not land on
// other rows before the next forecast.
TEST(PreviewModel, MarksNeverOutliveTheirRows)
{
    RenameList list;
    IconTable icons;
    RenameListModel model(list, icons);
    QAbstractItemModelTester tester(&model);
    for (const char* name : {"a", "b", "c"})
        list.append(RenameEntry{QString::fromLatin1(name), QStringLiteral("x"), {}, QStringLiteral("/d"), 0});
    const RenamePreview preview{{{}, {PreviewProblem::SameNewName, 0}, {PreviewProblem::SameNewName, 0}}, 2};
    const auto marked = [&](int row) {
        return model.data(model.index(row, 1), Qt::ForegroundRole).isValid();
    };

    model.setPreview(preview);
    EXPECT_TRUE(marked(1));
    list.removeRow(2);
    EXPECT_FALSE(marked(1));
    model.setPreview(preview); // made for three rows, the list has two
    EXPECT_FALSE(marked(1));
    list.append(RenameEntry{QStringLiteral("c"), QStringLiteral("x"), {}, QStringLiteral("/d"), 0});
    model.setPreview(preview);
    list.reorder({2, 1, 0});
    EXPECT_FALSE(marked(0));
}

TEST(PreviewWindow, EveryCommandEndsWithOneNotice)
{
    PreviewWindow f;
    f.window->startUp({f.makeFile(QStringLiteral("a.txt")), f.makeFile(QStringLiteral("b.txt"))});
    f.window->show();
    QSignalSpy finished(f.window.get(), &frmMain::listCommandFinished);
    auto* view = f.window->findChild<RenameListView*>(QStringLiteral("ListView1"));
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"template", [&] { f.applyTemplate(QStringLiteral("x<1>")); }},
        {"rename, nested in the frame", [&] { QTest::mouseClick(f.window->button(11), Qt::LeftButton); }},
        {"undo", [&] { QTest::mouseClick(f.window->button(10), Qt::LeftButton); }},
        {"sort",
         [&] {
             QTest::mouseClick(view->horizontalHeader()->viewport(), Qt::LeftButton, {}, {5, 5});
         }},
        {"drop", [&] { f.window->addDroppedPaths({f.makeFile(QStringLiteral("c.txt"))}, Qt::NoModifier); }},
        {"selected rename",
         [&] {
             f.window->renameList().setSelectedRow(0);
             f.window->action(QStringLiteral("mnuPopItem_8"))->trigger();
         }},
        {"delete key", [&] { QTest::keyClick(view, Qt::Key_Delete); }},
        {"clear", [&] { f.window->action(QStringLiteral("mnuFileItem_1"))->trigger(); }},
    };
    for (const auto& [name, run] : commands) {
        finished.clear();
        run();
        EXPECT_EQ(finished.count(), 1) << name;
    }
}

TEST(PreviewWindow, PopupTellsWhyTheSelectedRowCannotBeRenamed)
{
    PreviewWindow f;
    f.makeFile(QStringLiteral("taken.txt"));
    f.window->startUp({f.makeFile(QStringLiteral("a.txt"))});
    f.applyTemplate(QStringLiteral("taken"));
    f.window->renameList().setSelectedRow(0);
    QAction* item = f.window->action(QStringLiteral("mnuPopItem_8"));
    QMenu* popup = f.window->menu(QStringLiteral("mnuPop"));
    popup->popup(QPoint(0, 0));
    popup->hide();
    EXPECT_EQ(item->toolTip(), QStringLiteral("リネームできません：フォルダに同じ名前のファイルがあります"));
    EXPECT_TRUE(
        item->statusTip().startsWith(QStringLiteral("選択しているファイルにのみリネーム処理を行います（")));

    f.applyTemplate(QStringLiteral("free"));
    popup->popup(QPoint(0, 0));
    popup->hide();
    EXPECT_EQ(item->statusTip(), QStringLiteral("選択しているファイルにのみリネーム処理を行います"));
}

} // namespace
