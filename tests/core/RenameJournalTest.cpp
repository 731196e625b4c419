#include "core/RenameJournalFormat.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// "+-?<" for renamed, not renamed, planned, put back: the statuses at a glance.
QByteArray Marks(const JournalBatch& batch)
{
    QByteArray marks;
    for (const JournalRow& row : batch.rows)
        marks += "?+-<"[int(row.status)];
    return marks;
}

TEST(JournalFormat, EveryNameComesBackExactly)
{
    const QStringList names = {
        QStringLiteral("写真 0001.jpg"), QStringLiteral("a\tb"),  QStringLiteral("line\nbreak\r"),
        QStringLiteral("back\\x41\\"),   QStringLiteral("🎵.mp3"), QChar(0xD800) + QStringLiteral("lone"),
        QString(QChar(0x7F)) + QChar(1), QStringLiteral("end "),
    };
    QList<JournalRow> rows;
    for (qsizetype i = 0; i < names.size(); ++i)
        rows.append(
            {i < 3 ? QStringLiteral("/home/u/写真") : QStringLiteral("/tmp/tab\there"), names[i],
             names[(i + 1) % names.size()], static_cast<RowStatus>(i % 3),
             i % 2 ? FileIdentity{0x803, quint64(i) << 40, 0100000, 1700000000123456789} : FileIdentity{}});
    JournalBatch batch;
    batch.started = QDateTime(QDate(2025, 5, 1), QTime(10, 20, 30, 123), Qt::OffsetFromUTC, 32400);
    batch.walk = RenameWalkKind::UndoSelected;
    batch.state = JournalState::Done;
    batch.interrupted = true;
    batch.throughEditor = true;
    batch.rows = rows;
    const QByteArray bytes = FormatJournal(batch);
    EXPECT_FALSE(bytes.contains("a\tb")) << "a tab in a name would split the line";
    // Made in two pieces split anywhere, the text is the same.
    for (qsizetype split = 0; split <= rows.size(); ++split)
        EXPECT_EQ(
            FormatJournalHeader(batch, rows.size(), 2) + FormatJournalRows(rows.first(split), nullptr) +
                FormatJournalRows(rows.sliced(split), split == 0 ? nullptr : &rows.at(split - 1).folder) +
                JournalEndLine.toByteArray(),
            bytes);

    // Written again from what was read, every field comes out the same.
    const auto whole = ParseJournal(bytes, JournalRead::Whole);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(FormatJournal(*whole), bytes);
    const auto header = ParseJournal(bytes, JournalRead::HeaderOnly);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(
        QStringLiteral("%1 %2 %3").arg(header->rowCount).arg(header->folderCount).arg(header->firstFolder),
        QStringLiteral("%1 2 /home/u/写真").arg(rows.size()));
}

