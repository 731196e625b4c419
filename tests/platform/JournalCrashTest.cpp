#include <QtGlobal>
#ifndef Q_OS_WIN

// A walk of 2,000 files killed with SIGKILL at a random point, then the
// recovery that start-up offers. The walk runs in a child process: this test
// program started again for the disabled test below alone (a fork of a
// process with Qt's threads is not safe under the sanitizers; a fresh process
// is).

#include "core/JournalRecovery.h"
#include "core/RenameJournal.h"
#include "platform/DurableFiles.h"
#include "platform/ShellRename.h"
#include "tests/support/FakeServices.h"
#include "tests/support/JournalBatches.h"
#include "tests/support/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kFiles = 2000;

// Outside the circle, some old names are CP932 bytes, as from an old archive.
QString OldName(int i, bool rotate = false)
{
    const QByteArray number = QByteArray::number(i).rightJustified(4, '0');
    if (!rotate && i % 10 == 7)
        return DecodeFileName(QByteArray("f" + number + "\x83\x65\x83\x58\x83\x67.txt")); // "テスト"
    return QString::fromLatin1("f" + number + ".txt");
}

// Case-only renames, chains into the name the row before has just left, and
// names outside ASCII; or one circle of every file, each taking the next
// one's name.
QString NewName(int i, bool rotate = false)
{
    if (rotate)
        return OldName((i + 1) % kFiles, true);
    const QString number = QStringLiteral("%1.txt").arg(i, 4, 10, QLatin1Char('0'));
    const QString names[] = {OldName(i).toUpper(), QStringLiteral("g") + number, OldName(i - 1),
                             QStringLiteral("写真_") + number, QStringLiteral("g") + number};
    return names[i % 5];
}

QByteArray ContentOf(int i)
{
    return "content " + QByteArray::number(i) + '\n';
}

// The real calls, made to answer like NFS (no no-replace flag: files move
// by link and unlink) and/or like a disk that folds case (a case-only rename
// goes through a temporary name); the `at`-th rename call says "at".
class CrashCalls : public PosixRenameCalls {
public:
    bool refuseFlag = false, foldCase = false;
    int at = -1;

    int renameNoReplace(const char* from, const char* to) override
    {
        if (m_calls++ == at)
            std::fputs("at\n", stderr); // unbuffered: the parent reads it at once
        if (refuseFlag || folded(to) != to)
            return refuseFlag ? EINVAL : EEXIST;
        return PosixRenameCalls::renameNoReplace(from, to);
    }
    int link(const char* from, const char* to) override
    {
        return folded(to) != to ? EEXIST : PosixRenameCalls::link(from, to);
    }
    int identify(const char* path, PathFacts& identity) override
    {
        return PosixRenameCalls::identify(folded(path).constData(), identity);
    }

private:
    // The path itself, else the same name in upper or lower case if there.
    QByteArray folded(const QByteArray& path)
    {
        PathFacts found;
        const qsizetype slash = path.lastIndexOf('/') + 1;
        for (const QByteArray& name : {path.mid(slash).toUpper(), path.mid(slash).toLower()}) {
            const QByteArray variant = path.left(slash) + name;
            if (foldCase && PosixRenameCalls::identify(path.constData(), found) != 0 &&
                PosixRenameCalls::identify(variant.constData(), found) == 0)
                return variant;
        }
        return path;
    }

    int m_calls = 0;
};

TEST(DISABLED_JournalCrashChild, Walk)
{
    const QString folder = qEnvironmentVariable("QUORVANE_CRASH_FOLDER");
    ASSERT_FALSE(folder.isEmpty());
    const int mode = qEnvironmentVariableIntValue("QUORVANE_CRASH_MODE");
    CrashCalls calls;
    calls.refuseFlag = mode & 1;
    calls.foldCase = mode & 2;
    calls.at = qEnvironmentVariableIntValue("QUORVANE_CRASH_AT");
    const bool rotate = mode & 4;
    RenameList list;
    for (int i = 0; i < kFiles; ++i)
        list.append({OldName(i, rotate), NewName(i, rotate), {}, folder, 0});
    const auto disk = MakeSystemJournalDisk();
    RenameJournal journal(qEnvironmentVariable("QUORVANE_CRASH_JOURNAL"), *disk);
    // What the window does from its start point on; the kill comes before the end point.
    ASSERT_FALSE(BeginBatch(journal, list, RenameWalkKind::All, rotate).isEmpty());
    PosixFileRenamer renamer(calls);
    FakeIcons icons;
    RenameRowsWalk walk(list, RenameWalkKind::All, renamer, icons, rotate);
    RunToEnd(walk);
    std::fputs("walked\n", stderr);
    for (;;)
        ::pause();
}

// Starts the walk in a child process and kills it at its `at`-th rename.
void KillWalk(const QTemporaryDir& dir, const QString& folder, const QString& journalFolder, int mode, int at)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // What the killed child leaves behind goes with dir.
    environment.insert(QStringLiteral("TMPDIR"), dir.path());
    environment.insert(QStringLiteral("QUORVANE_CRASH_FOLDER"), folder);
    environment.insert(QStringLiteral("QUORVANE_CRASH_JOURNAL"), journalFolder);
    environment.insert(QStringLiteral("QUORVANE_CRASH_MODE"), QString::number(mode));
    environment.insert(QStringLiteral("QUORVANE_CRASH_AT"), QString::number(at));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setReadChannel(QProcess::StandardError);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"),
                 QStringLiteral("--gtest_filter=DISABLED_JournalCrashChild.Walk")});
    QByteArray told;
    while (!told.contains("at\n") && !told.contains("walked\n") && child.waitForReadyRead(60000))
        told += child.readAllStandardError();
    ASSERT_TRUE(told.contains("at\n") || told.contains("walked\n")) << told.toStdString();
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished(10000));
}

