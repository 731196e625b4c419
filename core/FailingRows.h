#pragma once
// Finding the rows the rename would fail on, or failed on, among many: the
// next one to look at, and the failures of a walk gathered by their reason.

#include "core/RenamePreview.h"
#include "core/RenameWalk.h"

#include <QList>
#include <QString>

// The first row after `current` that the rename would fail on, going round
// to the top after the last row; `current` itself comes last. -1 when no row
// would fail. `current` may be -1 (no row selected): the search starts at the top.
[[nodiscard]] int NextFailingRow(const QList<RowPreview>& rows, int current);

// Rows of a report that failed for one and the same reason.
struct ReasonGroup {
    QString reason;
    QList<RenameRowResult> rows; // in the order the walk met them
};

// The rows gathered by their reason, the groups in the order their first row
// came in the walk.
[[nodiscard]] QList<ReasonGroup> GroupByReason(const QList<RenameRowResult>& rows);

// The folder every row of the report is in, named once above its rows;
// empty when the rows are in more than one folder.
[[nodiscard]] QString ReportFolder(const RenameReport& report);
// "フォルダ「/photos」" above the rows of a report in one folder.
[[nodiscard]] QString ReportFolderLine(const QString& folder);
// A row below its reason: "a.jpg → b.jpg" when the report names its one
// folder, else with the file's whole path.
[[nodiscard]] QString ReportRowText(const RenameRowResult& row, const QString& folder);
// A reason above its rows: "12 件：<reason>".
[[nodiscard]] QString ReasonHeading(const ReasonGroup& group);
