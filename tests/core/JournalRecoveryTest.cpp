#include "core/JournalRecovery.h"

#include "core/CaseStepName.h"
#include "core/Paths.h"
#include "tests/support/CaseName.h"
#include "tests/support/JournalFakes.h"

#include <gtest/gtest.h>

namespace {

const QString kFolder = QStringLiteral("/d");

// "~a>b" is the first temporary name of a case-only rename from a to b.
QString NameOf(const QString& token)
{
    if (!token.startsWith(QLatin1Char('~')))
        return token;
    const QStringList pair = token.mid(1).split(QLatin1Char('>'));
    return CaseStepTemporaryName(pair[0], pair[1], 0);
}

// "a=1 b=1": the names a and b both lead to file 1.
QMap<QString, int> Disk(const char* description)
{
    QMap<QString, int> entries;
    for (const QString& item : QString::fromUtf8(description).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        entries.insert(JoinPath(kFolder, NameOf(item.section(QLatin1Char('='), 0, 0))),
                       item.section(QLatin1Char('='), 1).toInt());
    return entries;
}

// "+a>b -c>d ?e>f": renamed, not renamed, planned.
QList<JournalRow> Rows(const char* description)
{
    QList<JournalRow> rows;
    for (const QString& item : QString::fromUtf8(description).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList names = item.mid(1).split(QLatin1Char('>'));
        const RowStatus status = item.startsWith(QLatin1Char('+'))   ? RowStatus::Renamed
                                 : item.startsWith(QLatin1Char('-')) ? RowStatus::NotRenamed
                                                                     : RowStatus::Planned;
        rows.append({kFolder, names[0], names[1], status});
    }
    return rows;
}

struct SettleCase {
    const char* name;
    JournalState state;
    const char* rows;
    const char* before;
    bool foldCase;
    SettleAnswer answer;
    const char* after;
    int reported;
    JournalState stateAfter;
};

constexpr auto Open = JournalState::Open;
constexpr auto Undoing = JournalState::Undoing;
constexpr auto Done = JournalState::Done;
constexpr auto Undone = JournalState::Undone;
constexpr auto Back = SettleAnswer::PutBack;
constexpr auto Keep = SettleAnswer::Keep;

// clang-format off
const SettleCase kCases[] = {
    {"cut short, renamed row goes back", Open, "?a>b", "b=1", false, Back, "a=1", 0, Undone},
    {"cut short, keep leaves the new name", Open, "?a>b", "b=1", false, Keep, "b=1", 0, Done},
    {"cut short, row never reached", Open, "?a>b", "a=1", false, Back, "a=1", 0, Undone},
    {"cut short, target was taken", Open, "?a>b", "a=1 b=2", false, Back, "a=1 b=2", 0, Undone},
    {"cut between link and unlink", Open, "?a>b", "a=1 b=1", false, Keep, "a=1", 0, Undone},
    {"cut between case steps", Open, "?a>A", "~a>A=1", false, Keep, "a=1", 0, Undone},
    {"cut inside a case step by links", Open, "?a>A", "a=1 ~a>A=1", false, Keep, "a=1", 0, Undone},
    {"cut inside a case-only put-back", Undoing, "+a>A", "~A>a=1", false, Back, "a=1", 0, Undone},
    {"cut short, file nowhere", Open, "?a>b", "", false, Back, "", 1, Undone},
    {"chain unwinds from the last row", Open, "?a>b ?c>a", "b=1 a=3", false, Back, "a=1 c=3", 0, Undone},
    {"finished, moved on since", Done, "+a>b", "x=1", false, Back, "x=1", 1, Undone},
    {"finished, failed row untouched", Done, "-a>b +c>d", "a=1 b=2 d=3", false, Back, "a=1 b=2 c=3", 0, Undone},
    {"finished, old name taken since", Done, "+a>b", "a=2 b=1", false, Back, "a=2 b=1", 1, Done},
    {"put-back cut short, rest goes", Undoing, "+a>b +c>d", "a=1 d=2", false, Back, "a=1 c=2", 0, Undone},
    {"folding disk, case-only back", Done, "+readme>README", "README=1", true, Back, "readme=1", 0, Undone},
    {"folding disk, never renamed", Open, "?readme>README", "readme=1", true, Back, "readme=1", 0, Undone},
};
// clang-format on

void PrintTo(const SettleCase& c, std::ostream* out)
{
    *out << c.name;
}

class Settle : public ::testing::TestWithParam<SettleCase> {};

TEST_P(Settle, PutsBackWithoutOverwriting)
{
    const SettleCase& c = GetParam();
    FakeDisk disk;
    disk.entries = Disk(c.before);
    disk.foldCase = c.foldCase;
    JournalBatch batch;
    batch.state = c.state;
    batch.rows = Rows(c.rows);

    const SettleResult result = SettleBatch(batch, c.answer, disk, disk);
    EXPECT_EQ(disk.entries, Disk(c.after));
    EXPECT_EQ(result.report.failures.size(), c.reported);
    EXPECT_EQ(batch.state, c.stateAfter);
    EXPECT_EQ(batch.interrupted, c.state != Done);
}

INSTANTIATE_TEST_SUITE_P(Table, Settle, ::testing::ValuesIn(kCases), CaseName());

TEST(Settle, RowsOfTheListFollowTheirFiles)
{
    RenameList list;
    list.append({QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("a"), kFolder, 0});
    list.append({QStringLiteral("b"), QStringLiteral("x"), {}, QStringLiteral("/other"), 0});
    FollowPutBack(list, {{kFolder, QStringLiteral("a"), QStringLiteral("b"), RowStatus::NotRenamed}});
    EXPECT_EQ(list.at(0).currentName, QStringLiteral("a"));
    EXPECT_EQ(list.at(0).previousName, QStringLiteral("b"));
    EXPECT_EQ(list.at(1).currentName, QStringLiteral("b"));
}

} // namespace
