#include "core/ListOps.h"

#include "core/Paths.h"

int AddPathRow(RenameList& list, const QString& path, IconIndexer& icons)
{
    // A folder given as "dir/" is the folder "dir": a row needs a name.
    QString trimmed = path;
    const QChar sep = NativeSeparator();
    while (trimmed.size() > 1 && trimmed.endsWith(sep))
        trimmed.chop(1);
    RenameEntry entry;
    entry.currentName = FileNameOf(trimmed);
    if (entry.currentName.isEmpty())
        return -1; // the root folder has no name to change
    entry.folder = FolderOf(trimmed);
    entry.icon = icons.indexOfPath(trimmed);
    return list.append(std::move(entry));
}

bool IsPathListed(const RenameList& list, const QString& path)
{
    return list.containsPath(path);
}

ScanSummary ScanFolder(RenameList& list, const QString& folder, const QString& pattern, bool includeFolders,
                       FolderLister& lister, IconIndexer& icons)
{
    const FolderListing listing = lister.list(folder, pattern);
    QList<RenameEntry> rows;
    rows.reserve(listing.entries.size());
    for (const ListedEntry& found : listing.entries) {
        if (found.directory && !includeFolders)
            continue;
        if (found.name == QLatin1String(".") || found.name == QLatin1String(".."))
            continue;
        if (found.hidden || found.system)
            continue;
        RenameEntry entry;
        entry.currentName = found.name;
        entry.folder = folder;
        entry.icon = icons.indexFor(found.name, found.directory);
        rows.append(std::move(entry));
    }
    ScanSummary summary;
    summary.added = static_cast<int>(rows.size());
    summary.undecodable = listing.undecodable;
    list.appendAll(std::move(rows));
    return summary;
}

bool MoveRowUp(RenameList& list)
{
    const int k = list.selectedRow();
    if (list.count() < 2 || k < 1 || !list.hasSelection())
        return false;
    list.swapRows(k, k - 1);
    list.setSelectedRow(k - 1);
    return true;
}

bool MoveRowDown(RenameList& list)
{
    const int k = list.selectedRow();
    if (list.count() < 2 || !list.hasSelection() || k >= list.count() - 1)
        return false;
    list.swapRows(k, k + 1);
    list.setSelectedRow(k + 1);
    return true;
}

bool RemoveSelectedRow(RenameList& list)
{
    if (!list.hasSelection())
        return false;
    list.removeRow(list.selectedRow());
    return true;
}

QString CountText(int rows)
{
    return QStringLiteral("総数：") + QString::number(rows);
}
