#include "core/RenameWalk.h"

#include "core/CaseStepName.h"
#include "core/FailingRows.h"
#include "core/NameBytes.h"
#include "core/Paths.h"
#include "core/SystemErrorText.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

namespace {

// Each reason once, with the rows that failed for it below it.
void AppendRows(QStringList& lines, const QList<RenameRowResult>& rows, const QString& folder)
{
    for (const ReasonGroup& group : GroupByReason(rows)) {
        lines.append(ReasonHeading(group));
        for (const RenameRowResult& result : group.rows)
            lines.append(QStringLiteral("    ") + ReportRowText(result, folder));
    }
}

// The one test of which rows a walk takes (WalkTakesRow) on the row's own
// texts, shared by the walk and by the plan the journal writes before it.
bool TakesTarget(const NameText& current, const NameText& target, bool skipMarker, const NameText& marker)
{
    return !target.isEmpty() && target != current && !(skipMarker && target == marker);
}

RenameReport RunWalk(RenameList& list, RenameWalkKind kind, FileRenamer& renamer, IconIndexer& icons)
{
    RenameRowsWalk walk(list, kind, renamer, icons);
    RunToEnd(walk);
    return walk.report();
}

} // namespace

bool WalkTakesRow(const NameText& currentName, const NameText& target, bool skipMarker)
{
    return !target.isEmpty() && target != currentName && !(skipMarker && target == DetectionFailureMarker());
}

WalkSteps StepsOfWalk(const RenameList& list, RenameWalkKind kind, bool throughTemporaryNames)
{
    WalkSteps walk;
    if (kind == RenameWalkKind::Selected || kind == RenameWalkKind::UndoSelected) {
        if (list.hasSelection()) {
            walk.first = list.selectedRow();
            walk.end = 1;
        }
    } else if (throughTemporaryNames) {
        const QList<PlannedRename> plan = WalkPlan(list, kind);
        for (const OrderedStep& step : StepsOf(plan)) {
            walk.order.append(plan.at(step.move).row);
            walk.steps.append(step.step);
        }
        walk.end = static_cast<int>(walk.order.size());
    } else {
        walk.order = WalkOrder(list, kind);
        walk.end = list.count();
    }
    return walk;
}

RenameRowsWalk::RenameRowsWalk(RenameList& list, RenameWalkKind kind, FileRenamer& renamer,
                               IconIndexer& icons, bool throughTemporaryNames)
    : RenameRowsWalk(list, kind, renamer, icons, StepsOfWalk(list, kind, throughTemporaryNames))
{}

RenameRowsWalk::RenameRowsWalk(RenameList& list, RenameWalkKind kind, FileRenamer& renamer,
                               IconIndexer& icons, WalkSteps steps)
    : m_list(list)
    , m_renamer(renamer)
    , m_icons(icons)
    , m_undo(kind == RenameWalkKind::UndoAll || kind == RenameWalkKind::UndoSelected)
    , m_skipMarker(kind == RenameWalkKind::All)
    , m_refreshIcon(kind == RenameWalkKind::All || kind == RenameWalkKind::UndoAll)
    , m_order(std::move(steps.order))
    , m_steps(std::move(steps.steps))
    , m_first(steps.first)
    , m_end(steps.end)
{
    m_report.walked = m_end > 0;
    m_report.undo = m_undo;
    if (m_skipMarker)
        m_marker = DetectionFailureMarker();
}

RenameRowsWalk::~RenameRowsWalk() = default;

bool RenameRowsWalk::stop()
{
    m_stopping = true;
    return true;
}

