#include "editor/KnownEditors.h"
#include "platform/EditorPlatform.h"

#include "tests/support/CaseName.h"
#include "tests/support/ScopedEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct StartCase {
    const char* name;
    const char* program;
    const char* switches; // space separated, before the file
};

class EditorStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(EditorStart, KeepsSingleInstanceEditorsAlive)
{
    const StartCase& c = GetParam();
    const QString file = QStringLiteral("/home/u/.config/quorvane/ReName.txt");
    QStringList expected = QString::fromUtf8(c.switches).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    expected.append(file);
    EXPECT_EQ(EditorStartArguments(QString::fromUtf8(c.program), file), expected);
}

const StartCase kStartCases[] = {
    {"gedit waits", "/usr/bin/gedit", "--wait"},
    {"code waits", "/usr/share/code/bin/code", "--wait"},
    {"mousepad without server", "/usr/bin/mousepad", "--disable-server"},
    {"bare name", "featherpad", "--standalone"},
    {"unknown editor", "/opt/tools/myeditor", ""},
    {"name only starting like one", "/usr/local/bin/gedit-beta", ""},
    {"windows notepad", "notepad.exe", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorStart, ::testing::ValuesIn(kStartCases), CaseName());

void MakeFile(const QString& path, bool executable)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

#ifndef Q_OS_WIN
TEST(DefaultEditorTest, TakesTheFirstKnownEditorOnPath)
{
    QTemporaryDir dir;
    MakeFile(dir.filePath(QStringLiteral("kate")), true);
    MakeFile(dir.filePath(QStringLiteral("gedit")), true);
    MakeFile(dir.filePath(QStringLiteral("mousepad")), false); // not runnable: not an editor
    QTemporaryDir empty;

    {
        const ScopedEnvironment env{{"PATH", dir.path().toLocal8Bit()}, {"VISUAL", {}}, {"EDITOR", {}}};
        EXPECT_EQ(DefaultEditor(), dir.filePath(QStringLiteral("gedit")));
    }
    const ScopedEnvironment env{{"PATH", empty.path().toLocal8Bit()}, {"VISUAL", {}}, {"EDITOR", {}}};
    EXPECT_EQ(DefaultEditor(), QString());
}

TEST(EditorDocumentTest, FilesThatCannotRunAreDocuments)
{
    QTemporaryDir dir;
    MakeFile(dir.filePath(QStringLiteral("editor")), true);
    MakeFile(dir.filePath(QStringLiteral("notes.txt")), false);
    EXPECT_FALSE(IsEditorDocument(dir.filePath(QStringLiteral("editor"))));
    EXPECT_TRUE(IsEditorDocument(dir.filePath(QStringLiteral("notes.txt"))));
    EXPECT_FALSE(IsEditorDocument(dir.filePath(QStringLiteral("missing"))));
}
#endif

} // namespace
