#pragma once
// Renaming the listed files and putting their previous names back: the only
// place where names on disk change. Each row is renamed by its own no-replace
// call, strictly in row order, and the row changes only after its file did.

#include "core/RenameList.h"
#include "core/Services.h"
#include "core/SlicedWalk.h"

#include <QList>
#include <QString>

#include <optional>

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

enum class RenameWalkKind {
    All,         // "リネーム": every row whose new name differs from its current
                 // name, is not empty and is not the detection-failure marker
    UndoAll,     // "元に戻す": every row whose previous name differs from its
                 // current name and is not empty; the two change places
    Selected,    // the same for the selected row alone; the marker is an
    UndoSelected // ordinary name here and the icon stays as it was
};

// One rename or undo walk, resumable: it renames rows in row order until its
// time is up and goes on from the next row when run again. The row count is
// taken when it is made; the rows must not change in between except through
// the walk. The view hears of the renamed rows once, when the walk ends (also
// when it stops at a failure). Nothing happens on an empty list, or without a
// selected row for the selected-only kinds.
class RenameRowsWalk final : public SlicedWalk {
public:
    RenameRowsWalk(RenameList& list, RenameWalkKind kind, FileRenamer& renamer, IconIndexer& icons);
    ~RenameRowsWalk() override;

    [[nodiscard]] bool runFor(QDeadlineTimer deadline) override;
    [[nodiscard]] qsizetype done() const override { return m_next - m_first; }
    [[nodiscard]] qsizetype total() const override { return m_end - m_first; }
    [[nodiscard]] const RenameReport& report() const { return m_report; }

private:
    void walkRow(int row);

    RenameList& m_list;
    FileRenamer& m_renamer;
    IconIndexer& m_icons;
    bool m_undo;
    bool m_skipMarker;
    bool m_refreshIcon;
    int m_first = 0;
    int m_next = 0;
    int m_end = 0;
    NameText m_marker;
    // The two paths of a rename, rebuilt in place: the folder part stays
    // while the rows come from one folder.
    NameText m_pathFolder;
    qsizetype m_folderLength = 0;
    QString m_fromPath;
    QString m_toPath;
    std::optional<RenameList::EditScope> m_scope;
    RenameReport m_report;
};

// The walks run to their end at once.
RenameReport RenameAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons);
RenameReport UndoAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons);
RenameReport RenameSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons);
RenameReport UndoSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons);

// One row a walk will try: its list index, folder, and the name it has and
// the name it is to get.
struct PlannedRename {
    int row = 0;
    QString folder;
    QString fromName;
    QString toName;
};

// The rows the walk of `kind` would try right now, in the order it tries
// them, by the walk's own test: what the rename journal writes down before
// the first rename.
[[nodiscard]] QList<PlannedRename> WalkPlan(const RenameList& list, RenameWalkKind kind);

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
