// The session without a window: commands, walks in slices and the texts of
// panel 1, over files in memory.
#include "app/RenameSession.h"
#include "ops/PropertyNames.h"
#include "tests/core/MemoryDisk.h"
#include "tests/support/FakeServices.h"
#include "tests/support/NativeForms.h"
#include "tests/support/RenameRows.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

#include <gtest/gtest.h>

namespace {

const QString kFolder = NativePath("/d");

QString PathOf(const QString& name)
{
    return JoinPath(kFolder, name);
}

// The folders of the memory disk as the preview sees them; closed, it
// holds the preview's thread at its first folder until let go.
class MemoryRules final : public FolderRules {
public:
    explicit MemoryRules(MemoryDisk& disk)
        : m_disk(disk)
    {}
    std::atomic<bool> open{true};
    std::atomic<int> listings{0};
    FolderFacts factsOf(const QString&) override { return {true, 0, false}; }
    void listNames(const QString& folder, const std::function<void(NameText)>& eachName) override
    {
        ++listings;
        while (!open)
            QThread::msleep(1);
        for (const QString& name : m_disk.namesIn(folder))
            eachName(name);
    }
    PreviewProblem nameProblem(const QString&, const NameText&, const NameText&, int) override
    {
        return PreviewProblem::None;
    }

private:
    MemoryDisk& m_disk;
};

// Every file's content is a PNG picture.
class PngDetector final : public TypeDetector {
public:
    bool isAvailable() const override { return true; }
    QString extensionsOf(const QString&) override { return QStringLiteral("png"); }
    int version() const override { return 0; }
};

struct SessionFixture {
    MemoryDisk disk;
    FakeDetails details;
    PngDetector detector;
    MemoryRules rules{disk};
    FakeFolderLister lister;
    FakeIcons icons;
    FakeKeyboard keyboard;
    FakeShell shell;
    std::unique_ptr<RenameSession> session;

    SessionFixture()
    {
        AppServices services;
        services.lister = &lister;
        services.renamer = &disk;
        services.icons = &icons;
        services.keyboard = &keyboard;
        services.shell = &shell;
        services.folderRules = &rules;
        services.details = &details;
        services.detector = &detector;
        session = std::make_unique<RenameSession>(services);
    }
    // Files "name" in kFolder on the memory disk and as rows.
    void addFiles(const QStringList& names)
    {
        QList<RenameEntry> rows;
        for (const QString& name : names) {
            disk.entries.insert(PathOf(name), int(disk.entries.size()) + 1);
            rows.append({name, name, {}, kFolder, 0});
        }
        session->list().appendAll(rows);
    }
};

// With slices of no time every walk goes on in slices, so a few rows show
// what a hundred thousand do.
TEST(Session, WalksShowProgressRefuseCommandsAndFinishOnce)
{
    SessionFixture f;
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names.append(QStringLiteral("f%1.txt").arg(i, 3, 10, QLatin1Char('0')));
    f.addFiles(names);
    f.disk.entries.insert(PathOf(QStringLiteral("F000.TXT")), 999); // the one name the rename cannot take
    f.session->setSliceTimes(0, 0);
    QSignalSpy finished(f.session.get(), &RenameSession::commandFinished);
    QSignalSpy usable(f.session.get(), &RenameSession::usableChanged);

    f.session->run(Command::UpperCase); // in a thread of its own
    EXPECT_EQ(usable.takeFirst().at(0), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.session->isBusy(); }));
    EXPECT_EQ(f.session->list().at(299).newName, QStringLiteral("F299.TXT"));
    // The progress goes with its walk; the forecast follows the walk's end.
    EXPECT_EQ(f.session->statusText(), QString());
    EXPECT_EQ(f.session->failingCountText(), QStringLiteral("1 件はリネームできません"));

    f.session->run(Command::Rename);
    EXPECT_TRUE(f.session->isBusy());
    EXPECT_TRUE(f.session->statusText().startsWith(QStringLiteral("リネーム中… ")) &&
                f.session->statusText().endsWith(QStringLiteral(" / 300")))
        << f.session->statusText().toStdString();
    f.session->run(Command::ClearList); // refused: the list is not cleared under the walk
    EXPECT_EQ(f.session->list().count(), 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.session->isBusy(); }));
    EXPECT_EQ(f.session->statusText(), QStringLiteral("リネーム処理が完了しました"));
    EXPECT_EQ(f.session->failingCountText(), QStringLiteral("1 件はリネームできません"));
    EXPECT_TRUE(f.disk.entries.contains(PathOf(QStringLiteral("F299.TXT"))));
    EXPECT_TRUE(f.session->lastFailureText().contains(QStringLiteral("f000.txt")));
    EXPECT_EQ(finished.count(), 2); // upper case, rename; not the refused clear
    EXPECT_EQ(usable.last().at(0), true);
    // Without a journal there is no history; the window's own commands are its to offer.
    EXPECT_FALSE(f.session->isAvailable(Command::RenameHistory) ||
                 f.session->isAvailable(Command::EditorRename));
    EXPECT_TRUE(f.session->isAvailable(Command::ChooseFolder));
}

