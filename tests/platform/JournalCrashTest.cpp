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
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFiles = 2000;

QString OldName(int i)
{
    return QStringLiteral("f%1.txt").arg(i, 4, 10, QLatin1Char('0'));
}

// Plain renames, case-only ones, chains into the name the row before has
// just left, and names outside ASCII.
QString NewName(int i)
{
    switch (i % 5) {
    case 0:
        return OldName(i).toUpper();
    case 2:
        return OldName(i - 1);
    case 3:
        return QStringLiteral("写真_%1.txt").arg(i, 4, 10, QLatin1Char('0'));
    default:
        return QStringLiteral("g%1.txt").arg(i, 4, 10, QLatin1Char('0'));
    }
}

// Straight to the descriptor: the parent reads it while the child still runs.
void Tell(const char* text)
{
    const ssize_t written = ::write(STDERR_FILENO, text, std::strlen(text));
    Q_UNUSED(written);
}

QByteArray ContentOf(int i)
{
    return "content " + QByteArray::number(i) + '\n';
}

// The real calls, made to answer like NFS (no no-replace flag) and/or like a
// disk that folds case; the `at`-th rename call tells the parent on stderr.
class CrashCalls : public PosixRenameCalls {
public:
    bool refuseFlag = false;
    bool foldCase = false;
    int at = -1;

    int renameNoReplace(const char* from, const char* to) override
    {
        if (m_calls++ == at)
            Tell("at\n");
        if (refuseFlag)
            return EINVAL;
        if (takenByOtherCase(to))
            return EEXIST;
        return PosixRenameCalls::renameNoReplace(from, to);
    }
    int link(const char* from, const char* to) override
    {
        return takenByOtherCase(to) ? EEXIST : PosixRenameCalls::link(from, to);
    }
    int identify(const char* path, FileIdentity& identity) override
    {
        return PosixRenameCalls::identify(folded(path).constData(), identity);
    }

private:
    static bool exists(const QByteArray& path)
    {
        struct stat info {};
        return ::lstat(path.constData(), &info) == 0;
    }
    // The path itself, else its file name in upper or lower case if there.
    QByteArray folded(const char* path) const
    {
        const QByteArray exact(path);
        if (!foldCase || exists(exact))
            return exact;
        const qsizetype slash = exact.lastIndexOf('/');
        for (const QByteArray& name : {exact.mid(slash + 1).toUpper(), exact.mid(slash + 1).toLower()}) {
            const QByteArray variant = exact.left(slash + 1) + name;
            if (exists(variant))
                return variant;
        }
        return exact;
    }
    bool takenByOtherCase(const char* to) const { return foldCase && folded(to) != QByteArray(to); }

    int m_calls = 0;
};

TEST(DISABLED_JournalCrashChild, Walk)
{
    const QString folder = qEnvironmentVariable("QUORVANE_CRASH_FOLDER");
    const int mode = qEnvironmentVariableIntValue("QUORVANE_CRASH_MODE");
    ASSERT_FALSE(folder.isEmpty());
    CrashCalls calls;
    calls.refuseFlag = mode & 1;
    calls.foldCase = mode & 2;
    calls.at = qEnvironmentVariableIntValue("QUORVANE_CRASH_AT");
    RenameList list;
    for (int i = 0; i < kFiles; ++i)
        list.append({OldName(i), NewName(i), {}, folder, 0});
    const auto disk = MakeSystemJournalDisk();
    RenameJournal journal(qEnvironmentVariable("QUORVANE_CRASH_JOURNAL"), *disk);
    // What the window does between its start and end points.
    ASSERT_FALSE(journal.begin(WalkKind::RenameAll, WalkPlan(list, WalkKind::RenameAll)).isEmpty());
    PosixFileRenamer renamer(calls);
    FakeIcons icons;
    RenameAll(list, renamer, icons);
    Tell("walked\n");
    for (;;)
        ::pause(); // the batch is never finished: the kill comes first
}

TEST(JournalCrash, RecoveryPutsEveryNameBackAfterAKill)
{
    QRandomGenerator random(20250501);
    QStringList expected;
    for (int i = 0; i < kFiles; ++i)
        expected.append(OldName(i));
    // One folder for every run: each recovery must leave it as it was.
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("files"));
    ASSERT_TRUE(QDir().mkdir(folder));
    for (int i = 0; i < kFiles; ++i)
        WriteBytes(folder + QLatin1Char('/') + OldName(i), ContentOf(i));
    QList<int> putBack;
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        const QString journalFolder = dir.filePath(QStringLiteral("journal-%1").arg(run));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUORVANE_CRASH_FOLDER"), folder);
        environment.insert(QStringLiteral("QUORVANE_CRASH_JOURNAL"), journalFolder);
        environment.insert(QStringLiteral("QUORVANE_CRASH_MODE"), QString::number(run % 4));
        environment.insert(QStringLiteral("QUORVANE_CRASH_AT"), QString::number(random.bounded(kFiles)));
        child.setProcessEnvironment(environment);
        child.setReadChannel(QProcess::StandardError);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=DISABLED_JournalCrashChild.Walk")});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray told;
        while (!told.contains("at\n") && !told.contains("walked\n") && child.waitForReadyRead(60000))
            told += child.readAllStandardError();
        ASSERT_TRUE(told.contains("at\n") || told.contains("walked\n")) << told.toStdString();
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));

        // What start-up and the answer "元に戻す" do.
        const auto disk = MakeSystemJournalDisk();
        RenameJournal journal(journalFolder, *disk);
        const RenameJournal::Scan scan = journal.scan();
        ASSERT_EQ(scan.batches.size(), 1);
        EXPECT_FALSE(scan.batches[0].running);
        EXPECT_EQ(scan.batches[0].header.state, JournalState::Open);
        auto batch = journal.load(scan.batches[0].id, nullptr);
        ASSERT_TRUE(batch.has_value());
        SystemFileRenamer renamer;
        const SettleResult result = SettleBatch(*batch, SettleAnswer::PutBack, renamer, *disk);
        EXPECT_EQ(RenameFailureText(result.report), QString());
        EXPECT_EQ(batch->state, JournalState::Undone);
        putBack.append(result.report.renamed);

        // Every file exactly once, under its old name, with its content.
        const QDir files(folder);
        EXPECT_EQ(files.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                  QDir::Name),
                  expected);
        for (int i = 0; i < kFiles; ++i)
            ASSERT_EQ(ReadBytes(files.filePath(OldName(i))), ContentOf(i)) << i;
    }
    // Where the kills fell, for whoever reads the log.
    QStringList counts;
    for (const int count : putBack)
        counts.append(QString::number(count));
    std::printf("names put back per run: %s\n", qPrintable(counts.join(QLatin1Char(' '))));
}

} // namespace

#endif
