#include <QtGlobal>
#ifndef Q_OS_WIN

#include "core/RenameJournal.h"
#include "platform/DurableFiles.h"
#include "tests/support/JournalBatches.h"
#include "tests/support/TestFiles.h"

#include "core/FileTrust.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

// The lines said on stderr about files left alone.
int g_ignored = 0;
void CountIgnored(QtMsgType, const QMessageLogContext&, const QString& text)
{
    g_ignored += text.startsWith(QStringLiteral("ignoring")) ? 1 : 0;
}

TEST(DurableFiles, ReplaceWholeFilesNeverThroughALinkAndHoldThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.journal")),
                  victim = dir.filePath(QStringLiteral("victim"));
    WriteBytes(victim, "keep me");
    ASSERT_TRUE(QFile::link(victim, path));
    const auto disk = MakeSystemJournalDisk();

    // A link put at the journal's name is replaced, its target left alone.
    EXPECT_EQ(disk->create(path, "first"), QString());
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    EXPECT_EQ(ReadBytes(victim), QByteArray("keep me"));
    EXPECT_EQ(disk->create(path, "second"), QString());
    EXPECT_EQ(ReadBytes(path), QByteArray("second"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2)
        << "no temporary file stays behind";

    // Another copy of the program sees the batch held until its end point.
    const auto other = MakeSystemJournalDisk();
    EXPECT_TRUE(other->isHeld(path));
    EXPECT_EQ(disk->append(path, " done", JournalDisk::Step::End), QString());
    EXPECT_EQ(ReadBytes(path), QByteArray("second done"));
    EXPECT_FALSE(other->isHeld(path));
    EXPECT_FALSE(disk->create(dir.filePath(QStringLiteral("gone/x.journal")), "x").isEmpty());
    // Appending never follows a link either.
    const QString linked = dir.filePath(QStringLiteral("c.journal"));
    ASSERT_TRUE(QFile::link(victim, linked));
    EXPECT_FALSE(disk->append(linked, "x", JournalDisk::Step::End).isEmpty());
    EXPECT_EQ(ReadBytes(victim), QByteArray("keep me"));

    // Recovery removes a second name only while it names the file kept.
    const QString stranger = dir.filePath(QStringLiteral("stranger")),
                  twin = dir.filePath(QStringLiteral("twin"));
    WriteBytes(stranger, "another file");
    EXPECT_FALSE(disk->removeExtraName(victim, stranger).ok);
    ASSERT_EQ(::link(QFile::encodeName(victim).constData(), QFile::encodeName(twin).constData()), 0);
    EXPECT_TRUE(disk->removeExtraName(victim, twin).ok);
    EXPECT_EQ(ReadBytes(victim) + ReadBytes(twin) + ReadBytes(stranger),
              QByteArray("keep me<missing>another file"));
}

// The plan before a walk, its results after, and what the journal folder keeps.
TEST(JournalFolder, RecordsWalksAndKeepsTheLastBatches)
{
    QTemporaryDir dir;
    const auto disk = MakeSystemJournalDisk();
    RenameJournal journal(dir.filePath(QStringLiteral("journal")), *disk);
    RenameList list;
    // Two runs of rows of one folder around a row of a folder that is not there.
    for (int i = 0; i < 3; ++i) {
        const QString folder = i == 1 ? dir.filePath(QStringLiteral("gone")) : dir.path();
        list.append({QStringLiteral("f%1").arg(i), QStringLiteral("g%1").arg(i), {}, folder, 0});
        if (i != 1)
            WriteBytes(dir.filePath(QStringLiteral("f%1").arg(i)), {});
    }
    const QString first = BeginBatch(journal, list);
    EXPECT_TRUE(journal.scan().batches.at(0).running);
    EXPECT_EQ(journal.finish(first, {0, 2}), QString()); // row 1 failed
    const auto batch = journal.load(first, nullptr);
    ASSERT_TRUE(batch.has_value());
    EXPECT_EQ(batch->state, JournalState::Done);
    const QList<RowStatus> statuses{batch->rows[0].status, batch->rows[1].status, batch->rows[2].status};
    EXPECT_EQ(statuses, (QList{RowStatus::Renamed, RowStatus::NotRenamed, RowStatus::Renamed}));
    for (const JournalRow& row : batch->rows)
        EXPECT_EQ(row.identity.matches(disk->identityOf(row.folder + u'/' + row.oldName)),
                  row.oldName != u"f1");
    EXPECT_TRUE(BeginBatch(journal, RenameList()).isEmpty()) << "a walk that tries nothing leaves no batch";

    // Finished batches beyond the last 20 go; an interrupted one waits.
    QString interrupted;
    {
        const auto dying = MakeSystemJournalDisk();
        RenameJournal other(journal.folder(), *dying);
        interrupted = BeginBatch(other, list);
    }
    for (int i = 0; i < RenameJournal::kKeptBatches; ++i)
        EXPECT_EQ(journal.finish(BeginBatch(journal, list), {0, 1, 2}), QString());
    const QList<JournalSummary> kept = journal.scan().batches;
    ASSERT_EQ(kept.size(), RenameJournal::kKeptBatches + 1);
    EXPECT_EQ(kept.last().id, interrupted);
    // Batches named for a later date (a clock set wrong) push no new one out.
    for (int i = 0; i < RenameJournal::kKeptBatches; ++i)
        ASSERT_TRUE(QFile::copy(journal.folder() + u'/' + kept.first().id + QStringLiteral(".journal"),
                                journal.folder() + QStringLiteral("/20300101-000000-000-%1.journal").arg(i)));
    const QString fresh = BeginBatch(journal, list);
    EXPECT_EQ(journal.finish(fresh, {}), QString());
    EXPECT_EQ(journal.scan().batches.first().id, fresh);
    EXPECT_EQ(QDir(journal.folder()).entryList(QDir::Files).size(), RenameJournal::kKeptBatches + 1);

    // A file it cannot read is set aside and named once; one that is not the
    // user's own (here a link to a good journal) is not even read.
    const QString good = dir.filePath(QStringLiteral("good.journal"));
    ASSERT_TRUE(QFile::copy(journal.folder() + u'/' + kept.first().id + QStringLiteral(".journal"), good));
    const QByteArray cut = ReadBytes(good).left(60);
    const struct {
        const char *name, *asideAs;
        QByteArray bytes; // none: a link to the good journal
    } odd[] = {
        {"cut short", ".unreadable", cut}, {"again", "-2.unreadable", cut}, {"a symbolic link", "", {}}};
    for (const auto& c : odd) {
        const QString path = journal.folder() + QStringLiteral("/20000101-000000-000-1.journal");
        const bool setAside = !c.bytes.isEmpty();
        if (setAside)
            WriteBytes(path, c.bytes);
        else
            ASSERT_TRUE(QFile::link(good, path));
        g_ignored = 0;
        const QtMessageHandler previous = qInstallMessageHandler(CountIgnored);
        const RenameJournal::Scan scan = journal.scan();
        EXPECT_EQ(scan.batches.size(), RenameJournal::kKeptBatches + 1) << c.name;
        ASSERT_EQ(scan.setAside.size(), setAside ? 1 : 0) << c.name;
        EXPECT_EQ(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), !setAside) << c.name;
        EXPECT_EQ(setAside ? ReadBytes(scan.setAside[0]) : c.bytes, c.bytes) << c.name;
        EXPECT_TRUE(!setAside || scan.setAside[0].endsWith(QLatin1String(c.asideAs))) << c.name;
        EXPECT_TRUE(journal.scan().setAside.isEmpty()) << c.name;
        qInstallMessageHandler(previous);
        EXPECT_EQ(g_ignored, setAside ? 0 : 1) << c.name;
    }

    // Past the size cap the oldest finished batches go too; the newest and
    // the interrupted one stay.
    journal.setKeptBytes(3 * QFileInfo(journal.folder() + u'/' + fresh + QStringLiteral(".journal")).size());
    const QString newest = BeginBatch(journal, list);
    EXPECT_EQ(journal.finish(newest, {0}), QString());
    const QList<JournalSummary> capped = journal.scan().batches;
    ASSERT_EQ(capped.size(), 3);
    EXPECT_EQ(capped.first().id, newest);
    EXPECT_EQ(capped.last().id, interrupted);
}

