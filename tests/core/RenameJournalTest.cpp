#include "core/RenameJournal.h"

#include "tests/support/CaseName.h"
#include "tests/support/JournalFakes.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

JournalBatch Batch(const QList<JournalRow>& rows, JournalState state = JournalState::Done)
{
    JournalBatch batch;
    batch.started = QDateTime(QDate(2025, 5, 1), QTime(10, 20, 30, 123), Qt::OffsetFromUTC, 32400);
    batch.process = 4242;
    batch.walk = WalkKind::UndoSelected;
    batch.state = state;
    batch.interrupted = true;
    batch.rows = rows;
    batch.rowCount = static_cast<int>(rows.size());
    return batch;
}

const QString kTab = QStringLiteral("a\tb");

TEST(JournalFormat, EveryNameComesBackExactly)
{
    const QList<QString> names = {
        QStringLiteral("写真 0001.jpg"),
        kTab,
        QStringLiteral("line\nbreak\r"),
        QStringLiteral("back\\slash\\x41"),
        QStringLiteral("trailing space "),
        QStringLiteral("🎵.mp3"),
        QString(QChar(0xD800)) + QStringLiteral("lone"),
        QString(QChar(0x7F)) + QChar(1),
        QStringLiteral("#hash"),
        QStringLiteral("end"),
    };
    QList<JournalRow> rows;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString folder = i < 3 ? QStringLiteral("/home/u/写真") : QStringLiteral("/tmp/tab\there");
        const RowStatus status = i % 3 == 0   ? RowStatus::Renamed
                                 : i % 3 == 1 ? RowStatus::NotRenamed
                                              : RowStatus::Planned;
        rows.append({folder, names[i], names[(i + 1) % names.size()], status});
    }
    const JournalBatch batch = Batch(rows);
    const QByteArray bytes = FormatJournal(batch);
    EXPECT_FALSE(bytes.contains("a\tb")) << "a tab in a name would split the line";

    const auto whole = ParseJournal(bytes, JournalRead::Whole);
    ASSERT_TRUE(whole.has_value());
    ASSERT_EQ(whole->rows.size(), rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(whole->rows[i].folder, rows[i].folder) << i;
        EXPECT_EQ(whole->rows[i].oldName, rows[i].oldName) << i;
        EXPECT_EQ(whole->rows[i].newName, rows[i].newName) << i;
        EXPECT_EQ(whole->rows[i].status, rows[i].status) << i;
    }
    EXPECT_EQ(whole->started, batch.started);
    EXPECT_EQ(whole->process, 4242);
    EXPECT_EQ(whole->walk, WalkKind::UndoSelected);
    EXPECT_EQ(whole->state, JournalState::Done);
    EXPECT_TRUE(whole->interrupted);
    EXPECT_EQ(whole->folderCount, 2);

    const auto header = ParseJournal(bytes, JournalRead::HeaderOnly);
    ASSERT_TRUE(header.has_value());
    EXPECT_TRUE(header->rows.isEmpty());
    EXPECT_EQ(header->rowCount, rows.size());
    EXPECT_EQ(header->firstFolder, QStringLiteral("/home/u/写真"));
}

struct BadCase {
    const char* name;
    QByteArray bytes;
    bool headerReadable; // damage a header-only read cannot see
};

QByteArray Good()
{
    return FormatJournal(
        Batch({{QStringLiteral("/d"), QStringLiteral("a"), QStringLiteral("b"), RowStatus::Renamed},
               {QStringLiteral("/d"), QStringLiteral("c"), QStringLiteral("d"), RowStatus::Renamed}}));
}

QByteArray Replaced(const char* from, const char* to)
{
    return Good().replace(from, to);
}