bool RenameRowsWalk::runFor(QDeadlineTimer deadline)
{
    for (int sinceCheck = 1; m_next < m_end; ++sinceCheck) {
        // Stopped between two rows, never with a file under a temporary name.
        if (m_stopping && m_parked.isEmpty()) {
            for (int step = m_next; step < m_end; ++step) {
                const RenameEntry& entry = m_list.at(m_order.isEmpty() ? m_first + step : m_order.at(step));
                const NameText& target = m_undo ? entry.previousName : entry.newName;
                m_report.leftOut += TakesTarget(entry.currentName, target, m_skipMarker, m_marker) ? 1 : 0;
            }
            m_report.stopped = true;
            m_end = m_next;
            break;
        }
        if (sinceCheck % DeadlineCheckInterval == 0 && deadline.hasExpired())
            return false;
        const int step = m_next++;
        walkRow(m_order.isEmpty() ? m_first + step : m_order.at(step),
                m_steps.isEmpty() ? MoveStep::Direct : m_steps.at(step));
    }
    m_scope.reset(); // the view hears of every renamed row now
    return true;
}

void RenameRowsWalk::walkRow(int row, MoveStep step)
{
    const RenameEntry& entry = m_list.at(row);
    // A copy (it only counts a reference): the row may be written below.
    const NameText target = m_undo ? entry.previousName : entry.newName;
    if (!TakesTarget(entry.currentName, target, m_skipMarker, m_marker))
        return;

    if (!entry.folder.sharesBlockWith(m_pathFolder) || m_pathFolder.isEmpty()) {
        m_pathFolder = entry.folder;
        m_fromPath = JoinPath(entry.folder, QString());
        m_folderLength = m_fromPath.size();
        m_toPath = m_fromPath;
    }
    m_fromPath.truncate(m_folderLength);
    entry.currentName.appendTo(m_fromPath);
    m_toPath.truncate(m_folderLength);
    target.appendTo(m_toPath);

    // An undo puts back the bytes the file had; a rename never writes bytes
    // the user saw only as replacement characters.
    if (!m_undo && HasStrayBytes(target)) {
        m_report.failures.append({row, m_fromPath, target, EILSEQ, StrayBytesText()});
        return;
    }
    if (step == MoveStep::ToTemporary) {
        if (QString parked = park(row, target); !parked.isNull())
            m_parked.insert(row, std::move(parked));
        return;
    }
    if (step == MoveStep::FromTemporary) {
        if (QString parked = m_parked.take(row); !parked.isNull())
            unpark(row, target, std::move(parked));
        return;
    }
    RenameOutcome outcome = m_renamer.rename(m_fromPath, m_toPath);
    if (!outcome.ok) {
        m_report.failures.append(
            {row, m_fromPath, target, outcome.code, walkReason(std::move(outcome.reason))});
        return;
    }
    follow(row, target, outcome);
}

QString RenameRowsWalk::walkReason(QString reason) const
{
    return m_undo ? UndoReasonText(std::move(reason)) : reason;
}

// The file of the row at m_fromPath goes under a free temporary name; null
// when none could be taken (the row is reported).
QString RenameRowsWalk::park(int row, const NameText& target)
{
    const QString from = m_fromPath.sliced(m_folderLength);
    RenameOutcome outcome;
    for (int attempt = 0; attempt < kCaseStepAttempts; ++attempt) {
        QString name = CaseStepTemporaryName(from, target, attempt);
        outcome = m_renamer.rename(m_fromPath, m_fromPath.first(m_folderLength) + name);
        if (outcome.ok)
            return name;
    }
    m_report.failures.append({row, m_fromPath, target, outcome.code, walkReason(std::move(outcome.reason))});
    return {};
}

// The parked file takes its new name; failing that, its old one again;
// failing both, it stays parked and the row shows where it is.
void RenameRowsWalk::unpark(int row, const NameText& target, QString parked)
{
    const QString parkedPath = m_fromPath.first(m_folderLength) + parked;
    RenameOutcome outcome = m_renamer.rename(parkedPath, m_toPath);
    if (outcome.ok) {
        follow(row, target, outcome);
        return;
    }
    m_report.failures.append({row, m_fromPath, target, outcome.code, walkReason(std::move(outcome.reason))});
    if (m_renamer.rename(parkedPath, m_fromPath).ok)
        return;
    m_toPath = parkedPath;
    RenameOutcome stayed{true, 0, {}};
    follow(row, NameText(parked), stayed);
    m_report.renamed -= 1; // not renamed as asked: counted among the failures
    QString& reason = m_report.failures.last().reason;
    reason = StrandedTemporaryText(TemporaryStep::Exchange, parked, reason);
}

