#include "core/JournalRecovery.h"
#include "tests/support/JournalBatches.h"
#include "tests/ui/WindowFixture.h"
#include "ui/JournalHistoryDialog.h"

#include <QMessageBox>
#include <QTreeWidget>

namespace {

struct JournalWindow : WindowFixture {
    // Start-up as after a restart: a new window over the same settings; the
    // questions come once the window is there and has taken in its files.
    void restart(const QStringList& arguments = {})
    {
        window = makeWindow();
        window->session().setSliceTimes(0, 0);
        window->startUp(arguments);
        window->show();
        QCoreApplication::processEvents();
    }
    QMessageBox* box(const char* name) const { return child<QMessageBox>(name); }
};

// A rename through the button, a batch a kill cut short and a journal that
// cannot be read; after a restart the user is told, asked, and undoes the
// rename from the history.
TEST(JournalWindow, AskAfterACrashAndUndoFromTheHistoryAfterARestart)
{
    JournalWindow f;
    QStringList paths;
    for (int i = 0; i < 200; ++i)
        paths.append(f.makeFile(QStringLiteral("a%1.jpg").arg(i, 3, 10, QLatin1Char('0'))));
    f.window->session().setSliceTimes(0, 0); // the walk goes on in slices
    f.window->startUp(paths);
    QTRY_VERIFY(!f.window->session().isBusy());
    for (int row = 0; row < 200; ++row)
        f.setNewName(row, QStringLiteral("写真_%1.jpg").arg(row, 3, 10, QLatin1Char('0')));
    f.click(Command::Rename);
    // The plan is on disk before the first rename; the results come when the
    // walk has ended, not when the click returns.
    ASSERT_TRUE(f.window->session().isBusy());
    EXPECT_TRUE(f.journal.scan().batches.at(0).running);
    QTRY_VERIFY(!f.window->session().isBusy());
    EXPECT_EQ(f.journal.scan().batches.at(0).header.state, JournalState::Done);
    // Someone renames one file on since.
    ASSERT_TRUE(QFile::rename(f.path(QStringLiteral("写真_199.jpg")), f.path(QStringLiteral("later.jpg"))));
    {
        // A program killed after the first rename of its walk.
        RenameList planned;
        planned.append({QStringLiteral("x.txt"), QStringLiteral("y.txt"), {}, f.dir.path(), 0});
        planned.append({QStringLiteral("z.txt"), QStringLiteral("w.txt"), {}, f.dir.path(), 0});
        const auto disk = MakeSystemJournalDisk();
        RenameJournal crashed(f.journal.folder(), *disk);
        f.makeFile(QStringLiteral("x.txt"));
        f.makeFile(QStringLiteral("z.txt"));
        ASSERT_FALSE(BeginBatch(crashed, planned).isEmpty());
        ASSERT_TRUE(QFile::rename(f.path(QStringLiteral("x.txt")), f.path(QStringLiteral("y.txt"))));
    }
    WriteBytes(f.journal.folder() + QStringLiteral("/19990101-000000-000-1.journal"), "garbage");

    // First the journal that cannot be read, then the question; keeping
    // leaves the names and is not asked again.
    f.restart({f.dir.path()});
    QTRY_VERIFY(f.box("journalSetAside") != nullptr);
    EXPECT_FALSE(f.window->session().isBusy());
    EXPECT_EQ(f.box("journalRecovery"), nullptr);
    QTest::mouseClick(f.box("journalSetAside")->button(QMessageBox::Ok), Qt::LeftButton);
    QMessageBox* question = f.box("journalRecovery");
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(question->informativeText().contains(QStringLiteral("ファイル数：2 件")));
    EXPECT_TRUE(question->informativeText().contains(f.dir.path()));
    for (QAbstractButton* button : question->buttons()) {
        if (button->text() == QStringLiteral("そのままにする"))
            QTest::mouseClick(button, Qt::LeftButton);
    }
    QTRY_VERIFY(!f.window->session().isBusy());
    f.restart();
    EXPECT_FALSE(f.box("journalRecovery") || f.box("journalSetAside")) << "asked again";

    f.trigger(Command::RenameHistory);
    auto* table = f.child<QTreeWidget>("historyList");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->topLevelItemCount(), 2);
    EXPECT_EQ(table->topLevelItem(0)->text(4), QStringLiteral("中断"));
    EXPECT_EQ(table->topLevelItem(1)->text(4), QStringLiteral("完了"));
    table->setCurrentItem(table->topLevelItem(1));
    auto* putBack = f.child<QPushButton>("putBackButton");
    QTest::mouseClick(putBack, Qt::LeftButton);
    // Putting names back goes on in slices with its progress, like a rename.
    EXPECT_TRUE(f.window->statusText().startsWith(QStringLiteral("元に戻し中… "))) << f.window->statusText();
    QTRY_VERIFY(!f.window->session().isBusy());
    QStringList expected = paths.replaceInStrings(f.dir.path() + u'/', QString()).mid(0, 199);
    expected << QStringLiteral("later.jpg") << QStringLiteral("y.txt") << QStringLiteral("z.txt");
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("a000.jpg"))), QByteArray("a000.jpg"));
    EXPECT_TRUE(f.window->session().lastFailureText().contains(MovedOnText()))
        << f.window->session().lastFailureText();
    EXPECT_EQ(f.window->statusText(), QStringLiteral("199 件の名前を元に戻しました"));
    EXPECT_EQ(table->topLevelItem(1)->text(4), QStringLiteral("元に戻しました"));
    EXPECT_FALSE(putBack->isEnabled());
}

// A walk whose plan cannot be written waits for the user's answer.
TEST(JournalWindow, AWalkWithoutItsJournalAsksFirst)
{
    JournalWindow f;
    f.window->startUp({f.makeFile(QStringLiteral("a.txt"))});
    f.setNewName(0, QStringLiteral("b.txt"));
    const QString folder = f.journal.folder();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::permissions(folder) | QFileDevice::WriteOther));
    f.click(Command::Rename);
    QMessageBox* question = f.box("journalUnwritable");
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(question->informativeText().contains(folder));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("a.txt")))) << "nothing renamed before the answer";
    QTest::mouseClick(question->buttons().at(0), Qt::LeftButton);
    QTRY_VERIFY(QFile::exists(f.path(QStringLiteral("b.txt"))));
}

} // namespace
