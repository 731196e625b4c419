#include "tests/ui/WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

QString contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

struct RenameWindow : WindowFixture {
    void setNewName(int row, const QString& name)
    {
        RenameList::EditScope scope(window->renameList());
        scope.row(row).newName = name;
    }
    void click(int index) { QTest::mouseClick(window->button(index), Qt::LeftButton); }
};

TEST(RenameWindow, RenameAndUndoThroughTheButtonsNeverOverwrite)
{
    RenameWindow f;
    const QString a = f.makeFile(QStringLiteral("a.jpg"));
    const QString b = f.makeFile(QStringLiteral("b.jpg"));
    const QString c = f.makeFile(QStringLiteral("c.jpg"));
    f.makeFile(QStringLiteral("taken.jpg"));
    f.window->startUp({a, b, c});
    f.setNewName(0, QStringLiteral("写真_001.jpg"));
    f.setNewName(1, QStringLiteral("taken.jpg")); // exists: fails, nothing overwritten
    f.setNewName(2, QStringLiteral("判別できませんでした"));
    f.click(11);

    // taken.jpg still exists, so the forecast counts that row after the message.
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム処理が完了しました　1 件はリネームできません"));
    EXPECT_TRUE(f.window->isEnabled());
    EXPECT_EQ(contentOf(f.path(QStringLiteral("写真_001.jpg"))), QStringLiteral("a.jpg"));
    EXPECT_EQ(contentOf(f.path(QStringLiteral("taken.jpg"))), QStringLiteral("taken.jpg"));
    EXPECT_EQ(contentOf(b), QStringLiteral("b.jpg"));
    EXPECT_EQ(contentOf(c), QStringLiteral("c.jpg")); // the marker is no new name
    const RenameEntry& first = f.window->renameList().at(0);
    EXPECT_EQ(first.currentName, QStringLiteral("写真_001.jpg"));
    EXPECT_EQ(first.previousName, QStringLiteral("a.jpg"));
    EXPECT_EQ(f.window->renameList().at(1).currentName, QStringLiteral("b.jpg"));
    EXPECT_TRUE(f.window->lastFailureText().contains(QStringLiteral("taken.jpg")));

    f.click(10);
    EXPECT_EQ(contentOf(a), QStringLiteral("a.jpg"));
    EXPECT_EQ(f.window->renameList().at(0).currentName, QStringLiteral("a.jpg"));
    EXPECT_EQ(f.window->renameList().at(0).previousName, QStringLiteral("写真_001.jpg"));
}

TEST(RenameWindow, SelectedOnlyPopupsTouchOneRow)
{
    RenameWindow f;
    f.window->startUp({f.makeFile(QStringLiteral("x.txt")), f.makeFile(QStringLiteral("y.txt"))});
    f.setNewName(0, QStringLiteral("X.txt"));
    f.setNewName(1, QStringLiteral("Y.txt"));
    f.window->action(QStringLiteral("mnuPopItem_8"))->trigger(); // nothing selected
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("x.txt"))));
    f.window->renameList().setSelectedRow(1);
    f.window->action(QStringLiteral("mnuPopItem_8"))->trigger();
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("Y.txt"))));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("x.txt"))));
    EXPECT_EQ(f.window->statusText(), QString()); // no status text for the single row
    f.window->action(QStringLiteral("mnuPopItem_9"))->trigger();
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("y.txt"))));
}

TEST(RenameWindow, EmptyListRenamesNothingAndSaysNothing)
{
    RenameWindow f;
    f.window->startUp({});
    f.click(11);
    f.click(10);
    EXPECT_EQ(f.window->statusText(), QString());
}

