#include "editor/EditorRoundTrip.h"
#include "tests/ui/WindowFixture.h"

namespace {

// Two windows with the editor option's round trip running at the same time:
// each must rename only its own files, through an exchange file of its own,
// as one command, and come back when it is done.
TEST(EditorWindows, TwoWindowsEachRenameOnlyTheirOwnFiles)
{
    WindowFixture f;
#ifdef Q_OS_WIN
    // An editor that waits until both windows have written their files, then
    // saves the names prepared for its file and stays open a while (a
    // console program has no window to be asked to close).
    WriteBytes(f.path(QStringLiteral("saved-ReName.txt")), "new_a1.txt\r\nnew_a2.txt\r\n");
    WriteBytes(f.path(QStringLiteral("saved-ReName-2.txt")), "new_b1.txt\r\n");
    const QString editor = WriteBatchFile(f.path(QStringLiteral("editor.cmd")),
                                          "ping -n 2 127.0.0.1 >nul\ntype \"%~dp1saved-%~nx1\" > \"%~1\"\n"
                                          "ping -n 6 127.0.0.1 >nul");
#else
    // An editor that waits until both windows have written their files, then
    // puts "new_" before every line and stays open until it is closed.
    const QString editor =
        WriteScript(f.path(QStringLiteral("editor.sh")), "sleep 1\nsed -i 's/^/new_/' \"$1\"\nexec sleep 30");
#endif
    QProcessEditorLauncher secondLauncher{f.shell, QString()};
    std::unique_ptr<MainWindow> second = f.makeWindow(&secondLauncher);
    MainWindow* windows[] = {f.window.get(), second.get()};
    const QStringList files[] = {
        {f.makeFile(QStringLiteral("a/a1.txt")), f.makeFile(QStringLiteral("a/a2.txt"))},
        {f.makeFile(QStringLiteral("b/b1.txt"))}};
    for (int i = 0; i < 2; ++i) {
        windows[i]->startUp(files[i]);
        windows[i]->findChild<QLineEdit*>(QStringLiteral("editorPathBox"))->setText(editor);
        windows[i]->show();
    }
    QSignalSpy finished(&f.window->session(), &RenameSession::commandFinished);
    for (MainWindow* window : windows) {
        QTest::mouseClick(window->button(Command::EditorRename), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return window->session().editorRoundTrip()->state() == EditorRoundTrip::State::Waiting; },
            5000));
    }
    f.window->pressButton(Command::EditorRename); // a second press while it runs does nothing
    EXPECT_EQ(windows[0]->session().editorRoundTrip()->exchangeFilePath(),
              f.path(QStringLiteral("ReName.txt")));
    EXPECT_EQ(windows[1]->session().editorRoundTrip()->exchangeFilePath(),
              f.path(QStringLiteral("ReName-2.txt")));

    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !windows[0]->session().editorRoundTrip()->isRunning() &&
                   !windows[1]->session().editorRoundTrip()->isRunning();
        },
        10000));
    EXPECT_EQ(QDir(f.path(QStringLiteral("a"))).entryList(QDir::Files),
              (QStringList{QStringLiteral("new_a1.txt"), QStringLiteral("new_a2.txt")}));
    EXPECT_EQ(QDir(f.path(QStringLiteral("b"))).entryList(QDir::Files),
              QStringList{QStringLiteral("new_b1.txt")});
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("a/new_a1.txt"))), QByteArray("a/a1.txt"));
    EXPECT_TRUE(windows[0]->isVisible());
    EXPECT_EQ(finished.count(), 1); // the round trip is one command, renaming included
    // Both exchange files are gone with their round trips.
    EXPECT_EQ(QDir(f.dir.path()).entryList({QStringLiteral("ReName*")}, QDir::Files | QDir::Hidden),
              QStringList{});
}

} // namespace
