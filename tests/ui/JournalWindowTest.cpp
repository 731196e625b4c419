#include "core/JournalRecovery.h"
#include "tests/support/FolderAccess.h"
#include "tests/support/JournalBatches.h"
#include "tests/ui/WindowFixture.h"
#include "ui/JournalHistoryDialog.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
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
    // Clicks the button of the open question that reads `caption`.
    void answer(const char* name, const QString& caption) const
    {
        QMessageBox* question = box(name);
        ASSERT_NE(question, nullptr) << name;
        for (QAbstractButton* button : question->buttons()) {
            if (button->text() == caption)
                return QTest::mouseClick(button, Qt::LeftButton);
        }
        FAIL() << caption.toStdString();
    }
    QTreeWidget* history() const
    {
        trigger(Command::RenameHistory);
        return child<QTreeWidget>("historyList");
    }
    // Chooses the batch in the history and clicks "元に戻す".
    void putBack(int batch) const
    {
        QTreeWidget* table = child<QTreeWidget>("historyList");
        table->setCurrentItem(table->topLevelItem(batch));
        QTest::mouseClick(child<QPushButton>("putBackButton"), Qt::LeftButton);
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    // Makes the journal's folder one the program refuses to keep its plans
    // in: others may write there. Gives the folder as the question names it.
    QString spoilJournalFolder() const
    {
        const QString folder = journal.folder();
        EXPECT_TRUE(LetOthersWriteIn(folder));
        return NativePath(folder);
    }
};

// The count and state columns of one batch of the history.
QString CountAndState(QTreeWidget* table, int batch)
{
    return table->topLevelItem(batch)->text(3) + u'|' + table->topLevelItem(batch)->text(4);
}

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    for (int row = 0; row < 200; ++row)
        f.setNewName(row, QStringLiteral("写真_%1.jpg").arg(row, 3, 10, QLatin1Char('0')));
    f.click(Command::Rename);
    // The plan is on disk before the first rename; the results come when the
    // walk has ended, not when the click returns.
    ASSERT_TRUE(f.window->session().isBusy());
    EXPECT_TRUE(f.journal.scan().batches.at(0).running);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    EXPECT_EQ(f.journal.scan().batches.at(0).header.state, JournalState::Done);
    // Someone renames one file on since.
    ASSERT_TRUE(QFile::rename(f.path(QStringLiteral("写真_199.jpg")), f.path(QStringLiteral("later.jpg"))));
    {
        // A program killed after the first rename of its walk.
        const RenameList planned = ListOf(Split("x.txt|z.txt"), Split("y.txt|w.txt"), f.folder());
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
    f.restart({f.folder()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.box("journalSetAside") != nullptr; }));
    EXPECT_FALSE(f.window->session().isBusy());
    EXPECT_EQ(f.box("journalRecovery"), nullptr);
    QTest::mouseClick(f.box("journalSetAside")->button(QMessageBox::Ok), Qt::LeftButton);
    QMessageBox* question = f.box("journalRecovery");
    ASSERT_NE(question, nullptr);
    // Of the two files planned, the one renamed before the kill.
    EXPECT_TRUE(
        question->informativeText().contains(QStringLiteral("名前が変わったファイル：1 件（2 件中）")))
        << question->informativeText().toStdString();
    EXPECT_TRUE(question->informativeText().contains(f.folder()));
    f.answer("journalRecovery", QStringLiteral("そのままにする"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    f.restart();
    EXPECT_FALSE(f.box("journalRecovery") || f.box("journalSetAside")) << "asked again";

    QTreeWidget* table = f.history();
    ASSERT_EQ(table->topLevelItemCount(), 2);
    EXPECT_EQ(table->topLevelItem(0)->text(4), QStringLiteral("中断"));
    EXPECT_EQ(CountAndState(table, 1), QStringLiteral("200 件|完了"));
    f.putBack(1);
    f.answer("putBackQuestion", QStringLiteral("元に戻す")); // more than 100 files
    // Putting names back goes on in slices with its progress, like a rename.
    EXPECT_TRUE(f.window->statusText().startsWith(QStringLiteral("元に戻し中… "))) << f.window->statusText();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    QStringList expected = paths.replaceInStrings(f.folder() + QDir::separator(), QString()).mid(0, 199);
    expected << QStringLiteral("later.jpg") << QStringLiteral("y.txt") << QStringLiteral("z.txt");
    EXPECT_EQ(f.files(), expected);
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("a000.jpg"))), QByteArray("a000.jpg"));
    EXPECT_TRUE(f.window->session().lastFailureText().contains(MovedOnText()))
        << f.window->session().lastFailureText();
    EXPECT_EQ(f.window->statusText(), QStringLiteral("199 件のファイルを元に戻しました。"));
    // The file renamed on since stays to be put back.
    EXPECT_EQ(CountAndState(table, 1), QStringLiteral("200 件|一部を元に戻し済み（199 件）"));
    EXPECT_TRUE(f.child<QPushButton>("putBackButton")->isEnabled());
}

