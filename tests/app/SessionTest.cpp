// The session without a window: commands, walks in slices, the journal's
// question and the texts of panel 1, over files in memory.
#include "app/RenameSession.h"
#include "tests/core/MemoryDisk.h"
#include "tests/support/FakeServices.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The folders of the memory disk as the preview sees them.
class MemoryRules final : public FolderRules {
public:
    explicit MemoryRules(MemoryDisk& disk)
        : m_disk(disk)
    {}
    FolderFacts factsOf(const QString& folder) override { return {true, m_disk.namesIn(folder), 0, false}; }
    PreviewProblem nameProblem(const QString&, const QString&, const QString&, int) override
    {
        return PreviewProblem::None;
    }

private:
    MemoryDisk& m_disk;
};

// A journal disk that takes nothing: every plan fails to be written.
class FullDisk final : public JournalDisk {
public:
    QString create(const QString&, const QByteArray&) override
    {
        return QStringLiteral("ディスクがいっぱいです");
    }
    QString append(const QString&, const QByteArray&, Step) override { return {}; }
    QString overwrite(const QString&, qint64, const QByteArray&, Step) override { return {}; }
    bool isHeld(const QString&) override { return false; }
    FileIdentity identityOf(const QString&) override { return {}; }
    QStringList namesIn(const QString&) override { return {}; }
    RenameOutcome removeExtraName(const QString&, const QString&) override { return {}; }
};

struct SessionFixture {
    MemoryDisk disk;
    MemoryRules rules{disk};
    FakeFolderLister lister;
    FakeIcons icons;
    FakeKeyboard keyboard;
    FakeShell shell;
    QTemporaryDir settings;
    FullDisk fullDisk;
    RenameJournal journal{settings.filePath(QStringLiteral("journal")), fullDisk};
    std::unique_ptr<RenameSession> session;

    explicit SessionFixture(bool withJournal = false)
    {
        AppServices services;
        services.lister = &lister;
        services.renamer = &disk;
        services.icons = &icons;
        services.keyboard = &keyboard;
        services.shell = &shell;
        services.folderRules = &rules;
        services.journal = withJournal ? &journal : nullptr;
        session = std::make_unique<RenameSession>(services);
    }
    // Files "/d/name" on the memory disk and as rows.
    void addFiles(const QStringList& names)
    {
        QList<RenameEntry> rows;
        for (const QString& name : names) {
            disk.entries.insert(QStringLiteral("/d/") + name, int(disk.entries.size()) + 1);
            rows.append({name, name, {}, QStringLiteral("/d"), 0});
        }
        session->list().appendAll(rows);
    }
};

// With slices of no time every walk goes on in slices, so a few rows show
// what a hundred thousand do.
TEST(Session, WalksShowProgressRefuseCommandsAndFinishOnce)
{
    SessionFixture f;
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names.append(QStringLiteral("f%1.txt").arg(i, 3, 10, QLatin1Char('0')));
    f.addFiles(names);
    f.disk.entries.insert(QStringLiteral("/d/F000.TXT"), 999); // the one name the rename cannot take
    f.session->setSliceTimes(0, 0);
    QSignalSpy finished(f.session.get(), &RenameSession::commandFinished);
    QSignalSpy usable(f.session.get(), &RenameSession::usableChanged);

    f.session->run(Command::UpperCase); // in a thread of its own
    EXPECT_EQ(usable.takeFirst().at(0), false);
    QTRY_VERIFY(!f.session->isBusy());
    EXPECT_EQ(f.session->list().at(299).newName, QStringLiteral("F299.TXT"));
    // The progress goes with its walk; the forecast follows the walk's end.
    EXPECT_EQ(f.session->statusText(), QStringLiteral("1 件はリネームできません"));
    EXPECT_EQ(f.session->nextClickHint(Command::UpperCase), QStringLiteral("先頭文字のみ大文字にします"));

    f.session->run(Command::Rename);
    EXPECT_TRUE(f.session->isBusy());
    EXPECT_TRUE(f.session->statusText().startsWith(QStringLiteral("リネーム中… ")) &&
                f.session->statusText().endsWith(QStringLiteral(" / 300")))
        << f.session->statusText().toStdString();
    f.session->run(Command::ClearList); // refused: the list is not cleared under the walk
    EXPECT_EQ(f.session->list().count(), 300);
    QTRY_VERIFY(!f.session->isBusy());
    EXPECT_EQ(f.session->statusText(),
              QStringLiteral("リネーム処理が完了しました　1 件はリネームできません"));
    EXPECT_TRUE(f.disk.entries.contains(QStringLiteral("/d/F299.TXT")));
    EXPECT_TRUE(f.session->lastFailureText().contains(QStringLiteral("f000.txt")));
    EXPECT_EQ(finished.count(), 2); // upper case, rename; not the refused clear
    EXPECT_EQ(usable.last().at(0), true);
    // Without a journal there is no history; the window's own commands are its to offer.
    EXPECT_FALSE(f.session->isAvailable(Command::RenameHistory) ||
                 f.session->isAvailable(Command::EditorRename));
    EXPECT_TRUE(f.session->isAvailable(Command::ChooseFolder));
}