// The batch of the one journal in `journalFolder`, as start-up finds it.
std::optional<JournalBatch> LoadCrashedBatch(RenameJournal& journal)
{
    const RenameJournal::Scan scan = journal.scan();
    EXPECT_EQ(scan.batches.size(), 1);
    if (scan.batches.size() != 1)
        return {};
    EXPECT_FALSE(scan.batches[0].running);
    EXPECT_EQ(scan.batches[0].header.state, JournalState::Open);
    return journal.load(scan.batches[0].id, nullptr);
}

// The 2,000 files under their old names, with their contents, in a folder
// of a temporary one that also takes the journals.
struct CrashFolder {
    QTemporaryDir dir;
    QString folder = dir.filePath(QStringLiteral("files"));
    explicit CrashFolder(bool rotate = false)
    {
        EXPECT_TRUE(QDir().mkdir(folder));
        for (int i = 0; i < kFiles; ++i)
            WriteBytes(folder + QLatin1Char('/') + OldName(i, rotate), ContentOf(i));
    }
    ~CrashFolder()
    {
        // QTemporaryDir cannot remove a name that is not UTF-8.
        for (int i = 7; i < kFiles; i += 10)
            ::unlink(EncodeFileName(QString(folder + QLatin1Char('/') + OldName(i))).constData());
    }
};

TEST(JournalCrash, RecoveryPutsEveryNameBackAfterAKill)
{
    QRandomGenerator random(20250501);
    const CrashFolder crash;
    const QTemporaryDir& dir = crash.dir;
    const QString& folder = crash.folder;
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        const QString journalFolder = dir.filePath(QStringLiteral("journal-%1").arg(run));
        KillWalk(dir, folder, journalFolder, run % 4, random.bounded(kFiles));

        // Behind the walk's back, a renamed file moves away and another
        // takes its new name: recovery must leave both alone.
        int replaced = -1;
        for (int tries = 0, i = random.bounded(kFiles); tries < kFiles && replaced < 0;
             ++tries, i = (i + 1) % kFiles) {
            const QString renamedPath = folder + u'/' + NewName(i);
            if (i % 5 % 2 == 1 && QFile::exists(renamedPath)) {
                replaced = i;
                ASSERT_TRUE(QFile::rename(renamedPath, dir.filePath(QStringLiteral("moved"))));
                WriteBytes(renamedPath, "intruder");
            }
        }

        // What start-up and the answer "元に戻す" do.
        const auto disk = MakeSystemJournalDisk();
        RenameJournal journal(journalFolder, *disk);
        auto batch = LoadCrashedBatch(journal);
        ASSERT_TRUE(batch.has_value());
        SystemFileRenamer renamer;
        const SettleResult result = SettleBatch(*batch, SettleAnswer::PutBack, renamer, *disk);
        EXPECT_EQ(result.report.failures.size(), replaced < 0 ? 0 : 1)
            << RenameFailureText(result.report).toStdString();
        EXPECT_EQ(batch->state, JournalState::Undone);

        // Every file exactly once, under its old name, with its content; the
        // intruder keeps the name it took.
        const QDir files(folder);
        EXPECT_EQ(ExactNames(folder).size(), kFiles) << "no other name, hidden or not";
        for (int i = 0; i < kFiles; ++i) {
            if (i == replaced) {
                ASSERT_EQ(ReadBytes(files.filePath(NewName(i))), "intruder");
                ASSERT_TRUE(QFile::rename(dir.filePath(QStringLiteral("moved")), files.filePath(OldName(i))));
                ASSERT_TRUE(QFile::remove(files.filePath(NewName(i))));
            }
            ASSERT_EQ(ReadBytes(files.filePath(OldName(i))), ContentOf(i)) << i;
        }
    }
}

// One circle of 2,000 files exchanged through a temporary name, killed at
// a random step: whatever the answer, every file ends under one of its two
// names with its content, and "元に戻す" brings every old name back.
TEST(JournalCrash, AnExchangeCutAnywhereLosesNoFile)
{
    QRandomGenerator random(20261208);
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        const CrashFolder crash(true); // each run starts from the old names
        const QString journalFolder = crash.dir.filePath(QStringLiteral("journal"));
        KillWalk(crash.dir, crash.folder, journalFolder, 4 | (run % 2), random.bounded(kFiles + 1));
        const auto disk = MakeSystemJournalDisk();
        RenameJournal journal(journalFolder, *disk);
        auto batch = LoadCrashedBatch(journal);
        ASSERT_TRUE(batch.has_value());
        const SettleAnswer answer = run % 4 < 2 ? SettleAnswer::PutBack : SettleAnswer::Keep;
        SystemFileRenamer renamer;
        const SettleResult result = SettleBatch(*batch, answer, renamer, *disk);
        EXPECT_TRUE(result.report.failures.isEmpty()) << RenameFailureText(result.report).toStdString();

        const QDir files(crash.folder);
        ASSERT_EQ(ExactNames(crash.folder).size(), kFiles) << "no temporary name left";
        // Kept, the files are all under their new names or all under their old ones.
        const bool forward = ReadBytes(files.filePath(NewName(0, true))) == ContentOf(0);
        EXPECT_TRUE(answer == SettleAnswer::Keep || !forward);
        for (int i = 0; i < kFiles; ++i)
            ASSERT_EQ(ReadBytes(files.filePath(forward ? NewName(i, true) : OldName(i, true))), ContentOf(i))
                << i;
    }
}

} // namespace

#endif
