#include "editor/EditorRoundTrip.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/WindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// Two windows with the editor option's round trip running at the same time:
// each must rename only its own files, through an exchange file of its own.
TEST(EditorWindows, TwoWindowsEachRenameOnlyTheirOwnFiles)
{
    WindowFixture f;
    // An editor that waits until both windows have written their files, then
    // puts "new_" before every line and stays open until it is closed.
    const QString editor = f.path(QStringLiteral("editor.sh"));
    WriteBytes(editor, "#!/bin/sh\nsleep 1\nsed -i 's/^/new_/' \"$1\"\nexec sleep 30\n");
    QFile::setPermissions(editor, QFile::permissions(editor) | QFileDevice::ExeOwner);
    QProcessEditorLauncher secondLauncher{f.shell, QString()};
    std::unique_ptr<frmMain> second = f.makeWindow(&secondLauncher);
    frmMain* windows[] = {f.window.get(), second.get()};
    const QStringList files[] = {
        {f.makeFile(QStringLiteral("a/a1.txt")), f.makeFile(QStringLiteral("a/a2.txt"))},
        {f.makeFile(QStringLiteral("b/b1.txt"))}};
    for (int i = 0; i < 2; ++i) {
        windows[i]->startUp(files[i]);
        windows[i]->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(editor);
        windows[i]->show();
        QTest::mouseClick(windows[i]->button(1), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return windows[i]->editorRoundTrip()->state() == EditorRoundTrip::State::Waiting; }, 5000));
    }
    EXPECT_EQ(windows[0]->editorRoundTrip()->exchangeFilePath(), f.path(QStringLiteral("ReName.txt")));
    EXPECT_EQ(windows[1]->editorRoundTrip()->exchangeFilePath(), f.path(QStringLiteral("ReName-2.txt")));

    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !windows[0]->editorRoundTrip()->isRunning() && !windows[1]->editorRoundTrip()->isRunning();
        },
        10000));
    EXPECT_EQ(FilesIn(f.path(QStringLiteral("a"))),
              (QStringList{QStringLiteral("new_a1.txt"), QStringLiteral("new_a2.txt")}));
    EXPECT_EQ(FilesIn(f.path(QStringLiteral("b"))), QStringList{QStringLiteral("new_b1.txt")});
    // Both exchange files are gone with their round trips.
    EXPECT_EQ(QDir(f.dir.path()).entryList({QStringLiteral("ReName*")}, QDir::Files | QDir::Hidden),
              QStringList{});
}

} // namespace
