#include "core/Paths.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* name;
    QString (*function)(const QString&, QChar);
    const char* input;
    const char* expected;
};

QString joinWithA(const QString& folder, QChar sep)
{
    return JoinPath(folder, QStringLiteral("a.txt"), sep);
}

const PathCase kWindowsCases[] = {
    {"join drive root", joinWithA, "C:\\", "C:\\a.txt"},
    {"join drive without slash", joinWithA, "C:", "C:\\a.txt"},
    {"join empty folder", joinWithA, "", "\\a.txt"},
    {"join nested", joinWithA, "C:\\写真\\2024", "C:\\写真\\2024\\a.txt"},
    {"folder of root file", FolderOf, "C:\\a.txt", "C:"},
    {"folder of bare name", FolderOf, "a.txt", ""},
    {"folder when only separator is first", FolderOf, "\\a.txt", ""},
    {"folder of nested", FolderOf, "C:\\x\\y\\z.jpg", "C:\\x\\y"},
    {"file name of trailing separator", FileNameOf, "C:\\x\\", ""},
    {"file name of bare name", FileNameOf, "a.txt", "a.txt"},
    {"file name of nested", FileNameOf, "C:\\x\\曲.mp3", "曲.mp3"},
    {"base of name without dot", BaseNameOf, "README", "README"},
    {"base of path without dot keeps path", BaseNameOf, "C:\\x\\README", "C:\\x\\README"},
    {"base of dot file", BaseNameOf, ".profile", ""},
    {"base of several dots", BaseNameOf, "a.b.c", "a.b"},
    {"base of path with dotted folder", BaseNameOf, "C:\\v1.2\\name", "C:\\v1.2\\name"},
    {"base of path with dot in name", BaseNameOf, "C:\\x\\photo.jpg", "photo"},
};

class WindowsPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(WindowsPaths, GiveTheirResult)
{
    const PathCase& c = GetParam();
    EXPECT_EQ(c.function(QString::fromUtf8(c.input), QLatin1Char('\\')), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, WindowsPaths, ::testing::ValuesIn(kWindowsCases), CaseName());

TEST(PosixPaths, UseTheSlash)
{
    const QChar slash(QLatin1Char('/'));
    EXPECT_EQ(JoinPath(QStringLiteral("/"), QStringLiteral("a"), slash), QStringLiteral("/a"));
    EXPECT_EQ(JoinPath(QStringLiteral("/home/u"), QStringLiteral("a"), slash), QStringLiteral("/home/u/a"));
    EXPECT_EQ(FolderOf(QStringLiteral("/a.txt"), slash), QString());
    EXPECT_EQ(FolderOf(QStringLiteral("/home/a.txt"), slash), QStringLiteral("/home"));
    // A file in the root: the folder is empty and joining gives the path back.
    EXPECT_EQ(JoinPath(FolderOf(QStringLiteral("/a.txt"), slash), QStringLiteral("a.txt"), slash),
              QStringLiteral("/a.txt"));
    EXPECT_EQ(FileNameOf(QStringLiteral("/home/u/"), slash), QString());
    // A backslash is an ordinary character of a POSIX name.
    EXPECT_EQ(FileNameOf(QStringLiteral("/x/a\\b"), slash), QStringLiteral("a\\b"));
}

TEST(Extensions, TakeTheLastDot)
{
    struct {
        const char* name;
        const char* extension;
        const char* dotExtension;
    } const cases[] = {
        {"archive.tar.gz", "gz", ".gz"},     {"README", "", ""}, {"trailing.", "", "."},
        {".profile", "profile", ".profile"}, {"", "", ""},       {"写真.ＪＰＧ", "ＪＰＧ", ".ＪＰＧ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtensionOf(QString::fromUtf8(c.name)), QString::fromUtf8(c.extension)) << c.name;
        EXPECT_EQ(DotExtensionOf(QString::fromUtf8(c.name)), QString::fromUtf8(c.dotExtension)) << c.name;
    }
}

} // namespace
