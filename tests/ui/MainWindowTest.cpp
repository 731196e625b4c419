#include "platform/CommandLinePaths.h"
#include "tests/ui/WindowFixture.h"

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
    // The intake goes on in slices after the first: a slow build needs them.
    const auto startUp = [&f](const GivenPaths& paths) {
        f.window->startUp(paths);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    };
    const QString a = f.makeFile(QStringLiteral("a.jpg"));
    for (const char* name :
         {"photos/写真1.jpg", "photos/写真2.png", "photos/.hidden", "photos/sub/inner.txt"})
        f.makeFile(QString::fromUtf8(name));
    startUp(CleanCommandLinePaths({QStringLiteral("a.jpg"), QStringLiteral("./a.jpg"), a + u'/',
                                   QStringLiteral("sub/../photos"), QStringLiteral("missing.txt")},
                                  f.dir.path()));
    QStringList names = f.currentNames();
    ASSERT_EQ(names.size(), 4) << names.join(QLatin1Char(','));
    std::sort(names.begin() + 1, names.begin() + 3);
    EXPECT_EQ(names.join(QLatin1Char('|')), QStringLiteral("a.jpg|写真1.jpg|写真2.png|missing.txt"));
    EXPECT_EQ(f.window->session().list().at(0).folder, f.folder());
    EXPECT_EQ(f.window->countText() + f.window->statusText(), QStringLiteral("総数：4")); // nothing left out

    f.window = f.makeWindow();
    f.keyboard.shift = true;
    startUp(CleanCommandLinePaths({QStringLiteral(".")}, f.dir.path()));
    EXPECT_EQ(f.currentNames(), QStringList{QFileInfo(f.dir.path()).fileName()});
    EXPECT_EQ(f.window->session().list().at(0).folder, NativePath(QFileInfo(f.dir.path()).absolutePath()));

    // Folders that cannot be read (as root, none refuses) are said.
    FakeFolderLister lister;
    lister.folders[f.folder()].unreadable = true;
    f.folderLister = &lister;
    f.window = f.makeWindow();
    f.keyboard.shift = false;
    startUp(GivenPaths{f.folder(), f.path(QStringLiteral("photos"))});
    EXPECT_EQ(
        f.window->statusText(),
        QStringLiteral("フォルダ「%1」の中を読み取れませんでした。フォルダのアクセス権を確かめてください。")
            .arg(f.folder()));
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：0"));
}

TEST(MainWindowListButtons, MoveRemoveClearAndShowThroughTheRealButtons)
{
    WindowFixture f;
    f.start("1|2|3");
    auto* view = f.child<RenameListView>("fileList");
    const auto rows = [&f] { return f.currentNames().join(QString()); };
    f.trigger(Command::OpenRowFolder); // nothing selected: no folder is shown
    EXPECT_TRUE(f.shell.shown.isEmpty());

    view->setCurrentIndex(view->model()->index(2, 0));
    f.click(Command::MoveUp);
    f.click(Command::MoveUp);
    EXPECT_EQ(rows(), QStringLiteral("312")); // the current row follows: RenameListModel's
    f.click(Command::MoveDown);
    EXPECT_EQ(rows(), QStringLiteral("132"));
    f.trigger(Command::OpenRowFolder);
    EXPECT_EQ(f.shell.shown, QStringList{f.path(QStringLiteral("3"))});

    f.click(Command::RemoveRow);
    EXPECT_EQ(rows(), QStringLiteral("12"));
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：3")); // removal leaves the count text

    f.window->session().setStatusText(QStringLiteral("something"));
    f.trigger(Command::ClearList);
    EXPECT_TRUE(f.window->session().list().isEmpty());
    EXPECT_EQ(f.window->countText() + f.window->statusText(), QString());
}

// Dropped on the list widget: files and folders' files; text is no drop.
// The modifiers then choose the folder itself or its files again.
TEST(MainWindowIntake, DropsAddFilesFoldersAndSkipDuplicates)
{
    WindowFixture f;
    f.window->show();
    auto* view = f.child<RenameListView>("fileList");
    const QString a = f.makeFile(QStringLiteral("a.txt"));
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
    EXPECT_EQ(f.currentNames().size(), 2);
    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    drop(text);
    f.window->addDroppedPaths({folder}, Qt::ShiftModifier); // Shift alone: the folder itself
    EXPECT_EQ(f.currentNames().last(), QStringLiteral("dir"));
    f.window->addDroppedPaths({folder}, Qt::ShiftModifier | Qt::ControlModifier); // its files again
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：4"));
}

// A header click sorts through the session and shows its mark while the rows
// are in that order; the view's current row follows the selected file.
TEST(MainWindowModel, HeaderClicksSortAndTheSelectionFollows)
{
    WindowFixture f;
    auto* view = f.child<RenameListView>("fileList");
    f.start("b.txt|C.txt|a.txt");
    QHeaderView* header = view->horizontalHeader();
    f.window->show();
    auto clickHeader = [&](int section) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
    };
    EXPECT_FALSE(header->isSortIndicatorShown()); // the paths came in the order given
    f.window->session().list().setSelectedRow(0); // b.txt
    clickHeader(0);
    EXPECT_EQ(f.currentNames().join(QLatin1Char(' ')), QStringLiteral("a.txt b.txt C.txt"));
    EXPECT_TRUE(header->isSortIndicatorShown() && header->sortIndicatorOrder() == Qt::AscendingOrder);
    EXPECT_EQ(view->selectionModel()->selectedRows(), QModelIndexList{view->model()->index(1, 0)});
    f.window->addDroppedPaths({f.makeFile(QStringLiteral("0.txt"))}, Qt::NoModifier);
    EXPECT_EQ(f.currentNames().last(), QStringLiteral("0.txt"));
    EXPECT_FALSE(header->isSortIndicatorShown());
}

} // namespace
