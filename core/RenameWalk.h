#pragma once
// Renaming the listed files and putting their previous names back: the only
// place where names on disk change. Each row is renamed by its own no-replace
// call, strictly in row order, and the row changes only after its file did.

#include "core/RenameList.h"
#include "core/Services.h"

#include <QList>
#include <QString>

// The text the extension detection leaves in a new name when it cannot tell
// the type; the rename of all rows treats it as no new name.
[[nodiscard]] inline QString DetectionFailureMarker()
{
    return QStringLiteral("判別できませんでした");
}

// The one test of which rows a walk takes: the target (the new name, or the
// previous name for undo) is not empty, differs from the current name and, for
// the rename of all rows, is not the detection-failure marker.
[[nodiscard]] bool WalkTakesRow(const QString& currentName, const QString& target, bool skipMarker);

struct RenameRowResult {
    int row = 0; // index in the list, from 0
    QString sourcePath;
    QString targetName;
    int code = 0;
    QString reason;
};

struct RenameReport {
    bool walked = false; // false when the list was empty and nothing at all happened
    int renamed = 0;
    QList<RenameRowResult> failures;
    // Renamed, but with something the user should know (a rename the file
    // system could not make in one step).
    QList<RenameRowResult> notes;
};

// "リネーム": every row whose new name differs from its current name, is not
// empty and is not the detection-failure marker. Does nothing on an empty list.
RenameReport RenameAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons);
// "元に戻す": every row whose previous name differs from its current name and is
// not empty; current and previous name change places. Does nothing on an
// empty list.
RenameReport UndoAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons);
// The same for the selected row alone; the marker is an ordinary name here and
// the icon stays as it was. Nothing happens without a selected row.
RenameReport RenameSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons);
RenameReport UndoSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons);

// The four walks, for the code that must know beforehand which rows a walk
// will try (the rename journal writes them down before the first rename).
enum class WalkKind { RenameAll, UndoAll, RenameSelected, UndoSelected };

// One row a walk will try: its list index, folder, and the name it has and
// the name it is to get.
struct PlannedRename {
    int row = 0;
    QString folder;
    QString fromName;
    QString toName;
};

// The rows the walk of `kind` would try right now, in the order it tries
// them; the same test as the walk's own.
[[nodiscard]] QList<PlannedRename> WalkPlan(const RenameList& list, WalkKind kind);

// The report after a walk. The summary: how many rows failed, or that every
// row was renamed and only notes remain; empty when there is nothing to tell.
[[nodiscard]] QString RenameReportSummary(const RenameReport& report);
// One row of the report ("3 行目：/photos/a.jpg → b.jpg"); its reason goes below.
[[nodiscard]] QString RenameRowHeading(const RenameRowResult& result);
// The titles of the two lists when a report holds both.
[[nodiscard]] QString FailedRowsTitle(qsizetype count);
[[nodiscard]] QString NotedRowsTitle(qsizetype count);
// The whole report as plain text: the summary, then every row with its
// reason indented below it; empty when there is nothing to tell.
[[nodiscard]] QString RenameFailureText(const RenameReport& report);
