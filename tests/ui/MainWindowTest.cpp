#include "platform/CommandLinePaths.h"
#include "tests/support/FakeServices.h"
#include "tests/ui/WindowFixture.h"
#include "ui/MainLayout.h"
#include "ui/MenuTable.h"
#include "ui/RenameListView.h"
#include "ui/Twips.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

TEST(MainWindowStartUp, TurnsFilesAndFoldersIntoRows)
{
    WindowFixture f;
    const QString a = f.makeFile(QStringLiteral("a.jpg"));
    const QString b = f.makeFile(QStringLiteral("b.jpg"));
    f.makeFile(QStringLiteral("photos/写真1.jpg"));
    f.makeFile(QStringLiteral("photos/写真2.png"));
    f.makeFile(QStringLiteral("photos/.hidden"));
    f.makeFile(QStringLiteral("photos/sub/inner.txt"));
    f.window->startUp({a, b, a, f.path(QStringLiteral("photos")), f.path(QStringLiteral("missing.txt"))});

    const QStringList names = f.currentNames();
    ASSERT_EQ(names.size(), 5) << names.join(QLatin1Char(','));
    EXPECT_EQ(names.mid(0, 2), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    EXPECT_EQ(sorted(names.mid(2, 2)),
              (QStringList{QStringLiteral("写真1.jpg"), QStringLiteral("写真2.png")}));
    EXPECT_EQ(names.at(4), QStringLiteral("missing.txt")); // not tested for existence
    EXPECT_EQ(f.window->renameList().at(0).folder, f.dir.path());
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：5"));
}

TEST(MainWindowStartUp, ShiftAddsAFolderAsOneRow)
{
    WindowFixture f;
    f.makeFile(QStringLiteral("photos/x.jpg"));
    f.keyboard.shift = true;
    f.window->startUp({f.path(QStringLiteral("photos"))});
    EXPECT_EQ(f.currentNames(), QStringList{QStringLiteral("photos")});
}

TEST(MainWindowStartUp, CommandLinePathsAreCleanedBeforeTheDuplicateCheck)
{
    WindowFixture f;
    f.makeFile(QStringLiteral("a.txt"));
    f.makeFile(QStringLiteral("b.txt"));
    f.keyboard.shift = true; // "." becomes one row: the folder itself
    f.window->startUp(CleanCommandLinePaths(
        {QStringLiteral("a.txt"), QStringLiteral("./a.txt"), QStringLiteral("sub/../b.txt"),
         f.path(QStringLiteral("b.txt")) + QStringLiteral("/"), QStringLiteral(".")},
        f.dir.path()));
    EXPECT_EQ(f.currentNames(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                                             QFileInfo(f.dir.path()).fileName()}));
    EXPECT_EQ(f.window->renameList().at(2).folder, QFileInfo(f.dir.path()).absolutePath());
}