// Two renames of one photo, the second over the first; after a restart the
// older is undone first: only its other file goes back, and it stays to be
// undone once the newer one is.
TEST(JournalWindow, APartUndoneBatchKeepsTheRestForLater)
{
    JournalWindow f;
    f.start("DSC_0001.JPG|memo.txt|gone.txt");
    f.setNewName(0, QStringLiteral("DSC_0001.jpg"));
    f.setNewName(1, QStringLiteral("memo-1.txt"));
    f.setNewName(2, QStringLiteral("gone-1.txt"));
    QFile::remove(f.path(QStringLiteral("gone.txt"))); // this row fails
    f.click(Command::Rename);
    f.setNewName(0, QStringLiteral("20261207_旅行_001.jpg"));
    f.click(Command::Rename);
    f.restart();
    QTreeWidget* table = f.history();
    EXPECT_EQ(CountAndState(table, 1), QStringLiteral("2 件|完了")) << "renamed, not planned";

    // The dialog names the newer rename in the way; the user undoes the
    // chosen one alone.
    f.putBack(1);
    ASSERT_NE(f.box("putBackQuestion"), nullptr);
    EXPECT_TRUE(f.box("putBackQuestion")->informativeText().contains(QStringLiteral("1 件")));
    f.answer("putBackQuestion", QStringLiteral("選んだリネームだけ元に戻す"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    EXPECT_EQ(f.files(), QStringList({QStringLiteral("20261207_旅行_001.jpg"), QStringLiteral("memo.txt")}));
    EXPECT_EQ(f.window->statusText(), QStringLiteral("1 件のファイルを元に戻しました。"));
    f.restart();
    table = f.history();
    EXPECT_EQ(CountAndState(table, 1), QStringLiteral("2 件|一部を元に戻し済み（1 件）"));

    // Once the newer one is undone, the rest of the older one goes back.
    f.putBack(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    EXPECT_EQ(CountAndState(table, 0), QStringLiteral("1 件|元に戻し済み"));
    f.putBack(1);
    EXPECT_EQ(f.box("putBackQuestion"), nullptr) << "nothing in the way any more";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    EXPECT_EQ(f.files(), QStringList({QStringLiteral("DSC_0001.JPG"), QStringLiteral("memo.txt")}));
    EXPECT_EQ(CountAndState(table, 1), QStringLiteral("2 件|元に戻し済み"));
    EXPECT_FALSE(f.child<QPushButton>("putBackButton")->isEnabled());
}

// A walk in slices disables all but the status bar and shows its progress
// there; "中止" ends a long walk after the file at hand; the journal knows
// exactly which files it renamed, and the history puts every one back. A
// close waits for the walk's end.
TEST(JournalWindow, AStoppedLongWalkIsUndoneWhole)
{
    JournalWindow f;
    QStringList paths;
    for (int i = 0; i < 2000; ++i)
        paths.append(f.makeFile(QStringLiteral("f%1.txt").arg(i, 4, 10, QLatin1Char('0'))));
    const QStringList before = f.files();
    f.window->session().setSliceTimes(0, 0);
    f.window->show();
    f.window->startUp(paths);
    EXPECT_TRUE(f.window->session().isBusy() && !f.window->centralWidget()->isEnabled());
    EXPECT_TRUE(!f.window->menuBar()->isEnabled() && f.window->statusBar()->isEnabled());
    EXPECT_TRUE(f.window->statusText().startsWith(QStringLiteral("追加中… "))) << f.window->statusText();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    EXPECT_TRUE(f.window->centralWidget()->isEnabled() && f.window->menuBar()->isEnabled());
    for (int row = 0; row < 2000; ++row)
        f.setNewName(row, QStringLiteral("新_%1.txt").arg(row, 4, 10, QLatin1Char('0')));
    f.click(Command::Rename);
    // The progress is there at once, in a status bar that stays enabled.
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム中… 0 / 2,000"));
    auto* stop = f.child<QPushButton>("stopButton");
    ASSERT_TRUE(stop && stop->isVisibleTo(f.window.get()) && stop->isEnabled());
    const auto renamedOnDisk = [&f] { return f.files().filter(QStringLiteral("新_")).size(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return renamedOnDisk() > 200; }));
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    const int renamed = static_cast<int>(renamedOnDisk());
    ASSERT_LT(renamed, 2000);
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム処理を中止しました"));
    EXPECT_TRUE(f.window->session().lastFailureText().startsWith(QStringLiteral("途中で中止しました。")));
    const JournalSummary batch = f.journal.scan().batches.at(0);
    EXPECT_EQ(batch.header.renamedCount, renamed);
    EXPECT_TRUE(batch.header.interrupted);
    const std::optional<JournalBatch> rows = f.journal.load(batch.id, nullptr);
    ASSERT_TRUE(rows.has_value());
    for (const JournalRow& row : rows->rows)
        EXPECT_EQ(row.status == RowStatus::Renamed, QFile::exists(f.path(row.newName)))
            << row.newName.toString().toStdString();

    QTreeWidget* table = f.history();
    EXPECT_EQ(CountAndState(table, 0), QStringLiteral("%1 件|中断").arg(GroupedNumber(renamed)));
    f.putBack(0);
    f.answer("putBackQuestion", QStringLiteral("元に戻す"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->session().isBusy(); }));
    EXPECT_EQ(f.files(), before);
    EXPECT_EQ(CountAndState(table, 0), QStringLiteral("%1 件|元に戻し済み").arg(GroupedNumber(renamed)));

    f.click(Command::Rename);
    f.window->close(); // waits for the walk
    EXPECT_TRUE(f.window->isVisible());
    // The whole walk of 2,000 files: seconds where renames are slow (Wine);
    // the wait measures nothing.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.window->isVisible(); }, 60000));
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("新_1999.txt"))));
}

