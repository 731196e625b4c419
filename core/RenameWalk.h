#pragma once
// Renaming the listed files and putting their previous names back: the only
// place where names on disk change. Each row is renamed by its own no-replace
// call, strictly in row order, and the row changes only after its file did.

#include "core/MoveOrder.h"
#include "core/RenameList.h"
#include "core/Services.h"
#include "core/SlicedTask.h"

#include <QHash>
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
[[nodiscard]] bool WalkTakesRow(const NameText& currentName, const NameText& target, bool skipMarker);

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
    QList<int> renamedRows; // the list rows renamed, in the order they were
    QList<RenameRowResult> failures;
    // Renamed, but with something the user should know (a rename the file
    // system could not make in one step).
    QList<RenameRowResult> notes;
    bool undo = false;    // the walk put names back
    bool stopped = false; // the user stopped the walk before its end
    int leftOut = 0;      // rows a stopped walk did not reach
};

enum class RenameWalkKind {
    All,         // "リネーム": every row whose new name differs from its current
                 // name, is not empty and is not the detection-failure marker
    UndoAll,     // "元に戻す": every row whose previous name differs from its
                 // current name and is not empty; the two change places
    Selected,    // the same for the selected row alone; the marker is an
    UndoSelected // ordinary name here and the icon stays as it was
};

// One rename or undo walk, resumable: it renames rows in walk order
// (WalkOrder) until its time is up and goes on from the next row when run
// again. The row count is
// taken when it is made; the rows must not change in between except through
// the walk. The view hears of the renamed rows once, when the walk ends (also
// when it stops at a failure). Nothing happens on an empty list, or without a
// selected row for the selected-only kinds.
//
// Through temporary names, names that go round (a swap, a longer circle) are
// exchanged and chains run from their free end (OrderMoves): one file of
// each circle is parked under a hidden temporary name derived from its two
// names (CaseStepTemporaryName, where recovery looks after a crash). A
// parked file that cannot take its new name goes back to its old one, or
// stays parked, and its row then shows the temporary name.
// The steps of a walk over a list: the rows it takes, in their order, and
// through temporary names each row's step.
struct WalkSteps {
    int first = 0;         // the first row, when the walk goes in row order
    int end = 0;           // steps in all
    QList<int> order;      // the list rows in walk order; empty for the row order from `first`
    QList<MoveStep> steps; // with `order` when the walk goes through temporary names
};
// A million rows take a while to order: the steps may be made on another
// thread, over a copy of rows that are the same as the walk's.
[[nodiscard]] WalkSteps StepsOfWalk(const RenameList& list, RenameWalkKind kind, bool throughTemporaryNames);

class RenameRowsWalk final : public SlicedTask {
public:
    RenameRowsWalk(RenameList& list, RenameWalkKind kind, FileRenamer& renamer, IconIndexer& icons,
                   bool throughTemporaryNames = false);
    // With the steps made beforehand (StepsOfWalk) for the rows as they are.
    RenameRowsWalk(RenameList& list, RenameWalkKind kind, FileRenamer& renamer, IconIndexer& icons,
                   WalkSteps steps);
    ~RenameRowsWalk() override;

    [[nodiscard]] bool runFor(QDeadlineTimer deadline) override;
    [[nodiscard]] qsizetype done() const override { return m_next; }
    [[nodiscard]] qsizetype total() const override { return m_end; }
    // The walk ends after the row at hand; through temporary names, once no
    // file is left parked.
    [[nodiscard]] bool stop() override;
    [[nodiscard]] const RenameReport& report() const { return m_report; }

private:
    void walkRow(int row, MoveStep step);
    [[nodiscard]] QString park(int row, const NameText& target);
    void unpark(int row, const NameText& target, QString parked);
    [[nodiscard]] QString walkReason(QString reason) const;
    void follow(int row, const NameText& target, RenameOutcome& outcome);

    RenameList& m_list;
    FileRenamer& m_renamer;
    IconIndexer& m_icons;
    bool m_undo;
    bool m_skipMarker;
    bool m_refreshIcon;
    QList<int> m_order; // the list rows in walk order; none for the plain order from m_first
    QList<MoveStep> m_steps;
    QHash<int, QString> m_parked; // row -> the temporary name its file has now
    int m_first = 0;
    int m_next = 0; // steps taken
    int m_end = 0;  // steps in all
    bool m_stopping = false;
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
// The names are the row's own texts: a plan of a million rows copies none.
struct PlannedRename {
    int row = 0;
    NameText folder;
    NameText fromName;
    NameText toName;
};

// The order in which a walk takes the list's rows, as list rows: an undo of
// the whole list puts the renamed rows back in the reverse of the order in
// which they were renamed (so that a chain c→d, b→c, a→b unwinds), while
// rows no walk has renamed keep their places; every other walk goes in row
// order. Empty for the plain row order.
[[nodiscard]] QList<int> WalkOrder(const RenameList& list, RenameWalkKind kind);

// The rows the walk of `kind` would try right now, in the order it tries
// them, by the walk's own test: what the rename journal writes down before
// the first rename.
// Through temporary names, the rows come in the order of their first step.
[[nodiscard]] QList<PlannedRename> WalkPlan(const RenameList& list, RenameWalkKind kind,
                                            bool throughTemporaryNames = false);
// The same from the walk's steps, so that a million rows are ordered once
// for the plan and the walk.
[[nodiscard]] QList<PlannedRename> WalkPlan(const RenameList& list, RenameWalkKind kind,
                                            const WalkSteps& walk);
// The steps of a walk through temporary names over the rows of its plan.
[[nodiscard]] QList<OrderedStep> StepsOf(const QList<PlannedRename>& plan);

// A reason the file system gave for a rename, worded for an undo: the name
// in the way is the old one, and the remedy ends in trying the undo again.
[[nodiscard]] QString UndoReasonText(QString reason);

// A count as the interface writes it, with digit grouping ("1,234").
[[nodiscard]] QString GroupedNumber(qint64 number);

// The report after a walk. The summary: that the user stopped it and how
// many rows it left, how many rows failed, or that every row was renamed and
// only notes remain; empty when there is nothing to tell.
[[nodiscard]] QString RenameReportSummary(const RenameReport& report);
// The titles of the two lists when a report holds both.
[[nodiscard]] QString FailedRowsTitle(qsizetype count, bool undo = false);
[[nodiscard]] QString NotedRowsTitle(qsizetype count);
// The whole report as plain text: the summary, then each reason once with
// its rows indented below it (FailingRows.h); empty when there is nothing to tell.
[[nodiscard]] QString RenameFailureText(const RenameReport& report);
