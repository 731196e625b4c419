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

// Every failed row with its reason, and every note, for the summary shown
// after a walk; empty when there is nothing to tell.
[[nodiscard]] QString RenameFailureText(const RenameReport& report);
