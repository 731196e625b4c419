#include "tests/ui/WindowFixture.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextDocument>
#include <QTextEdit>

namespace {

TEST(RenameWindow, RenameAndUndoThroughTheButtonsNeverOverwrite)
{
    WindowFixture f;
    const QStringList paths = f.start("a.jpg|b.jpg|c.jpg");
    f.makeFile(QStringLiteral("taken.jpg"));
    f.setNewName(0, QStringLiteral("写真_001.jpg"));
    f.setNewName(1, QStringLiteral("taken.jpg")); // exists: fails, nothing overwritten
    f.setNewName(2, QStringLiteral("判別できませんでした"));
    f.window->setFailureDialogsEnabled(true);
    f.click(Command::Rename);
    auto* report = f.child<QDialog>("renameReport");
    ASSERT_NE(report, nullptr);
    auto* rows = report->findChild<QTextEdit*>(QStringLiteral("renameReportRows"));
    const QStringList lines = rows->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), 3) << rows->toPlainText(); // the folder, the reason, the file
    EXPECT_EQ(lines.at(0), QStringLiteral("フォルダ「%1」").arg(f.dir.path()));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("1 件："))) << lines.at(1);
    EXPECT_EQ(lines.at(2), QStringLiteral("b.jpg → taken.jpg"));
    QTest::mouseClick(report->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_FALSE(report->isVisible());

    // taken.jpg still exists, so the forecast counts that row after the message.
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム処理が完了しました"));
    EXPECT_EQ(f.window->failingText(), QStringLiteral("1 件はリネームできません"));
    EXPECT_TRUE(f.window->isEnabled());
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("写真_001.jpg"))), QByteArray("a.jpg"));
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("taken.jpg"))), QByteArray("taken.jpg"));
    EXPECT_EQ(ReadBytes(paths[1]), QByteArray("b.jpg"));
    EXPECT_EQ(ReadBytes(paths[2]), QByteArray("c.jpg")); // the marker is no new name
    EXPECT_EQ(f.currentNames().join(u'|'), QStringLiteral("写真_001.jpg|b.jpg|c.jpg"));
    EXPECT_EQ(f.window->session().list().at(0).previousName, QStringLiteral("a.jpg"));
    EXPECT_TRUE(f.window->session().lastFailureText().contains(QStringLiteral("taken.jpg")));

    f.click(Command::Undo);
    EXPECT_EQ(ReadBytes(paths[0]), QByteArray("a.jpg"));
    EXPECT_EQ(f.window->session().list().at(0).currentName, QStringLiteral("a.jpg"));
    EXPECT_EQ(f.window->session().list().at(0).previousName, QStringLiteral("写真_001.jpg"));

    // The popup's rename and undo touch the selected row alone and say nothing.
    for (int row = 0; row < 3; ++row)
        f.setNewName(row, QStringLiteral("xyz").mid(row, 1) + QStringLiteral(".jpg"));
    f.window->session().setStatusText({});
    f.trigger(Command::RenameSelected); // nothing selected
    EXPECT_TRUE(QFile::exists(paths[2]));
    f.window->session().list().setSelectedRow(2);
    f.trigger(Command::RenameSelected);
    EXPECT_EQ(f.currentNames().join(u'|'), QStringLiteral("a.jpg|b.jpg|z.jpg"));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("z.jpg"))));
    EXPECT_EQ(f.window->statusText(), QString());
    f.trigger(Command::UndoSelected);
    EXPECT_TRUE(QFile::exists(paths[2]));
}

// A walk in slices disables the window, shows its progress in panel 1, and
// a close waits for its end.
TEST(RenameWindow, ALongWalkHoldsTheWindowUntilItEnds)
{
    WindowFixture f;
    QStringList paths;
    for (int i = 0; i < 300; ++i)
        paths.append(f.makeFile(QStringLiteral("f%1.txt").arg(i, 3, 10, QLatin1Char('0'))));
    f.window->session().setSliceTimes(0, 0);
    f.window->show();
    f.window->startUp(paths);
    // Nothing takes input but the status bar, whose progress reads as normal text.
    EXPECT_TRUE(f.window->session().isBusy() && !f.window->centralWidget()->isEnabled());
    EXPECT_TRUE(!f.window->menuBar()->isEnabled() && f.window->statusBar()->isEnabled());
    EXPECT_TRUE(f.window->statusText().startsWith(QStringLiteral("追加中… "))) << f.window->statusText();
    QTRY_VERIFY(!f.window->session().isBusy());
    EXPECT_TRUE(f.window->centralWidget()->isEnabled() && f.window->menuBar()->isEnabled());
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：300"));
    f.click(Command::UpperCase);
    QTRY_VERIFY(!f.window->session().isBusy());
    f.click(Command::Rename);
    f.window->close(); // waits for the walk
    EXPECT_TRUE(f.window->isVisible());
    QTRY_VERIFY(!f.window->isVisible());
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("F299.TXT"))));
}

} // namespace
