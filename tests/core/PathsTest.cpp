#include "core/Paths.h"

#include <gtest/gtest.h>

namespace {

QString JoinWithA(const QString& folder, QChar separator)
{
    return JoinPath(folder, QStringLiteral("a.txt"), separator);
}

TEST(Paths, SplitAndJoinAtTheSeparator)
{
    struct {
        QString (*function)(const QString&, QChar);
        const char *separator, *input, *expected;
    } const cases[] = {
        {JoinWithA, "\\", "C:\\", "C:\\a.txt"},
        {JoinWithA, "/", "", "/a.txt"}, // a file in the root has an empty folder
        {JoinWithA, "/", "/home/u", "/home/u/a.txt"},
        {FolderOf, "\\", "C:\\x\\y\\z.jpg", "C:\\x\\y"},
        {FolderOf, "\\", "a.txt", ""},
        {FolderOf, "/", "/a.txt", ""},
        {FileNameOf, "\\", "C:\\x\\", ""},
        {FileNameOf, "/", "/x/a\\b", "a\\b"}, // a backslash is an ordinary character of a POSIX name
        {BaseNameOf, "\\", "C:\\x\\README", "C:\\x\\README"},
        {BaseNameOf, "\\", ".profile", ""},
        {BaseNameOf, "\\", "C:\\v1.2\\name", "C:\\v1.2\\name"},
        {BaseNameOf, "\\", "C:\\x\\photo.jpg", "photo"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.function(QString::fromUtf8(c.input), QLatin1Char(*c.separator)),
                  QString::fromUtf8(c.expected))
            << c.input;
    }
}

TEST(Paths, ExtensionsTakeTheLastDot)
{
    const char* const cases[][3] = {{"archive.tar.gz", "gz", ".gz"},
                                    {"README", "", ""},
                                    {"trailing.", "", "."},
                                    {".profile", "profile", ".profile"}};
    for (const auto& [name, extension, dotExtension] : cases) {
        EXPECT_EQ(ExtensionOf(QString::fromUtf8(name)), QString::fromUtf8(extension)) << name;
        EXPECT_EQ(DotExtensionOf(QString::fromUtf8(name)), QString::fromUtf8(dotExtension)) << name;
    }
}

} // namespace