// A walk whose plan cannot be written waits for the user's answer, an undo
// is asked about in its own words, and once the user goes on without the
// journal later walks of this run are not asked about again.
TEST(JournalWindow, AWalkWithoutItsJournalAsksFirstAndOnce)
{
    JournalWindow f;
    f.window->startUp({f.makeFile(QStringLiteral("a.txt"))});
    f.setNewName(0, QStringLiteral("b.txt"));
    f.click(Command::Rename);
    const QString folder = f.spoilJournalFolder();
    f.click(Command::Undo);
    ASSERT_NE(f.box("journalUnwritable"), nullptr);
    EXPECT_EQ(f.box("journalUnwritable")->text(),
              QStringLiteral("リネーム履歴を保存できないため、元に戻しませんでした。"));
    EXPECT_EQ(f.window->statusText(), QStringLiteral("リネーム履歴を保存できないため、元に戻しませんでした"));
    f.answer("journalUnwritable", QStringLiteral("キャンセル"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.box("journalUnwritable") == nullptr; }));
    f.setNewName(0, QStringLiteral("c.txt"));
    f.click(Command::Rename);
    QMessageBox* question = f.box("journalUnwritable");
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(question->informativeText().contains(folder));
    EXPECT_EQ(f.window->statusText(),
              QStringLiteral("リネーム履歴を保存できないため、名前を変更しませんでした"));
    EXPECT_EQ(f.files(), QStringList{QStringLiteral("b.txt")}) << "nothing renamed before the answer";
    f.answer("journalUnwritable", QStringLiteral("履歴なしでリネーム"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !f.box("journalUnwritable") && QFile::exists(f.path(QStringLiteral("c.txt"))); }));
    f.click(Command::Undo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(f.path(QStringLiteral("b.txt"))); }));
    EXPECT_EQ(f.box("journalUnwritable"), nullptr) << "asked again";
    EXPECT_TRUE(f.window->statusText().startsWith(QStringLiteral("リネーム履歴を保存できませんでした。")));
}

} // namespace
