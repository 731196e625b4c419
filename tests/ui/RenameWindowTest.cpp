#include "tests/ui/WindowFixture.h"

#include <QDialog>
#include <QDialogButtonBox>
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
    // The folder, the reason, the file; their texts are FailingRows'.
    ASSERT_EQ(lines.size(), 3) << rows->toPlainText();
    EXPECT_EQ(lines.at(2), QStringLiteral("b.jpg → taken.jpg"));
    QTest::mouseClick(report->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_FALSE(report->isVisible());

    // taken.jpg still exists, so the forecast counts that row after the
    // message; the texts of a walk's end are Session's.
    EXPECT_EQ(f.window->failingText(), QStringLiteral("1 件はリネームできません"));
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("写真_001.jpg"))), QByteArray("a.jpg"));
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("taken.jpg"))), QByteArray("taken.jpg"));
    EXPECT_EQ(ReadBytes(paths[1]), QByteArray("b.jpg"));
    EXPECT_EQ(ReadBytes(paths[2]), QByteArray("c.jpg")); // the marker is no new name
    EXPECT_EQ(f.currentNames().join(u'|'), QStringLiteral("写真_001.jpg|b.jpg|c.jpg"));

    f.click(Command::Undo);
    EXPECT_EQ(ReadBytes(paths[0]), QByteArray("a.jpg"));
    EXPECT_EQ(f.currentNames().join(u'|'), QStringLiteral("a.jpg|b.jpg|c.jpg"));

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

} // namespace
