#include <QtGlobal>
#ifndef Q_OS_WIN

#include "core/RenameWalk.h"
#include "platform/RenameReasons.h"
#include "platform/ShellRename.h"
#include "tests/support/FakeServices.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Every file's content, sorted: a walk may move contents between names but
// must never lose, duplicate or change one.
QList<QByteArray> Contents(const QString& folder)
{
    QList<QByteArray> contents;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        contents.append(ReadBytes(dir.filePath(name)));
    std::sort(contents.begin(), contents.end());
    return contents;
}

RenameEntry Row(const QTemporaryDir& dir, const QString& current, const QString& newName)
{
    return {current, newName, {}, dir.path(), 0};
}

TEST(WalkOnDisk, TargetThatAppearsMeanwhileIsLeftIntact)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath(QStringLiteral("a.txt")), "a");
    WriteBytes(dir.filePath(QStringLiteral("c.txt")), "c");
    RenameList list;
    list.appendAll({Row(dir, QStringLiteral("a.txt"), QStringLiteral("b.txt")),
                    Row(dir, QStringLiteral("c.txt"), QStringLiteral("d.txt"))});
    // After the names were filled in: someone creates b.txt and deletes c.txt.
    WriteBytes(dir.filePath(QStringLiteral("b.txt")), "intruder");
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("c.txt"))));

    SystemFileRenamer renamer;
    FakeIcons icons;
    const RenameReport report = RenameAll(list, renamer, icons);
    EXPECT_EQ(report.renamed, 0);
    ASSERT_EQ(report.failures.size(), 2);
    EXPECT_EQ(report.failures[0].code, EEXIST);
    EXPECT_EQ(report.failures[1].code, ENOENT);
    EXPECT_EQ(report.failures[1].reason, RenameReasonText(RenameProblem::SourceMissing));
    EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("b.txt"))), QByteArray("intruder"));
    EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("a.txt"))), QByteArray("a"));
    EXPECT_EQ(list.at(0).currentName, QStringLiteral("a.txt"));
    EXPECT_TRUE(list.at(0).previousName.isEmpty());
}

TEST(WalkOnDisk, UndoRestoresTheNames)
{
    QTemporaryDir dir;
    const QStringList before = {QStringLiteral("a.txt"), QStringLiteral("b.txt"),
                                QStringLiteral("readme.txt"), QStringLiteral("sub")};
    const QStringList after = {QStringLiteral("x.txt"), QStringLiteral("ｂ.txt"),
                               QStringLiteral("README.txt"), QStringLiteral("sub2")};
    RenameList list;
    for (int i = 0; i < before.size(); ++i) {
        if (before[i] == QStringLiteral("sub"))
            ASSERT_TRUE(QDir(dir.path()).mkdir(before[i]));
        else
            WriteBytes(dir.filePath(before[i]), before[i].toUtf8());
        list.append(Row(dir, before[i], after[i]));
    }
    SystemFileRenamer renamer;
    FakeIcons icons;
    EXPECT_EQ(RenameAll(list, renamer, icons).renamed, 4);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({QStringLiteral("README.txt"), QStringLiteral("sub2"), QStringLiteral("x.txt"),
                           QStringLiteral("ｂ.txt")}));
    EXPECT_EQ(UndoAll(list, renamer, icons).renamed, 4);
    for (const QString& name : before)
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << name.toStdString();
    EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("readme.txt"))), QByteArray("readme.txt"));
    EXPECT_EQ(list.at(2).previousName, QStringLiteral("README.txt"));
}