const BadCase kBadCases[] = {
    {"empty", "", false},
    {"garbage",
     "\x7f"
     "ELF\x02\x01 not a journal\nend\n",
     false},
    {"newer version", Replaced("quorvane-journal 1", "quorvane-journal 2"), false},
    {"cut after the header", Good().left(Good().indexOf("folder\t")), false},
    {"cut inside a row", Good().chopped(9), false},
    {"trailer missing", Good().chopped(4), false},
    {"a row lost", Replaced("+\tc\td\n", ""), true},
    {"a row too many", Replaced("end\n", "+\te\tf\nend\n"), true},
    {"broken escape", Replaced("\ta\t", "\ta\\q\t"), true},
    {"not UTF-8", Replaced("\ta\t", "\ta\xff\t"), true},
    {"unknown status", Replaced("+\ta", "*\ta"), true},
    {"state unknown", Replaced("state done", "state maybe"), false},
    {"results name a row beyond the plan", Good() + "results\nnot-renamed 3\nstate done\nend\n", false},
};

// Later changes are appended; the last complete block counts.
TEST(JournalFormat, TheLastCompleteResultsCount)
{
    JournalBatch batch =
        Batch({{QStringLiteral("/d"), QStringLiteral("a"), QStringLiteral("b"), RowStatus::Planned},
               {QStringLiteral("/d"), QStringLiteral("c"), QStringLiteral("d"), RowStatus::Planned},
               {QStringLiteral("/d"), QStringLiteral("e"), QStringLiteral("f"), RowStatus::Planned}},
              JournalState::Open);
    batch.interrupted = false;
    const QByteArray plan = FormatJournal(batch);
    batch.rows[0].status = RowStatus::Renamed;
    batch.rows[1].status = RowStatus::NotRenamed;
    batch.rows[2].status = RowStatus::NotRenamed;
    batch.state = JournalState::Done;
    const QByteArray done = FormatJournalResults(batch);
    batch.rows[0].status = RowStatus::NotRenamed;
    batch.state = JournalState::Undone;
    batch.interrupted = true;
    const QByteArray undone = FormatJournalResults(batch);
    EXPECT_TRUE(done.contains("not-renamed 2-3\n")) << done.toStdString();

    const struct {
        const char* name;
        QByteArray bytes;
        JournalState state;
        QList<RowStatus> statuses;
    } cases[] = {
        {"plan alone",
         plan,
         JournalState::Open,
         {RowStatus::Planned, RowStatus::Planned, RowStatus::Planned}},
        {"finished",
         plan + done,
         JournalState::Done,
         {RowStatus::Renamed, RowStatus::NotRenamed, RowStatus::NotRenamed}},
        {"put back later",
         plan + done + undone,
         JournalState::Undone,
         {RowStatus::NotRenamed, RowStatus::NotRenamed, RowStatus::NotRenamed}},
        {"put-back cut short",
         plan + done + undone.chopped(5),
         JournalState::Done,
         {RowStatus::Renamed, RowStatus::NotRenamed, RowStatus::NotRenamed}},
        {"finish cut short",
         plan + done.left(9),
         JournalState::Open,
         {RowStatus::Planned, RowStatus::Planned, RowStatus::Planned}},
    };
    for (const auto& c : cases) {
        const auto read = ParseJournal(c.bytes, JournalRead::Whole);
        ASSERT_TRUE(read.has_value()) << c.name;
        EXPECT_EQ(read->state, c.state) << c.name;
        QList<RowStatus> statuses;
        for (const JournalRow& row : read->rows)
            statuses.append(row.status);
        EXPECT_EQ(statuses, c.statuses) << c.name;
        EXPECT_EQ(ParseJournal(c.bytes, JournalRead::HeaderOnly)->state, c.state) << c.name;
    }
}

void PrintTo(const BadCase& c, std::ostream* out)
{
    *out << c.name;
}

class UnreadableJournal : public ::testing::TestWithParam<BadCase> {};

TEST_P(UnreadableJournal, IsNeverTrusted)
{
    const BadCase& c = GetParam();
    QString why;
    EXPECT_FALSE(ParseJournal(c.bytes, JournalRead::Whole, &why).has_value());
    EXPECT_FALSE(why.isEmpty());
    EXPECT_EQ(ParseJournal(c.bytes, JournalRead::HeaderOnly).has_value(), c.headerReadable);
}