// The header's mark claims an order only while the rows are in it: a folder
// arrives in name order, rows appended to others are in no column's order.
// A long list is sorted and freed on a thread, to the same effect.
TEST(Session, TheSortMarkShowsOnlyWhileTheRowsAreInItsOrder)
{
    for (const int threadedFrom : {20000, 1}) {
        SessionFixture f;
        f.session->setThreadedFrom(threadedFrom);
        QTemporaryDir root;
        // The session names folders with the system's separator.
        const QString one = NativePath(root.filePath(QStringLiteral("one")));
        const QString two = NativePath(root.filePath(QStringLiteral("two")));
        ASSERT_TRUE(QDir().mkpath(one) && QDir().mkpath(two));
        f.lister.folders[one].entries = {{QStringLiteral("b10")}, {QStringLiteral("b9")}};
        f.lister.folders[two].entries = {{QStringLiteral("a")}};
        QSignalSpy marks(f.session.get(), &RenameSession::sortMarkChanged);
        const auto lastMark = [&] {
            EXPECT_TRUE(QTest::qWaitFor([&f] { return !f.session->isBusy(); }));
            return std::pair(marks.last().at(0).toInt(), marks.last().at(1).toBool());
        };

        f.session->addPaths({one}, false);
        EXPECT_EQ(lastMark(), std::pair(0, true));
        EXPECT_EQ(f.session->list().at(0).currentName, QStringLiteral("b9"));
        f.session->addPaths({two}, false);
        EXPECT_EQ(lastMark().first, -1);
        f.session->sortBy(0); // with no mark a click sorts ascending
        EXPECT_EQ(lastMark(), std::pair(0, true));
        EXPECT_EQ(f.session->list().at(0).currentName, QStringLiteral("a"));
        f.session->sortBy(0);
        EXPECT_EQ(lastMark(), std::pair(0, false));
        EXPECT_EQ(f.session->list().at(0).currentName, QStringLiteral("b10"));
        f.session->openFolder(one); // a new list of one folder is in name order again
        EXPECT_EQ(lastMark(), std::pair(0, true));
        EXPECT_EQ(CurrentNames(f.session->list()), Split("b9|b10"));
        EXPECT_EQ(marks.count(), 5);
        f.session->run(Command::ClearList);
        EXPECT_TRUE(f.session->list().isEmpty());
    }
}