// Later changes are appended and the last complete block counts; anything
// that is not a complete journal of this version is never trusted, and some
// damage only a read of the rows can see.
TEST(JournalFormat, TheLastCompleteBlockCountsAndNothingBrokenIsTrusted)
{
    JournalBatch batch;
    batch.started = QDateTime::currentDateTime();
    for (const char* name : {"a", "b", "c", "d"})
        batch.rows.append(
            {QStringLiteral("/d"), QString::fromLatin1(name), QString::fromLatin1(name) + u'2', {}, {}});
    const QByteArray plan = FormatJournal(batch);
    const auto results = [&](JournalState state, const char* marks) {
        for (qsizetype i = 0; i < batch.rows.size(); ++i)
            batch.rows[i].status = marks[i] == '+'   ? RowStatus::Renamed
                                   : marks[i] == '<' ? RowStatus::PutBack
                                                     : RowStatus::NotRenamed;
        batch.state = state;
        return FormatJournalResults(batch);
    };
    const QByteArray done = results(JournalState::Done, "+-+-");
    const QByteArray undone = results(JournalState::Undone, "----"); // before put-back rows were kept
    const QByteArray partly = results(JournalState::PartlyUndone, "<-+-");
    const QByteArray allBack = results(JournalState::Undone, "<-<-");
    batch.statusesLost = true;
    const QByteArray lost = results(JournalState::Done, "++++");
    // The results written into the room the plan left, whole or torn.
    const auto inRoom = [&](const QByteArray& block) -> QByteArray {
        return plan + block + JournalResultsRoom(4096).sliced(block.size());
    };
    const auto replaced = [&](const char* from, const char* to) {
        return QByteArray(plan).replace(from, to);
    };
    const struct {
        const char* name;
        QByteArray bytes;
        const char* marks; // nullptr: unreadable
        JournalState state = JournalState::Open;
        bool headerReadable = true;
    } cases[] = {
        // clang-format off
        {"plan alone", plan, "????"},
        {"finished", plan + done, "+-+-", JournalState::Done},
        {"put back later", plan + done + undone, "----", JournalState::Undone},
        {"put-back cut short", plan + done + undone.chopped(5), "+-+-", JournalState::Done},
        {"partly put back", plan + done + partly, "<-+-", JournalState::PartlyUndone},
        {"the rest put back", plan + done + partly + allBack, "<-<-", JournalState::Undone},
        {"a row put back that was not renamed", plan + "results\nnot-renamed 1\nput-back 1\nstate done\nend\n", nullptr, JournalState::PartlyUndone},
        {"finish cut short", plan + done.left(9), "????"},
        {"garbage", "\x7f" "ELF\x02\x01 not a journal\nend\n", nullptr, {}, false},
        {"newer version", replaced("quorvane-journal 2", "quorvane-journal 3"), nullptr, {}, false},
        {"version 1, rows without files", replaced("quorvane-journal 2", "quorvane-journal 1").replace("\t-\n", "\n"), "????"},
        {"version 2 row without its file", replaced("\ta2\t-\n", "\ta2\n"), nullptr},
        {"results in the room", inRoom(done), "+-+-", JournalState::Done},
        {"results torn in the room", inRoom(done.left(20)), "????"},
        {"put back after results in the room", inRoom(done) + undone, "----", JournalState::Undone},
        {"statuses lost", inRoom(lost), "????", JournalState::Done},
        {"more rows than the file can hold", replaced("rows 4", "rows 2000000000"), nullptr, {}, false},
        {"results name a row twice", plan + "results\nnot-renamed 1-2 2\nstate done\nend\n", nullptr, {}, false},
        {"cut inside a row", plan.chopped(9), nullptr, {}, false},
        {"row count not a number", replaced("rows 4", "rows four"), nullptr, {}, false},
        {"state unknown", replaced("state open", "state maybe"), nullptr, {}, false},
        {"results name a row beyond the plan", plan + "results\nnot-renamed 5\nstate done\nend\n", nullptr, {}, false},
        {"results name row 0", plan + "results\nnot-renamed 0\nstate done\nend\n", nullptr, {}, false},
        {"results name rows backwards", plan + "results\nnot-renamed 3-2\nstate done\nend\n", nullptr, {}, false},
        {"a row lost", replaced("?\td\td2\t-\n", ""), nullptr},
        {"broken escape", replaced("\ta\t", "\ta\\q\t"), nullptr},
        {"backslash at the end of a name", replaced("\ta\t", "\ta\\\t"), nullptr},
        {"not UTF-8", replaced("\ta\t", "\ta\xff\t"), nullptr},
        {"unknown status", replaced("?\ta", "*\ta"), nullptr},
        // clang-format on
    };
    for (const char* key : {"\nstarted ", "\nwalk ", "\nstate ", "\nrows ", "\nfolders "}) {
        QByteArray bytes = plan; // without one line of the header
        const qsizetype at = bytes.indexOf(key);
        EXPECT_FALSE(ParseJournal(bytes.remove(at + 1, bytes.indexOf('\n', at + 1) - at), JournalRead::Whole))
            << key;
    }
    for (const auto& c : cases) {
        QString why;
        const auto read = ParseJournal(c.bytes, JournalRead::Whole, &why);
        ASSERT_EQ(read.has_value(), c.marks != nullptr) << c.name << ": " << why.toStdString();
        EXPECT_EQ(read ? Marks(*read) : QByteArray(), QByteArray(c.marks)) << c.name;
        EXPECT_EQ(read ? read->state : c.state, c.state) << c.name;
        EXPECT_EQ(read.has_value(), why.isEmpty()) << c.name;
        const auto header = ParseJournal(c.bytes, JournalRead::HeaderOnly);
        EXPECT_EQ(header.has_value(), c.headerReadable) << c.name;
        EXPECT_EQ(header ? header->state : c.state, c.state) << c.name;
    }
    // The history counts the files a walk renamed and how many were put
    // back from the header alone; a partly undone batch reads as finished
    // to a build that knows no put-back rows.
    EXPECT_TRUE(partly.contains("put-back 1\nstate done\n"));
    for (const auto& [bytes, counts] : {std::pair{plan, "-1 0"},
                                        {plan + done, "2 0"},
                                        {plan + done + partly, "2 1"},
                                        {plan + done + allBack, "2 2"},
                                        {plan + done + undone, "-1 0"}}) {
        const auto header = ParseJournal(bytes, JournalRead::HeaderOnly);
        ASSERT_TRUE(header.has_value());
        EXPECT_EQ(QStringLiteral("%1 %2").arg(header->renamedCount).arg(header->putBackCount),
                  QString::fromLatin1(counts));
    }
}

} // namespace
