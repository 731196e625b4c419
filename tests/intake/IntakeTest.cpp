#include "intake/PathIntake.h"
#include "tests/support/ChangeRecorder.h"
#include "tests/support/FakeServices.h"
#include "tests/support/RenameRows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DuplicateTest, IsExactAndCaseSensitive)
{
    RenameList list;
    FakeIcons icons;
    AddPathRow(list, QStringLiteral("/photos/IMG.jpg"), icons);
    AddPathRow(list, QStringLiteral("/a.txt"), icons);
    EXPECT_TRUE(IsPathListed(list, QStringLiteral("/photos/IMG.jpg")));
    EXPECT_FALSE(IsPathListed(list, QStringLiteral("/photos/img.jpg")));
    EXPECT_FALSE(IsPathListed(list, QStringLiteral("/photos/IMG.jpg2")));
    EXPECT_FALSE(IsPathListed(list, QStringLiteral("/photosXIMG.jpg")));
    EXPECT_TRUE(IsPathListed(list, QStringLiteral("/a.txt")));
    // A folder given with a trailing separator is that folder; the root has no name.
    EXPECT_EQ(AddPathRow(list, QStringLiteral("/photos/2024//"), icons), 2);
    EXPECT_EQ(list.at(2).currentName, QStringLiteral("2024"));
    EXPECT_EQ(list.at(2).folder, QStringLiteral("/photos"));
    EXPECT_EQ(AddPathRow(list, QStringLiteral("/"), icons), -1);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(1).folder, QString()); // a file in the root
    EXPECT_EQ(FullPathOf(list.at(1)), QStringLiteral("/a.txt"));
}

TEST(FolderScan, AcceptsEntriesByTheFolderOption)
{
    FakeFolderLister lister;
    FakeIcons icons;
    FolderListing listing;
    auto entry = [](const char* name, bool dir, bool hidden = false, bool system = false) {
        return ListedEntry{QString::fromUtf8(name), dir, hidden, system};
    };
    listing.entries = {entry(".", true, true),
                       entry("..", true, true),
                       entry("z.jpg", false),
                       entry("sub", true),
                       entry(".git", true, true),
                       entry("a.jpg", false),
                       entry(".hidden", false, true),
                       entry("sys", false, false, true),
                       entry("sysdir", true, false, true)};
    listing.undecodable = 2;
    lister.folders.insert(QStringLiteral("/"), listing);

    struct Case {
        const char* name;
        bool folders;
        QStringList expected;
    } const cases[] = {
        {"folder option off", false, {QStringLiteral("z.jpg"), QStringLiteral("a.jpg")}},
        {"folder option on", true, {QStringLiteral("z.jpg"), QStringLiteral("sub"), QStringLiteral("a.jpg")}},
    };
    for (const Case& c : cases) {
        RenameList list;
        const ScanSummary summary =
            ScanFolder(list, QStringLiteral("/"), QStringLiteral("*"), c.folders, lister, icons);
        EXPECT_EQ(CurrentNames(list), c.expected) << c.name;
        EXPECT_EQ(summary.added, c.expected.size()) << c.name;
        EXPECT_EQ(summary.undecodable, 2) << c.name;
        // The folder keeps its trailing separator and the full path still comes out right.
        EXPECT_EQ(list.at(0).folder, QStringLiteral("/")) << c.name;
        EXPECT_EQ(FullPathOf(list.at(0)), QStringLiteral("/z.jpg")) << c.name;
    }
    RenameList twice;
    ScanFolder(twice, QStringLiteral("/"), QStringLiteral("*"), false, lister, icons);
    ScanFolder(twice, QStringLiteral("/"), QStringLiteral("*"), false, lister, icons);
    EXPECT_EQ(twice.count(), 4); // the scan does not test for duplicates
    RenameList empty;
    EXPECT_EQ(ScanFolder(empty, QStringLiteral("/missing"), QStringLiteral("*"), true, lister, icons).added,
              0);
}
// Paths under a folder that does not exist, so none of them is a folder.
QString Missing(const char* name)
{
    return QStringLiteral("/qv-missing/") + QString::fromUtf8(name);
}

