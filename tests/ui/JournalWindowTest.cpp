#include "core/JournalRecovery.h"
#include "tests/support/CaseName.h"
#include "tests/support/TestFiles.h"
#include "tests/ui/WindowFixture.h"
#include "ui/JournalHistoryDialog.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct JournalWindow : WindowFixture {
    void setNewName(int row, const QString& name)
    {
        RenameList::EditScope scope(window->renameList());
        scope.row(row).newName = name;
    }
    QStringList filesOnDisk() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // Start-up as after a restart: a new window over the same settings.
    void restart()
    {
        window = makeWindow();
        window->startUp({});
        window->show();
    }
    QMessageBox* box(const char* name) const
    {
        return window->findChild<QMessageBox*>(QString::fromLatin1(name));
    }
    static void press(QMessageBox* box, const QString& caption)
    {
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == caption)
                QTest::mouseClick(button, Qt::LeftButton);
        }
    }
};

TEST(JournalWindow, HistoryPutsABatchBackAfterARestart)
{
    JournalWindow f;
    f.window->startUp({f.makeFile(QStringLiteral("a.jpg")), f.makeFile(QStringLiteral("b.jpg")),
                       f.makeFile(QStringLiteral("c.jpg"))});
    f.setNewName(0, QStringLiteral("写真_1.jpg"));
    f.setNewName(1, QStringLiteral("写真_2.jpg"));
    f.setNewName(2, QStringLiteral("写真_3.jpg"));
    QTest::mouseClick(f.window->button(11), Qt::LeftButton);
    ASSERT_TRUE(QFile::exists(f.path(QStringLiteral("写真_3.jpg"))));
    // Someone renames one file on since.
    ASSERT_TRUE(QFile::rename(f.path(QStringLiteral("写真_3.jpg")), f.path(QStringLiteral("later.jpg"))));

    f.restart();
    f.window->action(QStringLiteral("mnuFileItem_2"))->trigger();
    auto* history = f.window->findChild<JournalHistoryDialog*>(QStringLiteral("frmHistory"));
    ASSERT_NE(history, nullptr);
    ASSERT_TRUE(history->isVisible());
    auto* table = history->findChild<QTreeWidget*>(QStringLiteral("lstHistory"));
    ASSERT_EQ(table->topLevelItemCount(), 1);
    EXPECT_EQ(table->topLevelItem(0)->text(2), f.dir.path());
    EXPECT_EQ(table->topLevelItem(0)->text(3), QStringLiteral("3 件"));
    EXPECT_EQ(table->topLevelItem(0)->text(4), QStringLiteral("完了"));

    auto* putBack = history->findChild<QPushButton*>(QStringLiteral("cmdPutBack"));
    QTest::mouseClick(putBack, Qt::LeftButton);
    EXPECT_EQ(f.filesOnDisk(),
              (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("later.jpg")}));
    EXPECT_EQ(ReadBytes(f.path(QStringLiteral("a.jpg"))), QByteArray("a.jpg"));
    EXPECT_TRUE(f.window->lastFailureText().contains(MovedOnText())) << f.window->lastFailureText();
    EXPECT_EQ(f.window->statusText(), QStringLiteral("2 件の名前を元に戻しました"));
    EXPECT_EQ(table->topLevelItem(0)->text(4), QStringLiteral("元に戻しました"));
    EXPECT_FALSE(putBack->isEnabled());
}

struct AnswerCase {
    const char* name;
    const char* button;
    QStringList files;
    const char* stateInHistory;
};

const AnswerCase kAnswers[] = {
    {"put back", "元に戻す", {QStringLiteral("a.txt"), QStringLiteral("b.txt")}, "元に戻しました"},
    {"keep", "そのままにする", {QStringLiteral("b.txt"), QStringLiteral("x.txt")}, "中断"},
};

void PrintTo(const AnswerCase& c, std::ostream* out)
{
    *out << c.name;
}

class Recovery : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(Recovery, AnswerFinishesTheInterruptedBatch)
{
    const AnswerCase& c = GetParam();
    JournalWindow f;
    RenameList planned;
    planned.append({QStringLiteral("a.txt"), QStringLiteral("x.txt"), {}, f.dir.path(), 0});
    planned.append({QStringLiteral("b.txt"), QStringLiteral("y.txt"), {}, f.dir.path(), 0});
    f.makeFile(QStringLiteral("a.txt"));
    f.makeFile(QStringLiteral("b.txt"));
    {
        // A program killed after the first rename of its walk.
        const auto disk = MakeSystemJournalDisk();
        RenameJournal crashed(f.journal.folder(), *disk);
        ASSERT_FALSE(crashed.begin(WalkKind::RenameAll, WalkPlan(planned, WalkKind::RenameAll)).isEmpty());
        ASSERT_TRUE(QFile::rename(f.path(QStringLiteral("a.txt")), f.path(QStringLiteral("x.txt"))));
    }
    WriteBytes(f.journal.folder() + QStringLiteral("/19990101-000000-000-1.journal"), "garbage");

    f.restart();
    // First the journal that cannot be read, then the question.
    QTRY_VERIFY(f.box("journalSetAside") != nullptr);
    EXPECT_EQ(f.box("journalRecovery"), nullptr);
    QTest::mouseClick(f.box("journalSetAside")->button(QMessageBox::Ok), Qt::LeftButton);
    QTRY_VERIFY(f.box("journalRecovery") != nullptr);
    QMessageBox* question = f.box("journalRecovery");
    EXPECT_TRUE(question->informativeText().contains(QStringLiteral("ファイル数：2 件")));
    EXPECT_TRUE(question->informativeText().contains(f.dir.path()));
    f.press(question, QString::fromUtf8(c.button));
    EXPECT_EQ(f.filesOnDisk(), c.files);

    // Answered once: the next start asks nothing, the history shows the batch.
    f.restart();
    QTest::qWait(50);
    EXPECT_EQ(f.box("journalRecovery"), nullptr);
    EXPECT_EQ(f.box("journalSetAside"), nullptr);
    f.window->action(QStringLiteral("mnuFileItem_2"))->trigger();
    auto* table = f.window->findChild<QTreeWidget*>(QStringLiteral("lstHistory"));
    ASSERT_EQ(table->topLevelItemCount(), 1);
    EXPECT_EQ(table->topLevelItem(0)->text(4), QString::fromUtf8(c.stateInHistory));
}

INSTANTIATE_TEST_SUITE_P(Table, Recovery, ::testing::ValuesIn(kAnswers), CaseName());

} // namespace