// Chained, every name operation rewrites the row's new name where it has one
// (the detection marker is none); the file's own values still come from its
// current name, and the right clicks of the deletions start again from it.
TEST(Session, ChainedOperationsBuildOnTheNewNames)
{
    SessionFixture f;
    f.addFiles({QStringLiteral("ab.txt"), QStringLiteral("cd.txt"), QStringLiteral("ef.txt")});
    f.details.values = {{TitleHeader(), QStringLiteral("T")}, {TrackNumberHeader(), QStringLiteral("3")}};
    f.session->setInsertionText(QStringLiteral("<title>_"));
    f.session->setReplaceText(QStringLiteral("_"));
    const struct {
        Command command;
        const char *search, *unchained, *chained; // the three rows' new names
    } cases[] = {
        {Command::DeleteFirst, "", "y.TXT||別できませんでした", "y.TXT|d.txt|f.txt"},
        {Command::DeleteLast, "", "X.TXT||判別できませんでし", "X.TXT|c.txt|e.txt"},
        {Command::DeleteFirstFromStart, "", "b.txt|d.txt|f.txt", "b.txt|d.txt|f.txt"},
        {Command::UpperAll, "", "AB.TXT|CD.TXT|EF.TXT", "XY.TXT|CD.TXT|EF.TXT"},
        {Command::LowerAll, "", "ab.txt|cd.txt|ef.txt", "xy.txt|cd.txt|ef.txt"},
        {Command::Width, "", "ab.txt|cd.txt|ef.txt", "Ｘｙ.TXT|ｃｄ.txt|ｅｆ.txt"}, // half width, then full
        {Command::Replace, ".", "ab_txt|cd_txt|ef_txt", "Xy_TXT|cd_txt|ef_txt"},
        {Command::ReplaceRegex, "^(.)", "_b.txt|_d.txt|_f.txt", "_y.TXT|_d.txt|_f.txt"},
        {Command::Prepend, "", "T_ab.txt|T_cd.txt|T_ef.txt", "T_Xy.TXT|T_cd.txt|T_ef.txt"},
        {Command::Title, "", "T.txt|T.txt|T.txt", "T.TXT|T.txt|T.txt"},
        {Command::TrackNumber, "", "03_ab.txt|03_cd.txt|03_ef.txt", "03_Xy.TXT|03_cd.txt|03_ef.txt"},
        {Command::DetectExtension, "", "ab.png|cd.png|ef.png", "Xy.png|cd.png|ef.png"},
    };
    for (const auto& c : cases) {
        for (const bool chained : {false, true}) {
            f.session->setOption(Command::ChainOperations, chained);
            f.session->setSearchText(U(c.search));
            {
                RenameList::EditScope scope(f.session->list());
                scope.row(0).newName = QStringLiteral("Xy.TXT");
                scope.row(1).newName = QString();
                scope.row(2).newName = DetectionFailureMarker();
            }
            f.session->run(c.command);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !f.session->isBusy(); }));
            EXPECT_EQ(NewNames(f.session->list()).join(u'|'), U(chained ? c.chained : c.unchained))
                << SlotOf(c.command) << (chained ? " chained" : "");
        }
    }
    ASSERT_TRUE(f.details.asked.contains(kFolder + QStringLiteral(":ab.txt:タイトル")));
    for (const QString& asked : f.details.asked)
        EXPECT_FALSE(asked.contains(QStringLiteral("Xy"))) << asked.toStdString();
}

// A long list is previewed on a thread: the command ends at once with
// "確認中…"; a preview that a new command overtakes is never shown, and the
// one shown is the one the window would have waited for.
TEST(Session, ALongListIsPreviewedOnAThreadAndOnlyTheLatestIsShown)
{
    SessionFixture f;
    f.addFiles(Split("f000.txt|f001.txt|g.txt"));
    f.disk.entries.remove(PathOf(QStringLiteral("g.txt"))); // gone: the one row whose rename fails
    f.session->setThreadedFrom(1);
    QList<int> shown; // the count of failing rows of each preview shown
    QObject::connect(f.session.get(), &RenameSession::previewChanged,
                     [&] { shown << f.session->preview().failing; });
    const auto settled = [&f] {
        return QTest::qWaitFor([&f] { return !f.session->isBusy() && !f.session->isPreviewPending(); });
    };

    f.rules.open = false;
    f.session->run(Command::UpperCase);
    ASSERT_TRUE(QTest::qWaitFor([&f] { return !f.session->isBusy(); }));
    ASSERT_TRUE(QTest::qWaitFor([&f] { return f.rules.listings > 0; }));
    EXPECT_TRUE(f.session->isPreviewPending());
    EXPECT_EQ(f.session->failingCountText(), QStringLiteral("リネームできるか確認中…"));
    f.session->run(Command::LowerCase); // overtakes the held preview
    f.rules.open = true;
    ASSERT_TRUE(settled());

    EXPECT_EQ(NewNames(f.session->list()), Split("f000.txt|f001.txt|g.txt"));
    EXPECT_FALSE(shown.contains(1)) << "the preview of the upper-case names was never shown";
    EXPECT_EQ(f.session->preview(), PreviewRenameAll(f.session->list(), f.rules));
    EXPECT_EQ(f.session->failingCountText(), QString());
    f.session->run(Command::UpperCase);
    ASSERT_TRUE(settled());
    EXPECT_EQ(f.session->preview(), PreviewRenameAll(f.session->list(), f.rules));
    EXPECT_EQ(f.session->failingCountText(), PreviewCountText(1));
}

} // namespace