// The disk has changed: the row follows it, and only now.
void RenameRowsWalk::follow(int row, const NameText& target, RenameOutcome& outcome)
{
    if (!m_scope)
        m_scope.emplace(m_list);
    RenameEntry& changed = m_scope->row(row);
    if (m_undo && target == changed.previousName)
        std::swap(changed.currentName, changed.previousName);
    else
        changed.previousName = std::exchange(changed.currentName, target);
    if (m_refreshIcon)
        changed.icon = m_icons.indexForRenamed(changed.icon, m_toPath);
    changed.renameOrder = m_list.nextRenameOrder();
    ++m_report.renamed;
    m_report.renamedRows.append(row);
    if (!outcome.reason.isEmpty())
        m_report.notes.append({row, m_fromPath, target, outcome.code, std::move(outcome.reason)});
}

RenameReport RenameAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return RunWalk(list, RenameWalkKind::All, renamer, icons);
}

RenameReport UndoAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return RunWalk(list, RenameWalkKind::UndoAll, renamer, icons);
}

RenameReport RenameSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return RunWalk(list, RenameWalkKind::Selected, renamer, icons);
}

RenameReport UndoSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return RunWalk(list, RenameWalkKind::UndoSelected, renamer, icons);
}

QList<int> WalkOrder(const RenameList& list, RenameWalkKind kind)
{
    if (kind != RenameWalkKind::UndoAll)
        return {};
    // The places of the renamed rows, filled again newest first.
    QList<int> order(list.count());
    QList<int> renamed;
    for (int row = 0; row < list.count(); ++row) {
        order[row] = row;
        if (list.rows().at(row).renameOrder != 0)
            renamed.append(row);
    }
    if (renamed.size() < 2)
        return {};
    // Newest first. Each row goes into one number, its rename order (turned
    // round) above it, so the sort of a million rows moves plain numbers
    // instead of looking each row up at every comparison.
    std::vector<quint64> newestFirst;
    newestFirst.reserve(static_cast<size_t>(renamed.size()));
    for (const int row : std::as_const(renamed))
        newestFirst.push_back(quint64(~list.rows().at(row).renameOrder) << 32 | quint32(row));
    std::sort(newestFirst.begin(), newestFirst.end());
    for (qsizetype i = 0; i < renamed.size(); ++i)
        order[renamed.at(i)] = static_cast<int>(newestFirst[static_cast<size_t>(i)] & 0xFFFFFFFFu);
    return order;
}

QList<OrderedStep> StepsOf(const QList<PlannedRename>& plan)
{
    QList<PlannedMove> moves;
    moves.reserve(plan.size());
    for (const PlannedRename& row : plan)
        moves.append({row.folder, row.fromName, row.toName});
    return OrderMoves(moves);
}

QList<PlannedRename> WalkPlan(const RenameList& list, RenameWalkKind kind, bool throughTemporaryNames)
{
    return WalkPlan(list, kind, StepsOfWalk(list, kind, throughTemporaryNames));
}