INSTANTIATE_TEST_SUITE_P(Table, UnreadableJournal, ::testing::ValuesIn(kBadCases), CaseName());

struct Store {
    QTemporaryDir dir;
    FakeDisk disk;
    RenameJournal journal{dir.filePath(QStringLiteral("journal")), disk};
    RenameList list;

    QString begin(int rows)
    {
        list.clear();
        for (int i = 0; i < rows; ++i)
            list.append(
                {QStringLiteral("f%1").arg(i), QStringLiteral("g%1").arg(i), {}, QStringLiteral("/d"), 0});
        return journal.begin(WalkKind::RenameAll, WalkPlan(list, WalkKind::RenameAll));
    }
};

TEST(RenameJournal, PlansBeforeAndRecordsAfterTheWalk)
{
    Store s;
    const QString id = s.begin(3);
    ASSERT_FALSE(id.isEmpty());
    RenameJournal::Scan scan = s.journal.scan();
    ASSERT_EQ(scan.batches.size(), 1);
    EXPECT_TRUE(scan.batches[0].running);
    EXPECT_EQ(scan.batches[0].header.state, JournalState::Open);

    // Rows 0 and 2 were renamed; row 1 failed.
    {
        RenameList::EditScope edit(s.list);
        edit.row(0).currentName = QStringLiteral("g0");
        edit.row(2).currentName = QStringLiteral("g2");
    }
    EXPECT_TRUE(s.journal.finish(id, s.list).isEmpty());
    EXPECT_FALSE(s.journal.isRunning(id));
    const auto batch = s.journal.load(id, nullptr);
    ASSERT_TRUE(batch.has_value());
    EXPECT_EQ(batch->state, JournalState::Done);
    EXPECT_FALSE(batch->interrupted);
    QList<RowStatus> statuses;
    for (const JournalRow& row : batch->rows)
        statuses.append(row.status);
    EXPECT_EQ(statuses, (QList<RowStatus>{RowStatus::Renamed, RowStatus::NotRenamed, RowStatus::Renamed}));

    EXPECT_TRUE(s.begin(0).isEmpty()) << "a walk that tries nothing leaves no batch";
    EXPECT_EQ(s.journal.scan().batches.size(), 1);
}

TEST(RenameJournal, KeepsTheLastBatchesAndWhatStillWaits)
{
    Store s;
    const QString interrupted = s.begin(1);
    s.disk.held.clear(); // its walk died
    for (int i = 0; i < RenameJournal::kKeptBatches + 4; ++i)
        s.journal.finish(s.begin(1), s.list);
    const RenameJournal::Scan scan = s.journal.scan();
    EXPECT_EQ(scan.batches.size(), RenameJournal::kKeptBatches + 1);
    EXPECT_EQ(scan.batches.last().id, interrupted);
    EXPECT_EQ(QDir(s.journal.folder()).entryList(QDir::Files).size(), RenameJournal::kKeptBatches + 1);
}

TEST(RenameJournal, SetsAsideWhatItCannotReadAndTellsOnce)
{
    Store s;
    s.journal.finish(s.begin(1), s.list);
    const QString bad = s.journal.folder() + QStringLiteral("/20000101-000000-000-1.journal");
    WriteBytes(bad, Good().chopped(3));
    RenameJournal::Scan first = s.journal.scan();
    EXPECT_EQ(first.batches.size(), 1);
    ASSERT_EQ(first.setAside.size(), 1);
    EXPECT_FALSE(QFile::exists(bad));
    EXPECT_EQ(ReadBytes(first.setAside[0]), Good().chopped(3)) << "kept as it was, for a person to look at";
    EXPECT_TRUE(s.journal.scan().setAside.isEmpty());
}

} // namespace
