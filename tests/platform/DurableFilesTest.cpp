#include <QtGlobal>
#ifndef Q_OS_WIN

#include "core/RenameJournal.h"
#include "platform/DurableFiles.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

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
    for (int i = 0; i < 3; ++i)
        list.append(
            {QStringLiteral("f%1").arg(i), QStringLiteral("g%1").arg(i), {}, QStringLiteral("/d"), 0});
    const QString first = journal.begin(RenameWalkKind::All, WalkPlan(list, RenameWalkKind::All));
    ASSERT_EQ(journal.scan().batches.size(), 1);
    EXPECT_TRUE(journal.scan().batches[0].running);
    {
        RenameList::EditScope edit(list); // rows 0 and 2 were renamed, row 1 failed
        edit.row(0).currentName = QStringLiteral("g0");
        edit.row(2).currentName = QStringLiteral("g2");
    }
    EXPECT_EQ(journal.finish(first, list), QString());
    const auto batch = journal.load(first, nullptr);
    ASSERT_TRUE(batch.has_value());
    EXPECT_EQ(batch->state, JournalState::Done);
    const QList<RowStatus> statuses{batch->rows[0].status, batch->rows[1].status, batch->rows[2].status};
    EXPECT_EQ(statuses, (QList{RowStatus::Renamed, RowStatus::NotRenamed, RowStatus::Renamed}));
    EXPECT_TRUE(journal.begin(RenameWalkKind::All, {}).isEmpty())
        << "a walk that tries nothing leaves no batch";

    // Finished batches beyond the last 20 go; an interrupted one waits.
    QString interrupted;
    {
        const auto dying = MakeSystemJournalDisk();
        interrupted = RenameJournal(journal.folder(), *dying)
                          .begin(RenameWalkKind::All, WalkPlan(list, RenameWalkKind::All));
    }
    QThread::msleep(2); // the interrupted batch is the oldest, not one of a millisecond's several
    for (int i = 0; i < RenameJournal::kKeptBatches; ++i)
        journal.finish(journal.begin(RenameWalkKind::All, WalkPlan(list, RenameWalkKind::All)), list);
    const QList<JournalSummary> kept = journal.scan().batches;
    ASSERT_EQ(kept.size(), RenameJournal::kKeptBatches + 1);
    EXPECT_EQ(kept.last().id, interrupted);
    EXPECT_FALSE(kept.last().running);
    EXPECT_EQ(QDir(journal.folder()).entryList(QDir::Files).size(), RenameJournal::kKeptBatches + 1);

    // A file it cannot read is set aside and named once; one that is not the
    // user's own (here a link to a good journal) is not even read.
    const QString good = dir.filePath(QStringLiteral("good.journal"));
    ASSERT_TRUE(QFile::copy(journal.folder() + u'/' + kept.first().id + QStringLiteral(".journal"), good));
    const QByteArray cut = ReadBytes(good).left(60);
    const struct {
        const char *name, *asideAs;
        QByteArray bytes; // none: a link to the good journal
    } odd[] = {{"cut short", ".unreadable", cut},
               {"again", "-2.unreadable", cut},
               {"and again", "-3.unreadable", cut},
               {"a symbolic link", "", {}}};
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
}

} // namespace

#endif
