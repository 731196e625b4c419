#include <QtGlobal>
#ifndef Q_OS_WIN

#include "platform/EditorPlatform.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An editor named by its full path is taken only when it is a file that runs.
TEST(DefaultEditor, TakesAFullPathOnlyWhenItIsAProgram)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath(QStringLiteral("gedit")), "");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("kate")));
    const struct {
        const char* name;
        QFile::Permissions added;
        bool taken;
    } cases[] = {{"gedit", {}, false}, {"kate", {}, false}, {"gedit", QFile::ExeOwner, true}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | c.added));
        const ScopedEnvironment env{{"PATH", dir.filePath(QStringLiteral("none")).toLocal8Bit()},
                                    {"VISUAL", path.toLocal8Bit()},
                                    {"EDITOR", {}}};
        EXPECT_EQ(DefaultEditor(), c.taken ? path : QString()) << c.name;
    }
}

} // namespace

#endif
