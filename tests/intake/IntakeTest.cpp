#include "intake/PathIntake.h"
#include "tests/support/ChangeRecorder.h"
#include "tests/support/FakeServices.h"
#include "tests/support/NativeForms.h"
#include "tests/support/RenameRows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Folders are taken for their files, as without Shift.
const auto kNoShift = [] { return false; };

TEST(FolderScan, AcceptsEntriesByTheFolderOption)
{
    // "d/" a folder, "s!" a system entry; names with a leading dot are hidden.
    FolderListing listing;
    for (const QString& item : Split("./|../|z.jpg|sub/|.git/|a.jpg|.hidden|sys!|sysdir/!")) {
        const QString name = item.section(u'/', 0, 0).remove(u'!');
        listing.entries.append({name, item.contains(u'/'), name.startsWith(u'.'), item.endsWith(u'!')});
    }
    FakeFolderLister lister;
    const QString root = NativePath("/");
    lister.folders.insert(root, listing);
    FakeIcons icons;
    for (const bool folders : {false, true}) {
        RenameList list;
        const ScanSummary summary = ScanFolder(list, root, QStringLiteral("*"), folders, lister, icons);
        EXPECT_EQ(CurrentNames(list), Split(folders ? "a.jpg|sub|z.jpg" : "a.jpg|z.jpg"));
        EXPECT_EQ(summary.added, list.count());
        // The folder keeps its trailing separator and the full path still comes out right.
        EXPECT_EQ(list.at(0).folder, root);
        EXPECT_EQ(FullPathOf(list.at(0)), NativePath("/a.jpg"));
    }
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
        const char* paths;           // in /qv-missing unless absolute
        const char* added;
    } const cases[] = {
        {"listed rows are skipped", [](RenameList&) {}, "b|d", "d"},
        {"look-alikes are other paths", [](RenameList&) {}, "/qv-missingXb|b2|b/", "qv-missingXb|b2|b"},
        // The row of "/qv-missing//d" has the full path "/qv-missing/d": the
        // given spelling is never a listed full path.
        {"a doubled separator is never listed", [](RenameList&) {}, "d|/qv-missing//d|/qv-missing//d",
         "d|d|d"},
        {"a renamed row is listed under its new name",
         [](RenameList& list) { RenameList::EditScope(list).row(1).currentName = QStringLiteral("b2"); },
         "b|b2", "b"},
        // A scan of the root keeps the folder "/", a path row of "/x" the folder "".
        {"rows of the root with and without the separator",
         [](RenameList& list) {
             list.append(RenameEntry{QStringLiteral("x"), {}, {}, NativePath("/"), 0});
             list.append(RenameEntry{QStringLiteral("y"), {}, {}, QString(), 0});
         },
         "/x|/y|/z", "z"},
    };
    FakeFolderLister lister;
    FakeIcons icons;
    for (const Case& c : cases) {
        RenameList list = ListOf(Split("a|b|c"), {}, NativePath("/qv-missing"));
        c.before(list);
        const int before = list.count();
        QStringList paths;
        for (const QString& path : Split(c.paths))
            paths.append(path.startsWith(u'/') ? path : Missing("") + path);
        IntakePaths(list, paths, kNoShift, false, lister, icons);
        EXPECT_EQ(CurrentNames(list).mid(before), Split(c.added)) << c.name;
    }
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
    lister.folders.insert(NativePath(dir.path()), listing); // as the intake names it
    paths.insert(100, dir.path());

    RenameList whole = ListOf({QStringLiteral("old")});
    IntakePaths(whole, paths, kNoShift, false, lister, icons);

    RenameList sliced = ListOf({QStringLiteral("old")});
    ChangeRecorder recorder;
    sliced.setObserver(&recorder);
    PathIntake intake(sliced, paths, kNoShift, false, lister, icons);
    int slices = 1;
    while (!intake.runFor(QDeadlineTimer(0)))
        ++slices;
    EXPECT_GT(slices, 3);
    EXPECT_EQ(CurrentNames(sliced), CurrentNames(whole));
    EXPECT_EQ(recorder.appends, (QList<QPair<int, int>>{{1, 800}}));
    EXPECT_EQ(intake.result().added, 800);
}

} // namespace
