#include "intake/FolderScan.h"

#include "core/FreeLater.h"
#include "intake/SortKeys.h"

#include <vector>

namespace {

bool IsDotOrDotDot(QAnyStringView name)
{
    return name.size() <= 2 && (name == QLatin1StringView(".") || name == QLatin1StringView(".."));
}

// Puts rows[i] = old rows[order[i]] by following the permutation's cycles,
// so no second array of rows is needed.
void Permute(RenameEntry* const base, const QList<int>& order)
{
    std::vector<bool> placed(static_cast<size_t>(order.size()));
    for (qsizetype start = 0; start < order.size(); ++start) {
        if (placed[static_cast<size_t>(start)] || order[start] == start)
            continue;
        RenameEntry moving = std::move(base[start]);
        qsizetype at = start;
        for (qsizetype from = order[at]; from != start; at = from, from = order[at]) {
            base[at] = std::move(base[from]);
            placed[static_cast<size_t>(at)] = true;
        }
        base[at] = std::move(moving);
        placed[static_cast<size_t>(at)] = true;
    }
}

} // namespace

FolderScan::FolderScan(const QString& folder, const QString& pattern, bool includeFolders,
                       FolderLister& lister, IconIndexer& icons)
    : m_folder(folder)
    , m_folderText(folder)
    , m_includeFolders(includeFolders)
    , m_icons(icons)
    , m_reader(lister.open(folder, pattern))
    , m_collation(m_reader ? lister.openNameCollation() : nullptr)
{}

bool FolderScan::runFor(QDeadlineTimer deadline, QList<RenameEntry>& rows)
{
    if (m_sorting.valid()) {
        if (!ReadyBy(m_sorting, deadline))
            return false;
        m_sorting.get(); // throws what the sort threw
        return true;
    }
    if (!m_reader)
        return true;
    if (!m_reserved) {
        // Rows not made leave the room untouched, and untouched memory costs
        // nothing; copying a growing array of a million rows does.
        m_reserved = true;
        m_first = rows.size();
        rows.reserve(rows.size() + m_reader->sizeHint());
        m_reader->adviseRowRoom(rows.data() + rows.size(),
                                static_cast<size_t>(rows.capacity() - rows.size()) * sizeof(RenameEntry));
    }
    FolderEntry found;
    for (int sinceCheck = 1;; ++sinceCheck) {
        if (sinceCheck % DeadlineCheckInterval == 0 && deadline.hasExpired())
            return false;
        if (!m_reader->next(found))
            break;
        if ((found.directory && !m_includeFolders) || found.hidden || found.system ||
            IsDotOrDotDot(found.name))
            continue;
        RenameEntry& row = rows.emplace_back();
        row.currentName = NameText(found.name);
        row.folder = m_folderText;
        row.icon = m_icons.indexForName(found.name, found.directory);
        ++m_summary.added;
    }
    m_summary.unreadable = m_reader->unreadable();
    m_reader.reset(); // closes the folder
    const qsizetype count = rows.size() - m_first;
    if (count <= 1)
        return true;
    // A million names take a few hundred milliseconds to sort: a thread
    // sorts them while the window goes on painting. Nothing touches the rows
    // meanwhile: until the sort has ended, each call only waits for it.
    m_sorting = std::async(std::launch::async, [rows = rows.data() + m_first, count, this] {
        Permute(rows, SortKeys(rows, count, 0, m_collation.get()).order(true));
        ReturnFreedMemory(); // the sort keys
    });
    return runFor(deadline, rows);
}

ScanSummary ScanFolder(RenameList& list, const QString& folder, const QString& pattern, bool includeFolders,
                       FolderLister& lister, IconIndexer& icons)
{
    FolderScan scan(folder, pattern, includeFolders, lister, icons);
    QList<RenameEntry> rows;
    while (!scan.runFor(QDeadlineTimer(QDeadlineTimer::Forever), rows)) {
    }
    list.appendAll(std::move(rows));
    return scan.summary();
}
