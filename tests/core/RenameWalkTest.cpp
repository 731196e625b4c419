#include "core/RenameWalk.h"

#include "core/CaseStepName.h"
#include "core/Paths.h"
#include "tests/core/MemoryDisk.h"
#include "tests/support/ChangeRecorder.h"
#include "tests/support/NativeForms.h"
#include "tests/support/Utf8.h"

#include <gtest/gtest.h>

#include <tuple>

#include <cerrno>

namespace {

const QString kFolder = NativePath("/d");

QString PathOf(const char* name)
{
    return JoinPath(kFolder, QString::fromUtf8(name));
}

class CountingIcons : public IconIndexer {
public:
    int indexFor(const QString&, bool) override { return 0; }
    int indexOfPath(const QString& path) override { return path.endsWith(QStringLiteral(".png")) ? 7 : 3; }
};

RenameEntry Row(const char* current, const char* newName = "", const char* previous = "")
{
    return {QString::fromUtf8(current), QString::fromUtf8(newName), QString::fromUtf8(previous), kFolder, 1};
}

struct Fixture {
    RenameList list;
    MemoryDisk disk;
    CountingIcons icons;
    ChangeRecorder observer;

    explicit Fixture(const QList<RenameEntry>& rows)
    {
        list.appendAll(rows);
        for (const RenameEntry& row : rows)
            disk.entries.insert(FullPathOf(row), disk.entries.size());
        list.setObserver(&observer);
    }
};

// "current<previous:icon" of every row.
QString Rows(const RenameList& list)
{
    QStringList rows;
    for (const RenameEntry& row : list.rows())
        rows += row.currentName + u'<' + row.previousName + u':' + QString::number(row.icon);
    return rows.join(u' ');
}

using Walk = RenameReport (*)(RenameList&, FileRenamer&, IconIndexer&);

// Which walks take a row: the marker of a failed detection is renamed only
// when the user selects its row; undo takes the rows with an earlier name.
TEST(RenameWalk, TakesOnlyTheRowsItShould)
{
    struct {
        const char *name, *current, *newName, *previous;
        // undo: UndoAll and UndoSelected take the same rows
        bool renameAll, renameSelected, undo;
    } const cases[] = {
        {"empty new name", "a.txt", "", "", false, false, false},
        {"same new name", "a.txt", "a.txt", "", false, false, false},
        {"marker", "a.txt", "判別できませんでした", "", false, true, false},
        {"case only", "readme.txt", "README.txt", "", true, true, false},
        {"previous equals current", "a.txt", "", "a.txt", false, false, false},
        {"previous differs", "b.txt", "b.txt", "a.txt", false, false, true},
    };
    for (const auto& c : cases) {
        const std::tuple<Walk, RenameWalkKind, bool> walks[] = {
            {RenameAll, RenameWalkKind::All, c.renameAll},
            {RenameSelected, RenameWalkKind::Selected, c.renameSelected},
            {UndoAll, RenameWalkKind::UndoAll, c.undo},
            {UndoSelected, RenameWalkKind::UndoSelected, c.undo}};
        for (const auto& [walk, kind, taken] : walks) {
            Fixture f({Row(c.current, c.newName, c.previous)});
            f.list.setSelectedRow(0);
            // The journal's plan names exactly the rows the walk then tries.
            const QList<PlannedRename> plan = WalkPlan(f.list, kind);
            const RenameReport report = walk(f.list, f.disk, f.icons);
            ASSERT_EQ(plan.size(), taken ? 1 : 0) << c.name;
            EXPECT_EQ(f.disk.calls,
                      taken ? QStringList{plan[0].fromName + u'>' + plan[0].toName} : QStringList())
                << c.name;
            EXPECT_EQ(QList<qsizetype>({report.renamed, report.failures.size(), f.observer.changes.size()}),
                      QList<qsizetype>({taken, 0, taken}))
                << c.name;
        }
    }
}

// An undo goes back in the reverse of the order the files were renamed in,
// so a chain c→d, b→c, a→b unwinds, whatever order the rows are in by then.
TEST(RenameWalk, UndoUnwindsAChain)
{
    for (const bool sorted : {false, true}) {
        Fixture f({Row("c", "d"), Row("b", "c"), Row("a", "b")});
        EXPECT_EQ(RenameAll(f.list, f.disk, f.icons).renamed, 3);
        if (sorted)
            f.list.reorder({2, 1, 0});
        QStringList planned;
        for (const PlannedRename& step : WalkPlan(f.list, RenameWalkKind::UndoAll))
            planned.append(step.fromName + u'>' + step.toName);
        EXPECT_EQ(UndoAll(f.list, f.disk, f.icons).renamed, 3) << sorted;
        EXPECT_EQ(f.disk.calls.mid(3), planned);
        EXPECT_EQ(planned, Split("b>a|c>b|d>c"));
    }
}

// Through temporary names, swaps, circles and chains all go through in any
// row order and no step takes a name still in use; without, the rows of a
// circle fail as before. Undo goes back round the same way.
TEST(RenameWalk, ExchangesGoThroughTemporaryNames)
{
    QStringList rotation;
    for (int i = 0; i < 1000; ++i)
        rotation.append(QStringLiteral("%1>%2").arg(i).arg((i + 1) % 1000));
    const struct {
        QString moves; // "from>to" of each row
        int failedWithout, failedWith;
    } cases[] = {
        {QStringLiteral("a>b b>a"), 2, 0},
        {QStringLiteral("1>2 2>3 3>1"), 3, 0},
        {QStringLiteral("a>b b>c c>d"), 2, 0},
        {QStringLiteral("x>a a>b b>a"), 3, 1}, // x and b both want a: the circle's b gets it
        {rotation.join(u' '), 1000, 0},
    };
    for (const auto& c : cases) {
        for (const bool exchange : {false, true}) {
            QList<RenameEntry> rows;
            for (const QString& move : c.moves.split(u' '))
                rows.append({move.section(u'>', 0, 0), move.section(u'>', 1), {}, kFolder, 0});
            Fixture f(rows);
            const QMap<QString, int> before = f.disk.entries;
            RenameRowsWalk walk(f.list, RenameWalkKind::All, f.disk, f.icons, exchange);
            RunToEnd(walk);
            const int failed = exchange ? c.failedWith : c.failedWithout;
            EXPECT_EQ(walk.report().failures.size(), failed) << c.moves.left(40).toStdString() << exchange;
            EXPECT_EQ(walk.report().renamed, rows.size() - failed);
            for (const RenameEntry& row : f.list.rows()) // each row names its own file
                ASSERT_EQ(f.disk.entries.value(FullPathOf(row), -1),
                          before.value(JoinPath(kFolder, row.previousName.isEmpty() ? row.currentName
                                                                                    : row.previousName)));
            EXPECT_EQ(f.disk.entries.size(), before.size());
            if (failed > 0)
                continue;
            RenameRowsWalk undo(f.list, RenameWalkKind::UndoAll, f.disk, f.icons, exchange);
            RunToEnd(undo);
            EXPECT_EQ(f.disk.entries, before) << c.moves.left(40).toStdString();
        }
    }
}

// A file that takes the name a parked file was to get makes that row fail
// and is never touched; the parked file goes back, or stays parked and its
// row says so when its old name has gone too.
TEST(RenameWalk, AParkedFileNeverOverwritesAnIntruder)
{
    // b's file is in use (it cannot give up its name), or an intruder takes
    // "b" once b's file has taken "a".
    struct Intruding final : FileRenamer {
        MemoryDisk& disk;
        bool refuseB;
        int calls = 0;
        Intruding(MemoryDisk& d, bool refuse)
            : disk(d)
            , refuseB(refuse)
        {}
        RenameOutcome rename(const QString& from, const QString& to) override
        {
            if (refuseB && from == PathOf("b"))
                return {false, EBUSY, QStringLiteral("busy")};
            const RenameOutcome outcome = disk.rename(from, to);
            if (++calls == 2 && !refuseB)
                disk.entries.insert(PathOf("b"), 99);
            return outcome;
        }
    };
    const QString parked = CaseStepTemporaryName(QStringLiteral("a"), QStringLiteral("b"), 0);
    for (const bool refuseB : {true, false}) {
        Fixture f({Row("a", "b"), Row("b", "a")});
        Intruding renamer(f.disk, refuseB);
        RenameRowsWalk walk(f.list, RenameWalkKind::All, renamer, f.icons, true);
        RunToEnd(walk);
        // Refused, a comes back and nothing changed; intruded on, a's file
        // stays parked and its row shows it.
        const QString rows = refuseB ? QStringLiteral("a<:1 b<:1") : parked + QStringLiteral("<a:3 a<b:3");
        EXPECT_EQ(Rows(f.list), rows);
        EXPECT_EQ(f.disk.entries.value(PathOf("b")), refuseB ? 1 : 99);
        ASSERT_EQ(walk.report().failures.size(), refuseB ? 2 : 1);
        EXPECT_EQ(walk.report().failures.last().reason.contains(parked), !refuseB);
    }
}

// Rows change only after their file did; all walks but the selected ones
// refresh the icon; pressing again renames nothing; undo goes back and forth.
TEST(RenameWalk, UpdatesRowsOnlyAfterSuccess)
{
    Fixture f(
        {Row("a.txt", "a.png"), Row("b.txt", "taken.txt"), Row("c.txt", "C.txt"), Row("d.txt", "d.png")});
    f.disk.entries.insert(PathOf("taken.txt"), -1);
    f.list.setSelectedRow(3);
    EXPECT_EQ(RenameSelected(f.list, f.disk, f.icons).renamed, 1);
    EXPECT_EQ(f.list.at(3).icon, 1);
    EXPECT_EQ(UndoSelected(f.list, f.disk, f.icons).renamed, 1);
    EXPECT_EQ(f.disk.calls, Split("d.txt>d.png|d.png>d.txt"));
    f.observer.changes.clear();

    const RenameReport report = RenameAll(f.list, f.disk, f.icons);
    EXPECT_EQ(report.renamed, 3);
    EXPECT_EQ(Rows(f.list), QStringLiteral("a.png<a.txt:7 b.txt<:1 C.txt<c.txt:3 d.png<d.txt:7"));
    ASSERT_EQ(report.failures.size(), 1);
    const RenameRowResult& failure = report.failures[0];
    EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(failure.row).arg(failure.sourcePath).arg(failure.code),
              QStringLiteral("1 %1 %2").arg(NativePath("/d/b.txt")).arg(EEXIST));
    // One notification for the whole walk, covering the renamed rows.
    EXPECT_EQ(f.observer.changes, (QList<QPair<int, int>>{{0, 3}}));

