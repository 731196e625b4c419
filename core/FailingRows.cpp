#include "core/FailingRows.h"

#include "core/Paths.h"

#include <QHash>
#include <QLocale>

int NextFailingRow(const QList<RowPreview>& rows, int current)
{
    const auto count = static_cast<int>(rows.size());
    if (count == 0)
        return -1;
    const int start = current >= 0 && current < count ? current : -1;
    for (int step = 1; step <= count; ++step) {
        const int row = (start + step) % count;
        if (rows.at(row).fails())
            return row;
    }
    return -1;
}

QList<ReasonGroup> GroupByReason(const QList<RenameRowResult>& rows)
{
    QList<ReasonGroup> groups;
    QHash<QString, qsizetype> groupOf;
    for (const RenameRowResult& row : rows) {
        const auto found = groupOf.constFind(row.reason);
        if (found != groupOf.constEnd()) {
            groups[*found].rows.append(row);
            continue;
        }
        groupOf.insert(row.reason, groups.size());
        groups.append({row.reason, {row}});
    }
    return groups;
}

QString ReportFolder(const RenameReport& report)
{
    QString folder;
    bool first = true;
    for (const auto* rows : {&report.failures, &report.notes}) {
        for (const RenameRowResult& row : *rows) {
            const QString own = FolderOf(row.sourcePath);
            if (first)
                folder = own;
            else if (own != folder)
                return {};
            first = false;
        }
    }
    return folder;
}

QString ReportFolderLine(const QString& folder)
{
    return QStringLiteral("フォルダ「%1」").arg(folder);
}

QString ReportRowText(const RenameRowResult& row, const QString& folder)
{
    const QString source = folder.isEmpty() ? row.sourcePath : FileNameOf(row.sourcePath);
    return QStringLiteral("%1 → %2").arg(source, row.targetName);
}

QString ReasonHeading(const ReasonGroup& group)
{
    return QStringLiteral("%1 件：%2")
        .arg(QLocale(QLocale::Japanese).toString(group.rows.size()), group.reason);
}