TEST(MainWindowListButtons, MoveRemoveAndClearThroughTheRealButtons)
{
    WindowFixture f;
    f.window->startUp(
        {f.makeFile(QStringLiteral("1")), f.makeFile(QStringLiteral("2")), f.makeFile(QStringLiteral("3"))});
    auto* view = f.window->findChild<RenameListView*>(QStringLiteral("ListView1"));
    ASSERT_NE(view, nullptr);

    f.click(ButtonCommand::MoveUp); // nothing selected: nothing happens
    EXPECT_EQ(f.currentNames().join(QString()), QStringLiteral("123"));

    view->setCurrentIndex(view->model()->index(2, 0));
    f.click(ButtonCommand::MoveUp);
    f.click(ButtonCommand::MoveUp);
    EXPECT_EQ(f.currentNames().join(QString()), QStringLiteral("312"));
    EXPECT_EQ(f.window->renameList().selectedRow(), 0);
    EXPECT_EQ(view->currentIndex().row(), 0); // the view follows the moved entry
    f.click(ButtonCommand::MoveUp);           // the first row cannot move up
    EXPECT_EQ(f.currentNames().join(QString()), QStringLiteral("312"));
    f.click(ButtonCommand::MoveDown);
    EXPECT_EQ(f.currentNames().join(QString()), QStringLiteral("132"));

    f.click(ButtonCommand::RemoveRow);
    EXPECT_EQ(f.currentNames().join(QString()), QStringLiteral("12"));
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：3")); // removal leaves the count text

    view->setCurrentIndex(view->model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(f.currentNames().join(QString()), QStringLiteral("2"));
    QTest::keyClick(view, Qt::Key_Delete); // no selection now
    EXPECT_EQ(f.currentNames().join(QString()), QStringLiteral("2"));

    f.window->setStatusText(QStringLiteral("something"));
    f.window->action(QStringLiteral("mnuFileItem_1"))->trigger();
    EXPECT_TRUE(f.window->renameList().isEmpty());
    EXPECT_EQ(f.window->countText(), QString());
    EXPECT_EQ(f.window->statusText(), QString());
}

TEST(MainWindowMenus, EveryEntryCarriesItsHintToPanelOne)
{
    WindowFixture f;
    const auto entries = MenuEntries();
    ASSERT_EQ(entries.size(), 43u); // the rename history came last, placed inside the File menu
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        const int id = static_cast<int>(i) + 1;
        if (entry.kind == MenuKind::Title) {
            QMenu* menu = f.window->menu(QString::fromLatin1(entry.objectName));
            ASSERT_NE(menu, nullptr) << entry.objectName;
            EXPECT_EQ(menu->title(), QString::fromUtf16(entry.caption));
            f.window->setStatusText(QStringLiteral("x"));
            menu->menuAction()->showStatusText(f.window.get());
            EXPECT_EQ(f.window->statusText(), QString()) << "a highlighted title clears the hint";
            continue;
        }
        QAction* item = f.window->action(QString::fromLatin1(entry.objectName));
        ASSERT_NE(item, nullptr) << entry.objectName;
        f.window->setStatusText(QStringLiteral("x"));
        item->showStatusText(f.window.get());
        EXPECT_EQ(f.window->statusText(), MenuHintText(id)) << entry.objectName;
    }
    EXPECT_EQ(MenuHintText(44), QString());
    // The history sits between "リストクリア(&C)" and the separator above "終了(&X)".
    const QList<QAction*> fileItems = f.window->menu(QStringLiteral("mnuFile"))->actions();
    const auto at = [&](const char* name) {
        return fileItems.indexOf(f.window->action(QString::fromLatin1(name)));
    };
    EXPECT_EQ(at("mnuFileItem_2"), at("mnuFileItem_1") + 1);
    EXPECT_EQ(at("mnuFileItem_5"), at("mnuFileItem_2") + 1);

    // Closing a menu clears the hint line.
    QMenu* file = f.window->menu(QStringLiteral("mnuFile"));
    f.window->show();
    file->popup(f.window->mapToGlobal(QPoint(10, 10)));
    f.window->setStatusText(QStringLiteral("hint"));
    file->hide();
    EXPECT_EQ(f.window->statusText(), QString());
}

TEST(MainWindowLayout, KeepsItsMinimumAndTheRightGroupAtTheEdge)
{
    WindowFixture f;
    f.window->show();
    const qreal dpi = f.window->logicalDpiX();
    f.window->resize(100, 100);
    EXPECT_GE(f.window->frameGeometry().width(), TwipsToPixels(MinimumOuterWidthTwips, dpi));
    EXPECT_GE(f.window->frameGeometry().height(), TwipsToPixels(MinimumOuterHeightTwips, dpi));

    f.window->resize(1200, 700);
    QApplication::processEvents();
    auto* panel = f.window->findChild<QWidget*>(QStringLiteral("Picture1"));
    auto* view = f.window->findChild<QWidget*>(QStringLiteral("ListView1"));
    EXPECT_EQ(panel->width(), f.window->centralWidget()->width());
    EXPECT_EQ(view->width(), f.window->centralWidget()->width());
    EXPECT_EQ(view->geometry().bottom() + 1, panel->y()); // the list fills the room above the panel
    const int right = f.window->button(ButtonCommand::Rename)->geometry().right() + 1;
    EXPECT_NEAR(panel->width() - right, TwipsToPixels(40, dpi), 1);
    EXPECT_EQ(f.window->findChild<QWidget*>(QStringLiteral("txtName"))->x(),
              f.window->button(ButtonCommand::EditorRename)->x());
    EXPECT_EQ(f.window->button(ButtonCommand::DetectExtension)->x(),
              TwipsToPixels(5880, dpi)); // the left group stays
}

TEST(MainWindowIntake, DropsAddFilesFoldersAndSkipDuplicates)
{
    WindowFixture f;
    const QString a = f.makeFile(QStringLiteral("a.txt"));
    f.makeFile(QStringLiteral("dir/x.txt"));
    f.makeFile(QStringLiteral("dir/y.txt"));
    const QString folder = f.path(QStringLiteral("dir"));
    f.window->addDroppedPaths({a, folder}, Qt::NoModifier);
    EXPECT_EQ(f.currentNames().size(), 3);
    f.window->addDroppedPaths({a}, Qt::NoModifier); // listed already
    EXPECT_EQ(f.currentNames().size(), 3);
    f.window->addDroppedPaths({folder}, Qt::ShiftModifier); // Shift alone: the folder itself
    EXPECT_EQ(f.currentNames().last(), QStringLiteral("dir"));
    f.window->addDroppedPaths({folder}, Qt::ShiftModifier | Qt::ControlModifier); // its files again
    EXPECT_EQ(f.currentNames().size(), 6);
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：6"));
}

