#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/DurableFiles.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DurableFiles, ReplaceWholeFilesNeverThroughALinkAndHoldThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.journal"));
    const QString victim = dir.filePath(QStringLiteral("victim"));
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

    // Another copy of the program sees the batch held until its end point,
    // and also until its holder dies (its descriptors close).
    const auto other = MakeSystemJournalDisk();
    EXPECT_TRUE(other->isHeld(path));
    EXPECT_EQ(disk->append(path, " done", JournalDisk::Step::End), QString());
    EXPECT_EQ(ReadBytes(path), QByteArray("second done"));
    EXPECT_FALSE(other->isHeld(path));
    {
        const auto dying = MakeSystemJournalDisk();
        EXPECT_EQ(dying->append(path, " again", JournalDisk::Step::Start), QString());
        EXPECT_TRUE(other->isHeld(path));
    }
    EXPECT_FALSE(other->isHeld(path));

    EXPECT_FALSE(disk->create(dir.filePath(QStringLiteral("gone/x.journal")), "x").isEmpty());
    // Appending never follows a link either.
    const QString linked = dir.filePath(QStringLiteral("c.journal"));
    ASSERT_TRUE(QFile::link(victim, linked));
    EXPECT_FALSE(disk->append(linked, "x", JournalDisk::Step::End).isEmpty());
    EXPECT_EQ(ReadBytes(victim), QByteArray("keep me"));
}

} // namespace

#endif
