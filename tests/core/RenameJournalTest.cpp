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
    batch.walk = WalkKind::UndoSelected;
    batch.state = state;
    batch.interrupted = true;
    batch.rows = rows;
    batch.rowCount = static_cast<int>(rows.size());
    return batch;
}

// "folder|old|new|status" for every row, to compare batches at a glance.
QStringList RowsOf(const JournalBatch& batch)
{
    QStringList rows;
    for (const JournalRow& row : batch.rows)
        rows.append(QStringList{row.folder, row.oldName, row.newName, QString::number(int(row.status))}.join(
            QLatin1Char('|')));
    return rows;
}

TEST(JournalFormat, EveryNameComesBackExactly)
{
    const QStringList names = {
        QStringLiteral("写真 0001.jpg"),
        QStringLiteral("a\tb"),
        QStringLiteral("line\nbreak\r"),
        QStringLiteral("back\\x41\\"),
        QStringLiteral("trailing "),
        QStringLiteral("🎵.mp3"),
        QChar(0xD800) + QStringLiteral("lone"),
        QString(QChar(0x7F)) + QChar(1),
        QStringLiteral("end"),
    };
    QList<JournalRow> rows;
    for (qsizetype i = 0; i < names.size(); ++i)
        rows.append({i < 3 ? QStringLiteral("/home/u/写真") : QStringLiteral("/tmp/tab\there"), names[i],
                     names[(i + 1) % names.size()], static_cast<RowStatus>(i % 3)});
    const JournalBatch batch = Batch(rows);
    const QByteArray bytes = FormatJournal(batch);
    EXPECT_FALSE(bytes.contains("a\tb")) << "a tab in a name would split the line";

    const auto whole = ParseJournal(bytes, JournalRead::Whole);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(RowsOf(*whole), RowsOf(batch));
    EXPECT_EQ(whole->started, batch.started);
    EXPECT_EQ(whole->walk, WalkKind::UndoSelected);
    EXPECT_TRUE(whole->interrupted);
    const auto header = ParseJournal(bytes, JournalRead::HeaderOnly);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->rowCount, rows.size());
    EXPECT_EQ(header->folderCount, 2);
    EXPECT_EQ(header->firstFolder, QStringLiteral("/home/u/写真"));
}

// "+-?" for renamed, not renamed, planned.
QList<RowStatus> Statuses(const char* marks)
{
    QList<RowStatus> statuses;
    for (const char* mark = marks; *mark; ++mark)
        statuses.append(*mark == '+'   ? RowStatus::Renamed
                        : *mark == '-' ? RowStatus::NotRenamed
                                       : RowStatus::Planned);
    return statuses;
}

// Later changes are appended; the last complete block counts.
TEST(JournalFormat, TheLastCompleteResultsCount)
{
    JournalBatch batch = Batch({}, JournalState::Open);
    for (const char* name : {"a", "b", "c", "d"})
        batch.rows.append(
            {QStringLiteral("/d"), QString::fromLatin1(name), QString::fromLatin1(name) + u'2'});
    batch.rowCount = 4;
    const QByteArray plan = FormatJournal(batch);
    const auto results = [&](JournalState state, const char* marks) {
        for (qsizetype i = 0; i < batch.rows.size(); ++i)
            batch.rows[i].status = Statuses(marks)[i];
        batch.state = state;
        return FormatJournalResults(batch);
    };
    const QByteArray done = results(JournalState::Done, "+-+-");
    const QByteArray undone = results(JournalState::Undone, "----");
    EXPECT_TRUE(done.contains("not-renamed 2 4\n")) << done.toStdString();

    const struct {
        const char* name;
        QByteArray bytes;
        JournalState state;
        const char* statuses;
    } cases[] = {
        {"plan alone", plan, JournalState::Open, "????"},
        {"finished", plan + done, JournalState::Done, "+-+-"},
        {"put back later", plan + done + undone, JournalState::Undone, "----"},
        {"put-back cut short", plan + done + undone.chopped(5), JournalState::Done, "+-+-"},
        {"finish cut short", plan + done.left(9), JournalState::Open, "????"},
    };
    for (const auto& c : cases) {
        const auto read = ParseJournal(c.bytes, JournalRead::Whole);
        ASSERT_TRUE(read.has_value()) << c.name;
        EXPECT_EQ(read->state, c.state) << c.name;
        QList<RowStatus> statuses;
        for (const JournalRow& row : read->rows)
            statuses.append(row.status);
        EXPECT_EQ(statuses, Statuses(c.statuses)) << c.name;
        EXPECT_EQ(ParseJournal(c.bytes, JournalRead::HeaderOnly)->state, c.state) << c.name;
    }
}

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

struct BadCase {
    const char* name;
    QByteArray bytes;
    bool headerReadable; // damage a read of the header alone cannot see
};

const BadCase kBadCases[] = {
    {"empty", "", false},
    {"garbage",
     "\x7f"
     "ELF\x02\x01 not a journal\nend\n",
     false},
    {"newer version", Replaced("quorvane-journal 1", "quorvane-journal 2"), false},
    {"cut after the header", Good().left(Good().indexOf("folder\t")), false},
    {"cut inside a row", Good().chopped(9), false},
    {"row count not a number", Replaced("rows 2", "rows two"), false},
    {"state unknown", Replaced("state done", "state maybe"), false},
    {"a row lost", Replaced("+\tc\td\n", ""), true},
    {"a row too many", Replaced("end\n", "+\te\tf\nend\n"), true},
    {"broken escape", Replaced("\ta\t", "\ta\\q\t"), true},
    {"backslash at the end of a name", Replaced("\ta\t", "\ta\\\t"), true},
    {"not UTF-8", Replaced("\ta\t", "\ta\xff\t"), true},
    {"unknown status", Replaced("+\ta", "*\ta"), true},
    {"results name a row beyond the plan", Good() + "results\nnot-renamed 3\nstate done\nend\n", false},
};

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
    EXPECT_EQ(RowsOf(*batch), (QStringList{QStringLiteral("/d|f0|g0|1"), QStringLiteral("/d|f1|g1|2"),
                                           QStringLiteral("/d|f2|g2|1")}));
    EXPECT_TRUE(s.begin(0).isEmpty()) << "a walk that tries nothing leaves no batch";
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

    // A file that cannot be read is set aside, told about once, kept as it was.
    const QString bad = s.journal.folder() + QStringLiteral("/20000101-000000-000-1.journal");
    WriteBytes(bad, Good().chopped(3));
    const RenameJournal::Scan first = s.journal.scan();
    ASSERT_EQ(first.setAside.size(), 1);
    EXPECT_FALSE(QFile::exists(bad));
    EXPECT_EQ(ReadBytes(first.setAside[0]), Good().chopped(3));
    EXPECT_TRUE(s.journal.scan().setAside.isEmpty());
}

} // namespace
