#include "platform/CommandLinePaths.h"
#include "tests/ui/WindowFixture.h"
#include "ui/MainLayout.h"
#include "ui/MenuTable.h"
#include "ui/Twips.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>

namespace {

// Folders give their visible files, missing files are rows too, and the
// command line is cleaned before the duplicate check; with Shift a folder,
// "." too, is one row in the folder above it.
TEST(MainWindowStartUp, TurnsCleanedPathsIntoRows)
{
    WindowFixture f;
    const QString a = f.makeFile(QStringLiteral("a.jpg"));
    for (const char* name :
         {"photos/写真1.jpg", "photos/写真2.png", "photos/.hidden", "photos/sub/inner.txt"})
        f.makeFile(QString::fromUtf8(name));
    f.window->startUp(CleanCommandLinePaths({QStringLiteral("a.jpg"), QStringLiteral("./a.jpg"), a + u'/',
                                             QStringLiteral("sub/../photos"), QStringLiteral("missing.txt")},
                                            f.dir.path()));
    QStringList names = f.currentNames();
    ASSERT_EQ(names.size(), 4) << names.join(QLatin1Char(','));
    std::sort(names.begin() + 1, names.begin() + 3);
    EXPECT_EQ(names.join(QLatin1Char('|')), QStringLiteral("a.jpg|写真1.jpg|写真2.png|missing.txt"));
    EXPECT_EQ(f.window->renameList().at(0).folder, f.dir.path());
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：4"));

    f.window = f.makeWindow();
    f.keyboard.shift = true;
    f.window->startUp(CleanCommandLinePaths({QStringLiteral(".")}, f.dir.path()));
    EXPECT_EQ(f.currentNames(), QStringList{QFileInfo(f.dir.path()).fileName()});
    EXPECT_EQ(f.window->renameList().at(0).folder, QFileInfo(f.dir.path()).absolutePath());
}

TEST(MainWindowListButtons, MoveRemoveClearAndShowThroughTheRealButtons)
{
    WindowFixture f;
    f.start("1|2|3");
    auto* view = f.child<RenameListView>("ListView1");
    const auto rows = [&f] { return f.currentNames().join(QString()); };
    f.trigger("mnuPopItem_6"); // nothing selected: no folder is shown
    EXPECT_TRUE(f.shell.shown.isEmpty());

    view->setCurrentIndex(view->model()->index(2, 0));
    f.click(ButtonCommand::MoveUp);
    f.click(ButtonCommand::MoveUp);
    EXPECT_EQ(rows(), QStringLiteral("312"));
    EXPECT_EQ(f.window->renameList().selectedRow(), 0);
    EXPECT_EQ(view->currentIndex().row(), 0); // the view follows the moved entry
    f.click(ButtonCommand::MoveDown);
    EXPECT_EQ(rows(), QStringLiteral("132"));
    f.trigger("mnuPopItem_6");
    EXPECT_EQ(f.shell.shown, QStringList{f.path(QStringLiteral("3"))});

    f.click(ButtonCommand::RemoveRow);
    EXPECT_EQ(rows(), QStringLiteral("12"));
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：3")); // removal leaves the count text
    view->setCurrentIndex(view->model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(rows(), QStringLiteral("2"));

    f.window->setStatusText(QStringLiteral("something"));
    f.trigger("mnuFileItem_1");
    EXPECT_TRUE(f.window->renameList().isEmpty());
    EXPECT_EQ(f.window->countText(), QString());
    EXPECT_EQ(f.window->statusText(), QString());
}

TEST(MainWindowLayout, KeepsItsPlacesAndNamesItsControls)
{
    WindowFixture f;
    f.window->show();
    const qreal dpi = f.window->logicalDpiX();
    f.window->resize(100, 100);
    EXPECT_GE(f.window->frameGeometry().width(), TwipsToPixels(MinimumOuterWidthTwips, dpi));
    EXPECT_GE(f.window->frameGeometry().height(), TwipsToPixels(MinimumOuterHeightTwips, dpi));

    f.window->resize(1200, 700);
    QApplication::processEvents();
    auto* panel = f.child<QWidget>("Picture1");
    auto* view = f.child<RenameListView>("ListView1");
    EXPECT_EQ(panel->width(), f.window->centralWidget()->width());
    EXPECT_EQ(view->width(), f.window->centralWidget()->width());
    EXPECT_EQ(view->geometry().bottom() + 1, panel->y()); // the list fills the room above the panel
    const int right = f.window->button(ButtonCommand::Rename)->geometry().right() + 1;
    EXPECT_NEAR(panel->width() - right, TwipsToPixels(40, dpi), 1);
    EXPECT_EQ(f.child<QWidget>("txtName")->x(), f.window->button(ButtonCommand::EditorRename)->x());
    EXPECT_EQ(f.window->button(ButtonCommand::DetectExtension)->x(), TwipsToPixels(5880, dpi)); // left group

    for (const ButtonDesign& design : ButtonDesigns())
        EXPECT_FALSE(f.window->button(design.command)->accessibleName().isEmpty()) << SlotOf(design.command);
    for (const char* name : {"Combo1", "txtEdit_0", "txtEdit_1", "txtName"}) {
        auto* widget = f.child<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->accessibleDescription(), widget->toolTip()) << name;
    }
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("新しい名前"));
}

// Dropped on the list widget: files and folders' files; text is no drop.
// The modifiers then choose the folder itself or its files again.
TEST(MainWindowIntake, DropsAddFilesFoldersAndSkipDuplicates)
{
    WindowFixture f;
    f.window->show();
    auto* view = f.child<RenameListView>("ListView1");
    const QString a = f.makeFile(QStringLiteral("a.txt"));
    f.makeFile(QStringLiteral("dir/x.txt"));
    const QString folder = QFileInfo(f.makeFile(QStringLiteral("dir/y.txt"))).absolutePath();
    const auto drop = [&](const QMimeData& data) {
        const QPoint at = view->viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &dropped);
        return enter.isAccepted();
    };
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(folder + u'/')});
    EXPECT_TRUE(drop(files));
    EXPECT_EQ(f.currentNames().size(), 3);
    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    drop(text);
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
    auto* view = f.child<RenameListView>("ListView1");
    QAbstractItemModel* model = view->model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reordered(model, &QAbstractItemModel::layoutChanged);
    QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);

    f.start("b.txt|C.txt|a.txt");
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

} // namespace
