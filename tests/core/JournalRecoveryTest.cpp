#include "core/JournalRecovery.h"

#include "core/CaseStepName.h"
#include "core/Paths.h"
#include "tests/core/MemoryDisk.h"
#include "tests/support/NativeForms.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QString kFolder = NativePath("/d");

// "a=1 b=1": the names a and b both lead to file 1; "~a>b" is the first
// temporary name of a case-only rename from a to b.
QMap<QString, int> Disk(const char* description)
{
    QMap<QString, int> entries;
    for (const QString& item : QString::fromUtf8(description).split(u' ', Qt::SkipEmptyParts)) {
        QString name = item.section(u'=', 0, 0);
        if (name.startsWith(u'~'))
            name = CaseStepTemporaryName(name.mid(1).section(u'>', 0, 0), name.section(u'>', 1), 0);
        entries.insert(JoinPath(kFolder, name), item.section(u'=', 1).toInt());
    }
    return entries;
}

// "+a>b -c>d@3 ?e>f@0 <g>h": renamed, not renamed, planned, put back; the row's file is
// file 1 unless "@" names another, and "@0" is a row that knows no file.
QList<JournalRow> Rows(const char* description)
{
    QList<JournalRow> rows;
    for (const QString& item : QString::fromUtf8(description).split(u' ', Qt::SkipEmptyParts)) {
        const RowStatus status = item[0] == u'+'   ? RowStatus::Renamed
                                 : item[0] == u'-' ? RowStatus::NotRenamed
                                 : item[0] == u'<' ? RowStatus::PutBack
                                                   : RowStatus::Planned;
        const QString names = item.section(u'@', 0, 0);
        const quint64 file = item.contains(u'@') ? item.section(u'@', 1).toULongLong() : 1;
        rows.append({kFolder, names.mid(1).section(u'>', 0, 0), names.section(u'>', 1), status,
                     file ? FileIdentity{1, file, 0100000, 0} : FileIdentity{}});
    }
    return rows;
}

TEST(Settle, PutsBackWithoutOverwriting)
{
    using enum JournalState;
    using enum SettleAnswer;
    const struct {
        const char* name;
        JournalState state;
        const char *rows, *before;
        bool foldCase;
        SettleAnswer answer;
        const char* after;
        int reported;
        JournalState stateAfter;
    } cases[] = {
        // clang-format off
        {"cut short, keep leaves the new name", Open, "?a>b", "b=1", false, Keep, "b=1", 0, Done},
        {"cut short, target was taken", Open, "?a>b", "a=1 b=2", false, PutBack, "a=1 b=2", 0, Done},
        {"cut between link and unlink", Open, "?a>b", "a=1 b=1", false, Keep, "a=1", 0, Done},
        {"cut between case steps", Open, "?a>A", "~a>A=1", false, Keep, "a=1", 0, Done},
        {"cut inside a case step by links", Open, "?a>A", "a=1 ~a>A=1", false, Keep, "a=1", 0, Done},
        {"cut inside a case-only put-back", Undoing, "+a>A", "~A>a=1", false, PutBack, "a=1", 0, Undone},
        {"chain unwinds from the last row", Open, "?a>b ?c>a@3", "b=1 a=3", false, PutBack, "a=1 c=3", 0, Undone},
        // Only the row's own file is put back, never another with its name.
        {"cut short, file gone, another has the new name", Open, "?gone>victim@0", "victim=5", false, PutBack, "victim=5", 0, Done},
        {"cut short, another file took the new name", Open, "?a>b", "b=2", false, PutBack, "b=2", 1, Done},
        {"finished, replaced behind its back", Done, "+a>b", "b=2 c=1", false, PutBack, "b=2 c=1", 1, Done},
        {"finished, no identity recorded", Done, "+a>b@0", "b=1", false, PutBack, "b=1", 1, Done},
        {"finished, back under its old name since", Done, "+a>b", "a=1", false, PutBack, "a=1", 1, Done},
        {"finished, failed row untouched", Done, "-a>b +c>d@3", "a=1 b=2 d=3", false, PutBack, "a=1 b=2 c=3", 0, Undone},
        {"finished, old name taken since", Done, "+a>b", "a=2 b=1", false, PutBack, "a=2 b=1", 1, Done},
        {"put-back cut short, rest goes", Undoing, "+a>b +c>d@2", "a=1 d=2", false, PutBack, "a=1 c=2", 0, Undone},
        {"folding disk, case-only back", Done, "+readme>README", "README=1", true, PutBack, "readme=1", 0, Undone},
        {"folding disk, never renamed", Open, "?readme>README", "readme=1", true, PutBack, "readme=1", 0, Done},
        {"finished exchange goes back round", Done, "+a>b +b>a@2", "b=1 a=2", false, PutBack, "a=1 b=2", 0, Undone},
        {"finished circle of three", Done, "+a>b +c>a@3 +b>c@2", "b=1 a=3 c=2", false, PutBack, "a=1 b=2 c=3", 0, Undone},
        {"exchange cut when parked, back", Open, "?a>b ?b>a@2", "~a>b=1 a=2", false, PutBack, "a=1 b=2", 0, Undone},
        {"exchange cut when parked, kept", Open, "?a>b ?b>a@2", "~a>b=1 a=2", false, Keep, "b=1 a=2", 0, Done},
        {"circle cut half-way, kept, goes back", Open, "?a>b ?b>c@2 ?c>a@3", "~a>b=1 b=2 a=3", false, Keep, "a=1 b=2 c=3", 0, Done},
        {"exchange cut before the second", Open, "?a>b ?b>a@2", "~a>b=1 b=2", false, Keep, "a=1 b=2", 0, Done},
        // A row that is not put back stays to be put back later.
        {"finished, one file renamed on since", Done, "+a>b +c>d@2", "b=1 e=2", false, PutBack, "a=1 e=2", 1, PartlyUndone},
        {"partly undone, the rest is free now", PartlyUndone, "<a>b +c>d@2", "a=1 d=2", false, PutBack, "a=1 c=2", 0, Undone},
        {"partly undone, the rest still moved on", PartlyUndone, "<a>b +c>d@2", "a=1 e=2", false, PutBack, "a=1 e=2", 1, PartlyUndone},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemoryDisk disk;
        disk.entries = Disk(c.before);
        disk.foldCase = c.foldCase;
        JournalBatch batch;
        batch.state = c.state;
        batch.rows = Rows(c.rows);
        const SettleResult result = SettleBatch(batch, c.answer, disk, disk);
        EXPECT_EQ(disk.entries, Disk(c.after)) << c.name;
        EXPECT_EQ(result.report.failures.size(), c.reported) << c.name;
        EXPECT_EQ(batch.state, c.stateAfter) << c.name;
        EXPECT_EQ(batch.interrupted, c.state == Open || c.state == Undoing) << c.name;
    }

    // Rows of the list that showed a put-back file follow it, in its folder only.
    RenameList list;
    list.append({QStringLiteral("b"), QStringLiteral("b"), QStringLiteral("a"), kFolder, 0});
    list.append({QStringLiteral("b"), QStringLiteral("x"), {}, NativePath("/other"), 0});
    FollowPutBack(list, Rows("-a>b"));
    EXPECT_EQ(QString(list.at(0).currentName + list.at(0).previousName + list.at(1).currentName),
              QStringLiteral("abb"));
}

} // namespace
