#include "platform/CommandLinePaths.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// An argument whose bytes are not UTF-8 keeps them, never decoded into a
// name that another file may really have ("a\uFFFD.txt").
TEST(CommandLinePaths, KeepTheBytesOfEveryArgument)
{
#ifndef Q_OS_WIN
    const char* argv[] = {"quorvane", "a\xff.txt", "写真.jpg", "/abs/b.txt"};
    const StartPaths start = CommandLinePaths(4, argv);
    EXPECT_EQ(
        start.paths,
        QStringList(
            {QDir::current().filePath(QString(QStringLiteral("a") + QChar(0xDCFF) + QStringLiteral(".txt"))),
             QDir::current().filePath(QStringLiteral("写真.jpg")), QStringLiteral("/abs/b.txt")}));
#endif
}

} // namespace