// A plan longer than a piece of its file comes back row for row, each under
// its folder, wherever the pieces and the folders change.
TEST(JournalFolder, ALongPlanComesBackRowForRow)
{
    QTemporaryDir dir;
    const auto disk = MakeSystemJournalDisk();
    RenameJournal journal(dir.filePath(QStringLiteral("journal")), *disk);
    QList<RenameEntry> rows;
    for (int i = 0; i < 40000; ++i)
        rows.append({QStringLiteral("f%1").arg(i),
                     QStringLiteral("g%1").arg(i),
                     {},
                     dir.filePath(i < 20000 ? QStringLiteral("a") : QStringLiteral("b")),
                     0});
    RenameList list;
    list.appendAll(rows);
    const auto batch = journal.load(BeginBatch(journal, list), nullptr);
    ASSERT_TRUE(batch.has_value());
    ASSERT_EQ(batch->rows.size(), rows.size());
    EXPECT_EQ(batch->folderCount, 2);
    for (qsizetype i = 0; i < rows.size(); ++i)
        ASSERT_TRUE(batch->rows[i].folder == rows[i].folder && batch->rows[i].newName == rows[i].newName)
            << i;
}

// Another account that swaps its own file in and out under the name of the
// user's file never gets its bytes read as the user's: the check and the
// read look at one opened file.
TEST(FileTrust, ASwapRaceNeverReadsAnotherUsersFile)
{
    QTemporaryDir dir;
    const QString ownPath = dir.filePath(QStringLiteral("setting.ini"));
    const QByteArray own = QFile::encodeName(ownPath), planted = own + ".planted";
    WriteBytes(ownPath, "Editer=mine");
    WriteBytes(QFile::decodeName(planted), "Editer=theirs");
    if (::chown(planted.constData(), 4242, 4242) != 0)
        GTEST_SKIP() << "playing another user needs root";
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        while (!stop)
            ::renameat2(AT_FDCWD, own.constData(), AT_FDCWD, planted.constData(), RENAME_EXCHANGE);
    });
    int trusted = 0;
    for (int i = 0; i < 3000; ++i) {
        const UserFileBytes file = ReadUserFile(ownPath, 1024);
        trusted += file.trust == FileTrust::Trusted ? 1 : 0;
        EXPECT_TRUE(file.trust != FileTrust::Trusted || file.bytes == "Editer=mine")
            << file.bytes.constData();
    }
    stop = true;
    swapper.join();
    EXPECT_GT(trusted, 0);
}