TEST(MainWindowIntake, SaysWhichFolderCouldNotBeRead)
{
    WindowFixture f;
    const QString folder = f.path(QStringLiteral("locked"));
    QDir().mkpath(folder);
    FakeFolderLister lister; // as root, no folder refuses to be read
    FolderListing unreadable;
    unreadable.unreadable = true;
    lister.folders.insert(folder, unreadable);
    f.folderLister = &lister;
    f.window = f.makeWindow();
    f.window->startUp({folder});
    EXPECT_EQ(f.window->statusText(), QStringLiteral("フォルダ「%1」を読み取れませんでした").arg(folder));
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：0"));
}

// The model keeps its contract through every kind of command, announces
// each command once, and the view's place follows its row through a sort.
TEST(MainWindowModel, EachCommandIsOneConsistentChange)
{
    WindowFixture f;
    auto* view = f.window->findChild<RenameListView*>(QStringLiteral("ListView1"));
    QAbstractItemModel* model = view->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reordered(model, &QAbstractItemModel::layoutChanged);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);

    f.window->startUp({f.makeFile(QStringLiteral("b.txt")), f.makeFile(QStringLiteral("C.txt")),
                       f.makeFile(QStringLiteral("a.txt"))});
    EXPECT_EQ(inserted.count(), 1);
    QHeaderView* header = view->horizontalHeader();
    f.window->show();
    auto clickHeader = [&](int section) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    };
    f.window->renameList().setSelectedRow(0); // b.txt
    clickHeader(0); // the initial state is column 0 ascending: the first click sorts descending
    EXPECT_EQ(f.currentNames().join(QLatin1Char(' ')), QStringLiteral("C.txt b.txt a.txt"));
    clickHeader(0);
    EXPECT_EQ(f.currentNames().join(QLatin1Char(' ')), QStringLiteral("a.txt b.txt C.txt"));
    EXPECT_EQ(reordered.count(), 2);
    // The selection and the view's current row follow the selected file.
    EXPECT_EQ(f.window->renameList().selectedRow(), 1);
    EXPECT_EQ(view->currentIndex().row(), 1);
    EXPECT_EQ(view->selectionModel()->selectedRows(), QModelIndexList{model->index(1, 0)});
    f.window->addDroppedPaths({f.makeFile(QStringLiteral("0.txt"))}, Qt::NoModifier);
    EXPECT_EQ(f.currentNames().last(), QStringLiteral("0.txt")); // later rows go to the end
    EXPECT_EQ(inserted.count(), 2);

    changed.clear();
    f.click(ButtonCommand::UpperCase); // upper case: new names
    EXPECT_EQ(changed.count(), 1);
    f.click(ButtonCommand::Rename); // rename: current names
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("A.TXT"));
    f.click(ButtonCommand::RemoveRow); // remove the selected row
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model->rowCount(), 3);
    f.click(ButtonCommand::ClearList); // clear
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model->rowCount(), 0);
}

TEST(MainWindowIntake, OpenRowFolderShowsTheSelectedFile)
{
    WindowFixture f;
    const QString a = f.makeFile(QStringLiteral("a.txt"));
    f.window->startUp({a});
    f.window->action(QStringLiteral("mnuPopItem_6"))->trigger(); // no selection: nothing
    EXPECT_TRUE(f.shell.shown.isEmpty());
    f.window->renameList().setSelectedRow(0);
    f.window->action(QStringLiteral("mnuPopItem_6"))->trigger();
    EXPECT_EQ(f.shell.shown, QStringList{a});
}

TEST(MainWindowAccessibility, ControlsCarryNamesAndDescriptions)
{
    WindowFixture f;
    for (const ButtonDesign& design : ButtonDesigns())
        EXPECT_FALSE(f.window->button(design.command)->accessibleName().isEmpty()) << SlotOf(design.command);
    for (const char* name : {"Combo1", "txtEdit_0", "txtEdit_1", "txtName"}) {
        auto* widget = f.window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->accessibleDescription(), widget->toolTip()) << name;
    }
    auto* view = f.window->findChild<RenameListView*>(QStringLiteral("ListView1"));
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("新しい名前"));
}

} // namespace
