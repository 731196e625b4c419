#include "platform/IconTable.h"
#include "platform/SystemFolderLister.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Utf8.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifndef Q_OS_WIN // WindowsPlatformTest lists folders with the attributes of Windows
// Every entry as its name, "/" after a folder's, "*" after a hidden one's; sorted.
QStringList Entries(const FolderListing& listing)
{
    QStringList seen;
    for (const ListedEntry& entry : listing.entries)
        seen.append(entry.name + QLatin1String(entry.directory ? "/" : "") +
                    QLatin1String(entry.hidden ? "*" : ""));
    seen.sort();
    return seen;
}

TEST(SystemFolderLister, TellsKindsFollowsLinksAndKeepsTheBytesOfEveryName)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path()) + '/';
    for (const char* file : {"a.jpg", "B.JPG", "\xe5\x86\x99\xe7\x9c\x9f.txt", ".hidden", "\xff.bin"})
        ::close(::open(QByteArray(root + file).constData(), O_CREAT | O_WRONLY, 0644));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    ASSERT_EQ(::symlink("sub", QByteArray(root + "to-sub").constData()), 0);
    ASSERT_EQ(::symlink("a.jpg", QByteArray(root + "to-file").constData()), 0);
    ASSERT_EQ(::symlink("nowhere", QByteArray(root + "dangling").constData()), 0);

    SystemFolderLister lister;
    const FolderListing all = lister.list(dir.path(), QStringLiteral("*"));
    EXPECT_EQ(Entries(all), Split("../*|./*|.hidden*|B.JPG|a.jpg|dangling|sub/|to-file|to-sub/|写真.txt") +
                                QStringList{QChar(0xDCFF) + QStringLiteral(".bin")});
    EXPECT_FALSE(all.unreadable);

    const FolderListing jpegs = lister.list(dir.path(), QStringLiteral("*.jpg"));
    EXPECT_EQ(Entries(jpegs), Split("B.JPG|a.jpg"));

    QTemporaryDir empty;
    EXPECT_FALSE(lister.list(empty.path(), QStringLiteral("*")).unreadable); // empty is not unreadable
    const FolderListing missing = lister.list(dir.filePath(QStringLiteral("missing")), QStringLiteral("*"));
    EXPECT_TRUE(missing.unreadable);
    EXPECT_TRUE(missing.entries.isEmpty());
    // QTemporaryDir cannot remove a name that is not UTF-8.
    ::unlink(QByteArray(root + "\xff.bin").constData());
}
#endif

TEST(IconTable, ChoosesBySuffixWithoutRegardToCaseOrEncoding)
{
    IconTable icons;
    const int jpeg = icons.indexFor(QStringLiteral("a.jpg"), false);
    EXPECT_GT(jpeg, IconTable::FolderIndex);
    // More suffixes than the table remembers as written, then the first again.
    for (const char* name :
         {"b.png", "c.mp3", "d.txt", "e.pdf", "f.gif", "g.zip", "h.html", "i.csv", "j.wav"})
        EXPECT_GE(icons.indexForName(QLatin1StringView(name), false), 0);
    struct Case {
        const char* name;
        QAnyStringView text;
        bool directory;
        int index;
    } const cases[] = {
        {"upper case", QStringLiteral("X.JPG"), false, jpeg},
        {"UTF-8 bytes", QUtf8StringView("\xe5\x86\x99.JpG"), false, jpeg},
        {"folder", QStringLiteral("x.jpg"), true, IconTable::FolderIndex},
        {"no suffix", QStringLiteral("README"), false, IconTable::FileIndex},
        {"trailing dot", QStringLiteral("x."), false, IconTable::FileIndex},
    };
    for (const Case& c : cases)
        EXPECT_EQ(icons.indexForName(c.text, c.directory), c.index) << c.name;
    EXPECT_EQ(icons.indexForRenamed(jpeg, QStringLiteral("/d/photo.JPEG.jpg")), jpeg);
    EXPECT_EQ(icons.indexForRenamed(IconTable::FolderIndex, QStringLiteral("/d/x.jpg")),
              IconTable::FolderIndex);
}

} // namespace