TEST(IntakeDuplicates, AreFoundByExactPathAsTheListIsNow)
{
    struct Case {
        const char* name;
        void (*before)(RenameList&); // what happened to the list of rows a, b, c first
        QStringList paths;
        QStringList added;
    } const cases[] = {
        {"listed rows are skipped", [](RenameList&) {}, {Missing("b"), Missing("d")}, {QStringLiteral("d")}},
        {"twice in one intake gives one row",
         [](RenameList&) {},
         {Missing("d"), Missing("d")},
         {QStringLiteral("d")}},
        {"other letter case is another path", [](RenameList&) {}, {Missing("B")}, {QStringLiteral("B")}},
        {"a folder of the same length is another folder",
         [](RenameList&) {},
         {Missing("d"), QStringLiteral("/qv-missinx/b"), Missing("b"), QStringLiteral("/qv-missinx/b")},
         {QStringLiteral("d"), QStringLiteral("b")}},
        {"look-alikes are other paths",
         [](RenameList&) {},
         {QStringLiteral("/qv-missingXb"), Missing("b2"), QStringLiteral("/qv-missing/b/")},
         {QStringLiteral("qv-missingXb"), QStringLiteral("b2"), QStringLiteral("b")}},
        {"a removed row's path comes back",
         [](RenameList& list) {
             list.setSelectedRow(1);
             list.removeRow(1);
         },
         {Missing("b")},
         {QStringLiteral("b")}},
        {"a renamed row is listed under its new name",
         [](RenameList& list) {
             RenameList::EditScope scope(list);
             scope.row(1).currentName = QStringLiteral("b2");
         },
         {Missing("b"), Missing("b2")},
         {QStringLiteral("b")}},
        {"a cleared list lists nothing",
         [](RenameList& list) { list.clear(); },
         {Missing("a")},
         {QStringLiteral("a")}},
    };
    FakeFolderLister lister;
    FakeIcons icons;
    for (const Case& c : cases) {
        RenameList list = ListOf({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, {},
                                 QStringLiteral("/qv-missing"));
        c.before(list);
        const int before = list.count();
        IntakePaths(
            list, c.paths, [] { return false; }, false, lister, icons);
        EXPECT_EQ(CurrentNames(list).mid(before), c.added) << c.name;
    }
}

TEST(IntakeDuplicates, MatchRowsWhoseFolderEndsWithTheSeparator)
{
    // A scan of the root keeps the folder "/" and a path row of "/x" has the
    // folder "": both have the full path "/x".
    FakeFolderLister lister;
    FakeIcons icons;
    RenameList list;
    list.append(RenameEntry{QStringLiteral("x"), {}, {}, QStringLiteral("/"), 0});
    list.append(RenameEntry{QStringLiteral("y"), {}, {}, QString(), 0});
    IntakePaths(
        list, {QStringLiteral("/x"), QStringLiteral("/y"), QStringLiteral("/z")}, [] { return false; }, false,
        lister, icons);
    EXPECT_EQ(CurrentNames(list),
              (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}));
}

TEST(PathIntake, AddsEveryRowInOneNotificationAndGoesOnWhereItStopped)
{
    QTemporaryDir dir; // a real folder, listed by the fake lister
    FakeFolderLister lister;
    FakeIcons icons;
    FolderListing listing;
    QStringList paths;
    for (int i = 0; i < 500; ++i) {
        listing.entries.append({QStringLiteral("f%1.jpg").arg(i), false, false, false});
        paths.append(Missing("p") + QString::number(i % 300)); // 200 duplicates among them
    }
    lister.folders.insert(dir.path(), listing);
    paths.insert(100, dir.path());

    RenameList whole = ListOf({QStringLiteral("old")});
    IntakePaths(
        whole, paths, [] { return false; }, false, lister, icons);
    ASSERT_EQ(whole.count(), 1 + 500 + 300);

    RenameList sliced = ListOf({QStringLiteral("old")});
    ChangeRecorder recorder;
    sliced.setObserver(&recorder);
    PathIntake intake(
        sliced, paths, [] { return false; }, false, lister, icons);
    int slices = 1;
    while (!intake.runFor(QDeadlineTimer(0)))
        ++slices;
    EXPECT_GT(slices, 3);
    EXPECT_EQ(CurrentNames(sliced), CurrentNames(whole));
    EXPECT_EQ(recorder.appends, (QList<QPair<int, int>>{{1, 800}}));
    EXPECT_EQ(intake.result().added, 800);
}

TEST(PathIntake, NamesFoldersThatCouldNotBeRead)
{
    QTemporaryDir dir;
    FakeFolderLister lister;
    FakeIcons icons;
    FolderListing unreadable;
    unreadable.unreadable = true;
    lister.folders.insert(dir.path(), unreadable);
    RenameList list;
    const IntakeResult result = IntakePaths(
        list, {dir.path()}, [] { return false; }, false, lister, icons);
    EXPECT_EQ(result.unreadableFolders, QStringList{dir.path()});
    EXPECT_TRUE(list.isEmpty());
}

} // namespace