// A walk whose plan cannot be written does not start; the user may go on
// without the journal, and is asked once.
TEST(Session, AWalkWithoutItsJournalAsksFirstAndOnce)
{
    SessionFixture f(true);
    f.addFiles({QStringLiteral("a.txt")});
    {
        RenameList::EditScope scope(f.session->list());
        scope.row(0).newName = QStringLiteral("b.txt");
    }
    QSignalSpy asked(f.session.get(), &RenameSession::journalUnwritable);
    f.session->run(Command::Rename);
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.at(0).at(0).value<RenameWalkKind>(), RenameWalkKind::All);
    EXPECT_TRUE(asked.at(0).at(1).toString().contains(QStringLiteral("ディスクがいっぱいです")));
    EXPECT_TRUE(f.disk.calls.isEmpty()) << "nothing renamed before the answer";
    f.session->renameWithoutJournal(RenameWalkKind::All);
    EXPECT_EQ(f.disk.calls, QStringList{QStringLiteral("a.txt>b.txt")});
    f.session->run(Command::Undo);
    EXPECT_EQ(asked.count(), 1) << "asked once";
    EXPECT_EQ(f.disk.calls.last(), QStringLiteral("b.txt>a.txt"));
    EXPECT_TRUE(f.session->statusText().startsWith(QStringLiteral("リネーム履歴を保存できませんでした：")));
}

// The header's mark claims an order only while the rows are in it: a folder
// arrives in name order, rows appended to others are in no column's order.
TEST(Session, TheSortMarkShowsOnlyWhileTheRowsAreInItsOrder)
{
    SessionFixture f;
    QTemporaryDir root;
    const QString one = root.filePath(QStringLiteral("one")), two = root.filePath(QStringLiteral("two"));
    ASSERT_TRUE(QDir().mkpath(one) && QDir().mkpath(two));
    f.lister.folders[one].entries = {{QStringLiteral("b10")}, {QStringLiteral("b9")}};
    f.lister.folders[two].entries = {{QStringLiteral("a")}};
    QSignalSpy marks(f.session.get(), &RenameSession::sortMarkChanged);
    const auto lastMark = [&] { return std::pair(marks.last().at(0).toInt(), marks.last().at(1).toBool()); };

    f.session->addPaths({one}, false);
    EXPECT_EQ(f.session->list().at(0).currentName, QStringLiteral("b9"));
    EXPECT_EQ(lastMark(), std::pair(0, true));
    f.session->addPaths({two}, false);
    EXPECT_EQ(lastMark().first, -1);
    f.session->sortBy(0); // with no mark a click sorts ascending
    EXPECT_EQ(lastMark(), std::pair(0, true));
    EXPECT_EQ(f.session->list().at(0).currentName, QStringLiteral("a"));
    f.session->sortBy(0);
    EXPECT_EQ(lastMark(), std::pair(0, false));
    f.session->openFolder(one); // a new list of one folder is in name order again
    EXPECT_EQ(lastMark(), std::pair(0, true));
    EXPECT_EQ(marks.count(), 5);
}

} // namespace