TEST(RenameWindow, ReportOfFortyFailuresFitsTheScreen)
{
    RenameWindow f;
    f.makeFile(QStringLiteral("taken.jpg"));
    QStringList paths;
    for (int i = 1; i <= 40; ++i)
        paths.append(f.makeFile(QStringLiteral("写真%1.jpg").arg(i)));
    f.window->startUp(paths);
    for (int row = 0; row < 40; ++row)
        f.setNewName(row, QStringLiteral("taken.jpg"));
    f.window->setFailureDialogsEnabled(true);
    f.window->show();
    f.click(11);

    auto* report = f.window->findChild<QDialog*>(QStringLiteral("renameReport"));
    ASSERT_NE(report, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
    const QRect available = report->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(report->frameGeometry()))
        << report->frameGeometry().height() << " px on " << available.height() << " px";
    QPushButton* ok = report->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(report->rect().contains(QRect(ok->mapTo(report, QPoint()), ok->size())));
    auto* rows = report->findChild<QTextEdit*>(QStringLiteral("renameReportRows"));
    EXPECT_TRUE(rows->toPlainText().contains(QStringLiteral("40 行目：") + paths.last()));
    EXPECT_GT(rows->verticalScrollBar()->maximum(), 0); // the rows scroll, the dialog does not grow
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(report->isVisible());
}

// With slices of no time every walk goes on in slices, so a few rows show
// what a hundred thousand do.
TEST(RenameWindow, LongWalksShowProgressRefuseCommandsAndFinishOnce)
{
    RenameWindow f;
    QStringList paths;
    for (int i = 0; i < 300; ++i)
        paths.append(f.makeFile(QStringLiteral("f%1.txt").arg(i, 3, 10, QLatin1Char('0'))));
    f.makeFile(QStringLiteral("F000.TXT")); // the one name the rename cannot take
    f.window->setWalkSliceTimes(0, 0);
    f.window->show();
    QSignalSpy finished(f.window.get(), &frmMain::listCommandFinished);

    f.window->startUp(paths);
    EXPECT_TRUE(f.window->isWalking());
    EXPECT_FALSE(f.window->isEnabled());
    EXPECT_TRUE(f.window->statusText().startsWith(QStringLiteral("追加中… "))) << f.window->statusText();
    QTRY_VERIFY(!f.window->isWalking());
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：300"));

    f.click(14); // upper case, in a thread of its own
    QTRY_VERIFY(!f.window->isWalking());
    EXPECT_EQ(f.window->renameList().at(299).newName, QStringLiteral("F299.TXT"));
    // The progress goes with its walk; the forecast follows the walk's end.
    EXPECT_EQ(f.window->statusText(), QStringLiteral("1 件はリネームできません"));

    f.click(11);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^リネーム中… \\d+ / 300$"))
                    .match(f.window->statusText())
                    .hasMatch())
        << f.window->statusText();
    f.window->pressButton(0); // refused: the list is not cleared under the walk
    f.window->close();        // waits for the walk
    EXPECT_EQ(f.window->renameList().count(), 300);
    EXPECT_TRUE(f.window->isVisible());
    QTRY_VERIFY(!f.window->isWalking());
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム処理が完了しました　1 件はリネームできません"));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("F299.TXT"))));
    EXPECT_EQ(finished.count(), 3); // intake, upper case, rename; not the refused clear
    QTRY_VERIFY(!f.window->isVisible());
}

TEST(RenameWindow, EditorRoundTripRenamesWhatTheEditorSaved)
{
    RenameWindow f;
    // A small editor: waits a second so the save is in a later second than
    // the stamp, then writes new names and stays open until it is closed.
    const QString editor = f.path(QStringLiteral("editor.sh"));
    {
        QFile script(editor);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nsleep 1.2\nprintf '\xe6\x9b\xb2_1.mp3\\r\\nsong 2 "
                     "\xf0\x9f\x8e\xb5.mp3\\r\\n' > \"$1\"\n"
                     "exec sleep 30\n");
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    f.window->startUp({f.makeFile(QStringLiteral("one.mp3")), f.makeFile(QStringLiteral("two.mp3"))});
    f.window->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(editor);
    f.window->show();
    QSignalSpy finished(f.window.get(), &frmMain::listCommandFinished);
    f.click(1);
    f.click(1); // a second press while the round trip runs does nothing
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.path(QStringLiteral("曲_1.mp3"))), 8000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.path(QStringLiteral("song 2 🎵.mp3"))), 2000);
    EXPECT_EQ(contentOf(f.path(QStringLiteral("曲_1.mp3"))), QStringLiteral("one.mp3"));
    EXPECT_TRUE(f.window->isVisible());
    EXPECT_FALSE(QFile::exists(f.path(QStringLiteral("ReName.txt")))) << "removed when the round trip ends";
    EXPECT_EQ(finished.count(), 1); // the round trip is one command, renaming included
}

} // namespace