    EXPECT_EQ(RenameAll(f.list, f.disk, f.icons).renamed, 0);
    EXPECT_EQ(UndoAll(f.list, f.disk, f.icons).renamed, 3);
    EXPECT_EQ(Rows(f.list), QStringLiteral("a.txt<a.png:3 b.txt<:1 c.txt<C.txt:3 d.txt<d.png:3"));
    EXPECT_EQ(UndoAll(f.list, f.disk, f.icons).renamed, 3);
    EXPECT_EQ(f.list.at(0).currentName, QStringLiteral("a.png"));

    f.list.setSelectedRow(RenameList::NoRow);
    Fixture empty({});
    for (Walk walk : {RenameAll, UndoAll, RenameSelected, UndoSelected})
        EXPECT_FALSE(walk(empty.list, empty.disk, empty.icons).walked);
    EXPECT_FALSE(RenameSelected(f.list, f.disk, f.icons).walked);
    Fixture one({Row("x")}); // one row with nothing to do is still a walk
    EXPECT_TRUE(RenameAll(one.list, one.disk, one.icons).walked);
}

// A swap fails on both rows; a chain succeeds only where its target has
// become free by the time its row comes. The text lists every failed row,
// then every renamed row with a note.
TEST(RenameWalk, WalksInRowOrderAndReportsEveryFailureAndNote)
{
    Fixture f({Row("a", "b"), Row("b", "a"), Row("c", "d"), Row("d", "e")});
    f.disk.noteFor = PathOf("e");
    const RenameReport report = RenameAll(f.list, f.disk, f.icons);
    EXPECT_EQ(f.disk.calls, Split("a>b|b>a|c>d|d>e"));
    ASSERT_EQ(report.failures.size(), 3);
    EXPECT_EQ(QList<qsizetype>({report.failures[2].row, report.renamed, report.notes.size()}),
              QList<qsizetype>({2, 1, 1}));
    EXPECT_EQ(Rows(f.list), QStringLiteral("a<:1 b<:1 c<:1 e<d:3"));
    EXPECT_EQ(f.observer.changes, (QList<QPair<int, int>>{{3, 3}}));
    // Each reason once, its files below it; the one folder named once.
    EXPECT_EQ(RenameFailureText(report),
              QStringLiteral("3 件のファイルをリネームできませんでした。ほかの 1 件はリネームしました。\n"
                             "フォルダ「%1」\nリネームできなかったファイル（3 件）\n3 件：exists\n    a → b\n"
                             "    b → a\n    c → d\n名前を変更したファイルの確認事項（1 件）\n"
                             "1 件：checked first\n    d → e")
                  .arg(kFolder));

    Fixture notesOnly({Row("c", "d")});
    notesOnly.disk.noteFor = PathOf("d");
    EXPECT_EQ(RenameFailureText(RenameAll(notesOnly.list, notesOnly.disk, notesOnly.icons)),
              QStringLiteral("名前の変更は完了しました。次の点をご確認ください。\nフォルダ「%1」\n1 "
                             "件：checked first\n    c → d")
                  .arg(kFolder));
    Fixture clean({Row("a", "z")});
    EXPECT_TRUE(RenameFailureText(RenameAll(clean.list, clean.disk, clean.icons)).isEmpty());
}

} // namespace