// A disk that fills up during the walk still takes its results: they go into
// the room the plan left; too many for it, the batch is still marked ended,
// with its rows to be judged by the disk.
TEST(JournalFolder, ResultsReachAFullDisk)
{
    QTemporaryDir dir;
    const auto disk = MakeSystemJournalDisk();
    RenameJournal journal(dir.filePath(QStringLiteral("journal")), *disk);
    RenameList list;
    QList<int> everyOther;
    for (int i = 0; i < 3000; ++i) {
        list.append({QStringLiteral("f%1").arg(i), QStringLiteral("g%1").arg(i), {}, dir.path(), 0});
        if (i % 2 == 0)
            everyOther.append(i);
    }
    for (const bool fits : {true, false}) {
        const QString id = BeginBatch(journal, list);
        const QString path = journal.folder() + u'/' + id + QStringLiteral(".journal");
        // No file of this process may grow any more.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full{static_cast<rlim_t>(QFileInfo(path).size()), limit.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &full);
        const QString problem = journal.finish(id, fits ? QList<int>{0, 1} : everyOther);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previous);
        EXPECT_EQ(problem, QString()) << fits;
        const auto batch = journal.load(id, nullptr);
        ASSERT_TRUE(batch.has_value()) << fits;
        EXPECT_EQ(batch->state, JournalState::Done) << fits;
        EXPECT_EQ(batch->statusesLost, !fits);
        EXPECT_EQ(batch->rows.at(1).status, fits ? RowStatus::Renamed : RowStatus::Planned);
    }
}

} // namespace

#endif
