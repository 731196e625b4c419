#include "editor/KnownEditors.h"
#include "platform/EditorPlatform.h"

#include "tests/support/QtPrinters.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Single-instance editors get the switch that keeps their process alive
// until the file is closed; the file always comes last.
TEST(EditorStart, KeepsSingleInstanceEditorsAlive)
{
    const QString file = QStringLiteral("/home/u/.config/quorvane/ReName.txt");
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/bin/gedit", "--wait"},
        {"/usr/bin/mousepad", "--disable-server"},
        {"featherpad", "--standalone"},
        {"/usr/local/bin/gedit-beta", nullptr}, // only starts like a known one
    };
    for (const auto& [program, switches] : cases)
        EXPECT_EQ(EditorStartArguments(U(program), file), Split(switches) << file) << program;
}

#ifndef Q_OS_WIN
// The first known editor on PATH that can run; a file that cannot run is a
// document, opened by its own program.
TEST(DefaultEditorTest, TakesTheFirstKnownEditorOnPathThatRuns)
{
    QTemporaryDir dir;
    for (const char* name : {"kate", "gedit"})
        WriteScript(dir.filePath(U(name)), "exit 0");
    WriteBytes(dir.filePath(QStringLiteral("mousepad")), "#!/bin/sh\n");
    const ScopedEnvironment env{{"PATH", dir.path().toLocal8Bit()}, {"VISUAL", {}}, {"EDITOR", {}}};
    EXPECT_EQ(DefaultEditor(), dir.filePath(QStringLiteral("gedit")));
    EXPECT_FALSE(IsEditorDocument(dir.filePath(QStringLiteral("gedit"))));
    EXPECT_TRUE(IsEditorDocument(dir.filePath(QStringLiteral("mousepad"))));
    EXPECT_FALSE(IsEditorDocument(dir.filePath(QStringLiteral("missing"))));
}
#endif

} // namespace
