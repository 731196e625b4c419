#include "core/FailingRows.h"

#include "tests/support/NativeForms.h"

#include <gtest/gtest.h>

namespace {

// Rows as letters: 'x' fails, 'l' only looks alike (marked, renamed all the
// same), '.' is fine.
QList<RowPreview> Rows(const char* marks)
{
    QList<RowPreview> rows;
    for (const char* mark = marks; *mark; ++mark) {
        const PreviewProblem problem = *mark == 'x'   ? PreviewProblem::ExistsInFolder
                                       : *mark == 'l' ? PreviewProblem::LookAlike
                                                      : PreviewProblem::None;
        rows.append({problem});
    }
    return rows;
}

TEST(FailingRows, TheNextFailingRowGoesRoundTheEnd)
{
    const struct {
        const char* name;
        const char* rows;
        int current;
        int next;
    } cases[] = {
        {"nothing selected starts at the top", ".x.x", -1, 1},
        {"the next one below", ".x.x", 1, 3},
        {"round the end", ".x.x", 3, 1},
        {"the only one comes back to itself", "..x.", 2, 2},
        {"a look-alike name is passed over", "l.x", 2, 2},
        {"none fails", ".l..", 0, -1},
        {"an empty list", "", -1, -1},
        {"a row beyond the list starts at the top", "x..", 7, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextFailingRow(Rows(c.rows), c.current), c.next) << c.name;
}

TEST(FailingRows, ReportsNameTheFolderOnceOrEveryPath)
{
    RenameReport report;
    report.failures = {{0, NativePath("/d/a"), QStringLiteral("b"), 17, QStringLiteral("exists")},
                       {1, NativePath("/d/c"), QStringLiteral("d"), 13, QStringLiteral("denied")},
                       {2, NativePath("/d/e"), QStringLiteral("f"), 17, QStringLiteral("exists")}};
    const QList<ReasonGroup> groups = GroupByReason(report.failures);
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(ReasonHeading(groups.at(0)), QStringLiteral("2 件：exists"));
    EXPECT_EQ(groups.at(0).rows.at(1).row, 2);
    EXPECT_EQ(ReportFolder(report), NativePath("/d"));
    EXPECT_EQ(ReportRowText(report.failures.at(0), NativePath("/d")), QStringLiteral("a → b"));
    report.notes = {{3, NativePath("/e/g"), QStringLiteral("h"), 0, QStringLiteral("note")}};
    EXPECT_EQ(ReportFolder(report), QString());
    EXPECT_EQ(ReportRowText(report.failures.at(0), QString()), NativePath("/d/a → b"));
}

} // namespace
