#include "platform/CommandLinePaths.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// An argument whose bytes are not UTF-8 keeps them, never decoded into a
// name that another file may really have ("a\uFFFD.txt"); only a clean
// ASCII one is read as its bytes.
TEST(CommandLinePaths, KeepTheBytesOfEveryArgument)
{
#ifndef Q_OS_WIN
    const char* argv[] = {"quorvane", "a\xff.txt", "/写真.jpg", "/abs/b.txt", "/abs/./c"};
    const StartPaths start = CommandLinePaths(5, argv);
    EXPECT_EQ(
        start.paths.toStringList(),
        QStringList(
            {QDir::current().filePath(QString(QStringLiteral("a") + QChar(0xDCFF) + QStringLiteral(".txt"))),
             QStringLiteral("/写真.jpg"), QStringLiteral("/abs/b.txt"), QStringLiteral("/abs/c")}));
#endif
}

// A path given clean is kept; any other is cleaned against the folder the
// program started in.
TEST(CommandLinePaths, CleanEachPathAgainstTheCurrentFolder)
{
#ifndef Q_OS_WIN
    const struct {
        const char* given;
        const char* clean;
    } cases[] = {
        {"/a/b.txt", "/a/b.txt"},
        {"/", "/"},
        {"/a//b", "/a/b"},
        {"/a/./b", "/a/b"},
        {"/a/../b", "/b"},
        {"/a/b/", "/a/b"},
        {"/a/.", "/a"},
        {"/a/..", "/"},
        {"/a/.hidden", "/a/.hidden"},
        {"/a/..b", "/a/..b"},
        {"b.txt", "/cwd/b.txt"},
        {"./b", "/cwd/b"},
        {".", "/cwd"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CleanCommandLinePaths({QString::fromUtf8(c.given)}, QStringLiteral("/cwd")),
                  QStringList{QString::fromUtf8(c.clean)})
            << c.given;
    }
#endif
}

} // namespace