// Root passes permission bits by its DAC-override capability. This lowers it
// for the calling thread while the object lives, so that a read-only folder
// is read-only for the test as it is for a user.
class DacOverrideLowered {
public:
    DacOverrideLowered()
    {
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_lowered = syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~DacOverrideLowered()
    {
        if (m_lowered)
            syscall(SYS_capset, &m_header, m_saved);
    }
    DacOverrideLowered(const DacOverrideLowered&) = delete;
    DacOverrideLowered& operator=(const DacOverrideLowered&) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

bool CanCreateIn(const QString& folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

TEST(WalkOnDisk, ReadOnlyFolderFailsEveryRowAndChangesNothing)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    RenameList list;
    for (const char* name : {"a", "b", "c"}) {
        WriteBytes(folder + QLatin1Char('/') + QLatin1String(name), name);
        list.append({QLatin1String(name), QLatin1String(name) + QStringLiteral(".new"), {}, folder, 0});
    }
    const QFile::Permissions readOnly =
        QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;
    ASSERT_TRUE(QFile::setPermissions(folder, readOnly));
    RenameReport report;
    bool locked = false;
    {
        DacOverrideLowered lowered;
        locked = !CanCreateIn(folder);
        if (locked) {
            SystemFileRenamer renamer;
            FakeIcons icons;
            report = RenameAll(list, renamer, icons);
        }
    }
    ASSERT_TRUE(QFile::setPermissions(folder, readOnly | QFile::WriteOwner));
    if (!locked)
        GTEST_SKIP()
            << "permission bits do not hold for this user (root whose DAC override cannot be lowered)";

    EXPECT_EQ(report.renamed, 0);
    ASSERT_EQ(report.failures.size(), 3);
    for (const RenameRowResult& failure : report.failures) {
        EXPECT_EQ(failure.code, EACCES);
        EXPECT_EQ(failure.reason, RenameReasonText(RenameProblem::FolderNotWritable));
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(list.at(1).currentName, QStringLiteral("b"));
}

// Many rows with duplicate targets, chains, swaps, case changes and targets
// that exist outside the list. Whatever succeeds or fails, no content may be
// lost and every row must name its own file.
TEST(WalkOnDisk, RandomWalksNeverLoseAFile)
{
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        QStringList pool;
        for (int i = 0; i < 24; ++i)
            pool.append(QStringLiteral("f%1.txt").arg(i));
        for (int i = 0; i < 4; ++i)
            pool.append(QStringLiteral("F%1.txt").arg(i)); // case variants of f0 ... f3
        std::shuffle(pool.begin(), pool.end(), random);

        // 16 listed files, 4 unlisted ones that stand in the way.
        RenameList list;
        QHash<int, QByteArray> contentOfRow;
        for (int i = 0; i < 20; ++i) {
            const QByteArray content = "content " + QByteArray::number(i);
            WriteBytes(dir.filePath(pool[i]), content);
            if (i >= 16)
                continue;
            const int pick =
                static_cast<int>(random.bounded(pool.size() + 4)) - static_cast<int>(pool.size());
            const QString target = pick < 0    ? pool[pool.size() + pick]
                                   : pick == 0 ? QString()
                                   : pick == 1 ? DetectionFailureMarker()
                                   : pick == 2 ? pool[i]
                                               : pool[i].toUpper();
            contentOfRow.insert(list.append(Row(dir, pool[i], target)), content);
        }
        const QList<QByteArray> before = Contents(dir.path());
        SystemFileRenamer renamer;
        FakeIcons icons;

        const auto checkDisk = [&](const char* step) {
            EXPECT_EQ(Contents(dir.path()), before) << "seed " << seed << ' ' << step;
            for (int row = 0; row < list.count(); ++row)
                EXPECT_EQ(ReadBytes(FullPathOf(list.at(row))), contentOfRow.value(row))
                    << "seed " << seed << ' ' << step << " row " << row;
        };
        const RenameReport renamed = RenameAll(list, renamer, icons);
        EXPECT_GT(renamed.renamed, 0) << seed;
        EXPECT_GT(renamed.failures.size(), 0) << seed;
        checkDisk("rename");
        UndoAll(list, renamer, icons);
        checkDisk("undo");
        RenameAll(list, renamer, icons);
        checkDisk("rename again");
    }
}

} // namespace

#endif
