#include "core/RenameWalk.h"

#include "core/Paths.h"

#include <QStringList>

#include <utility>

namespace {

struct WalkRules {
    bool undo = false;        // towards the previous name, exchanging the two
    bool skipMarker = false;  // the marker counts as no new name
    bool refreshIcon = false; // the whole-list walks look the icon up again
};

const QString& TargetOf(const RenameEntry& entry, const WalkRules& rules)
{
    return rules.undo ? entry.previousName : entry.newName;
}

bool TakesRow(const RenameEntry& entry, const WalkRules& rules)
{
    return WalkTakesRow(entry.currentName, TargetOf(entry, rules), rules.skipMarker);
}

WalkRules RulesOf(WalkKind kind)
{
    switch (kind) {
    case WalkKind::RenameAll:
        return {.undo = false, .skipMarker = true, .refreshIcon = true};
    case WalkKind::UndoAll:
        return {.undo = true, .skipMarker = false, .refreshIcon = true};
    case WalkKind::RenameSelected:
        return {.undo = false, .skipMarker = false, .refreshIcon = false};
    case WalkKind::UndoSelected:
        break;
    }
    return {.undo = true, .skipMarker = false, .refreshIcon = false};
}

bool IsWholeList(WalkKind kind)
{
    return kind == WalkKind::RenameAll || kind == WalkKind::UndoAll;
}

void WalkRow(RenameList& list, RenameList::EditScope& scope, int row, FileRenamer& renamer,
             IconIndexer& icons, const WalkRules& rules, RenameReport& report)
{
    const RenameEntry& entry = list.at(row);
    const QString target = TargetOf(entry, rules);
    const QString fromPath = JoinPath(entry.folder, entry.currentName);
    const QString toPath = JoinPath(entry.folder, target);
    RenameOutcome outcome = renamer.rename(fromPath, toPath);
    if (!outcome.ok) {
        report.failures.append({row, fromPath, target, outcome.code, std::move(outcome.reason)});
        return;
    }

    // The disk has changed: the row follows it, and only now.
    RenameEntry& changed = scope.row(row);
    if (rules.undo)
        std::swap(changed.currentName, changed.previousName);
    else
        changed.previousName = std::exchange(changed.currentName, target);
    if (rules.refreshIcon)
        changed.icon = icons.indexForRenamed(changed.icon, toPath);
    ++report.renamed;
    if (!outcome.reason.isEmpty())
        report.notes.append({row, fromPath, target, outcome.code, std::move(outcome.reason)});
}

RenameReport WalkAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons, const WalkRules& rules)
{
    RenameReport report;
    const int count = list.count();
    if (count == 0)
        return report;
    report.walked = true;
    RenameList::EditScope scope(list);
    for (int row = 0; row < count; ++row) {
        if (TakesRow(list.at(row), rules))
            WalkRow(list, scope, row, renamer, icons, rules, report);
    }
    return report;
}

RenameReport WalkSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons, const WalkRules& rules)
{
    RenameReport report;
    if (!list.hasSelection())
        return report;
    report.walked = true;
    const int row = list.selectedRow();
    if (!TakesRow(list.at(row), rules))
        return report;
    RenameList::EditScope scope(list);
    WalkRow(list, scope, row, renamer, icons, rules, report);
    return report;
}

void AppendRows(QStringList& lines, const QList<RenameRowResult>& rows)
{
    for (const RenameRowResult& result : rows) {
        lines.append(RenameRowHeading(result));
        lines.append(QStringLiteral("    ") + result.reason);
    }
}

} // namespace

bool WalkTakesRow(const QString& currentName, const QString& target, bool skipMarker)
{
    return !target.isEmpty() && target != currentName && !(skipMarker && target == DetectionFailureMarker());
}

RenameReport RenameAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return WalkAll(list, renamer, icons, RulesOf(WalkKind::RenameAll));
}

RenameReport UndoAll(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return WalkAll(list, renamer, icons, RulesOf(WalkKind::UndoAll));
}

RenameReport RenameSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return WalkSelected(list, renamer, icons, RulesOf(WalkKind::RenameSelected));
}

RenameReport UndoSelected(RenameList& list, FileRenamer& renamer, IconIndexer& icons)
{
    return WalkSelected(list, renamer, icons, RulesOf(WalkKind::UndoSelected));
}

QList<PlannedRename> WalkPlan(const RenameList& list, WalkKind kind)
{
    const WalkRules rules = RulesOf(kind);
    QList<PlannedRename> plan;
    auto consider = [&](int row) {
        const RenameEntry& entry = list.at(row);
        if (TakesRow(entry, rules))
            plan.append({row, entry.folder, entry.currentName, TargetOf(entry, rules)});
    };
    if (IsWholeList(kind)) {
        plan.reserve(list.count());
        for (int row = 0; row < list.count(); ++row)
            consider(row);
    } else if (list.hasSelection()) {
        consider(list.selectedRow());
    }
    return plan;
}

QString RenameReportSummary(const RenameReport& report)
{
    if (report.failures.isEmpty())
        return report.notes.isEmpty() ? QString()
                                      : QStringLiteral("リネームは完了しました。次の点をご確認ください。");
    QString summary =
        QStringLiteral("%1 件のファイルをリネームできませんでした。").arg(report.failures.size());
    if (report.renamed > 0)
        summary += QStringLiteral("ほかの %1 件はリネームしました。").arg(report.renamed);
    return summary;
}

QString RenameRowHeading(const RenameRowResult& result)
{
    return QStringLiteral("%1 行目：%2 → %3").arg(result.row + 1).arg(result.sourcePath, result.targetName);
}

QString FailedRowsTitle(qsizetype count)
{
    return QStringLiteral("リネームできなかったファイル（%1 件）").arg(count);
}

QString NotedRowsTitle(qsizetype count)
{
    return QStringLiteral("リネームしたファイルの確認事項（%1 件）").arg(count);
}

QString RenameFailureText(const RenameReport& report)
{
    const QString summary = RenameReportSummary(report);
    if (summary.isEmpty())
        return {};
    QStringList lines{summary};
    const bool both = !report.failures.isEmpty() && !report.notes.isEmpty();
    if (both)
        lines.append(FailedRowsTitle(report.failures.size()));
    AppendRows(lines, report.failures);
    if (both)
        lines.append(NotedRowsTitle(report.notes.size()));
    AppendRows(lines, report.notes);
    return lines.join(QLatin1Char('\n'));
}