QList<PlannedRename> WalkPlan(const RenameList& list, RenameWalkKind kind, const WalkSteps& walk)
{
    const bool undo = kind == RenameWalkKind::UndoAll || kind == RenameWalkKind::UndoSelected;
    const bool skipMarker = kind == RenameWalkKind::All;
    const NameText marker = skipMarker ? NameText(DetectionFailureMarker()) : NameText();
    QList<PlannedRename> plan;
    plan.reserve(walk.end);
    for (int step = 0; step < walk.end; ++step) {
        // A file parked under a temporary name is planned at its first step.
        if (!walk.steps.isEmpty() && walk.steps.at(step) == MoveStep::FromTemporary)
            continue;
        const int row = walk.order.isEmpty() ? walk.first + step : walk.order.at(step);
        const RenameEntry& entry = list.at(row);
        const NameText& target = undo ? entry.previousName : entry.newName;
        if (!TakesTarget(entry.currentName, target, skipMarker, marker))
            continue;
        plan.append({row, entry.folder, entry.currentName, target});
    }
    return plan;
}

QString UndoReasonText(QString reason)
{
    // The reasons come from the file system's side, which words them for a
    // rename; an undo cannot choose another name, it can only try again.
    if (reason.startsWith(SystemCauseText(EEXIST) + QStringLiteral("（上書きはしません）")))
        return QStringLiteral("元の名前のファイルまたはフォルダがすでにあります（上書きはしません）。"
                              "そのファイルを移動するか名前を変えてから、もう一度元に戻してください。");
    return reason
        .replace(QStringLiteral("もう一度リネームしてください"), QStringLiteral("もう一度元に戻してください"))
        .replace(QStringLiteral("からリネームしてください"), QStringLiteral("から元に戻してください"))
        .replace(QStringLiteral("ほかの名前にしてください"),
                 QStringLiteral("ファイルマネージャーで名前を変えてください"));
}

QString GroupedNumber(qint64 number)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(number);
}

QString RenameReportSummary(const RenameReport& report)
{
    const QString done = report.undo ? QStringLiteral("元に戻しました") : QStringLiteral("リネームしました");
    const QString failed =
        report.undo ? QStringLiteral("元に戻せませんでした") : QStringLiteral("リネームできませんでした");
    if (report.stopped) {
        QString summary = QStringLiteral("途中で中止しました。%1 件のファイルを%2。")
                              .arg(GroupedNumber(report.renamed), done);
        if (!report.failures.isEmpty())
            summary += QStringLiteral("%1 件は%2。").arg(GroupedNumber(report.failures.size()), failed);
        if (report.leftOut > 0)
            summary += QStringLiteral("残りの %1 件はそのままです。").arg(GroupedNumber(report.leftOut));
        return summary;
    }
    if (report.failures.isEmpty())
        return report.notes.isEmpty() ? QString()
                                      : QStringLiteral("名前の変更は完了しました。次の点をご確認ください。");
    QString summary =
        QStringLiteral("%1 件のファイルを%2。").arg(GroupedNumber(report.failures.size()), failed);
    if (report.renamed > 0)
        summary += QStringLiteral("ほかの %1 件は%2。").arg(GroupedNumber(report.renamed), done);
    return summary;
}

QString FailedRowsTitle(qsizetype count, bool undo)
{
    return (undo ? QStringLiteral("元に戻せなかったファイル（%1 件）")
                 : QStringLiteral("リネームできなかったファイル（%1 件）"))
        .arg(GroupedNumber(count));
}

QString NotedRowsTitle(qsizetype count)
{
    return QStringLiteral("名前を変更したファイルの確認事項（%1 件）").arg(GroupedNumber(count));
}

QString RenameFailureText(const RenameReport& report)
{
    const QString summary = RenameReportSummary(report);
    if (summary.isEmpty())
        return {};
    QStringList lines{summary};
    const QString folder = ReportFolder(report);
    if (!folder.isEmpty())
        lines.append(ReportFolderLine(folder));
    const bool both = !report.failures.isEmpty() && !report.notes.isEmpty();
    if (both)
        lines.append(FailedRowsTitle(report.failures.size(), report.undo));
    AppendRows(lines, report.failures, folder);
    if (both)
        lines.append(NotedRowsTitle(report.notes.size()));
    AppendRows(lines, report.notes, folder);
    return lines.join(QLatin1Char('\n'));
}
