#include "intake/PathIntake.h"

#include "core/Paths.h"

namespace {

// The path without trailing separators, as a row takes it: "dir/" is the
// folder "dir".
template <typename View> View Trimmed(View path, QChar sep)
{
    while (path.size() > 1 && path.endsWith(sep))
        path.chop(1);
    return path;
}

} // namespace

PathIntake::PathIntake(RenameList& list, GivenPaths paths, std::function<bool()> addFolderAsRow,
                       bool includeSubfolders, FolderLister& lister, IconIndexer& icons)
    : m_list(list)
    , m_paths(std::move(paths))
    , m_addFolderAsRow(std::move(addFolderAsRow))
    , m_includeSubfolders(includeSubfolders)
    , m_lister(lister)
    , m_icons(icons)
{}

std::unique_ptr<PathIntake> PathIntake::ofFolder(RenameList& list, const QString& folder,
                                                 const QString& pattern, bool includeSubfolders,
                                                 FolderLister& lister, IconIndexer& icons)
{
    auto intake =
        std::make_unique<PathIntake>(list, GivenPaths{folder}, nullptr, includeSubfolders, lister, icons);
    intake->m_scanEveryPath = true;
    intake->m_pattern = pattern;
    return intake;
}

PathIntake::~PathIntake() = default;

bool PathIntake::runFor(QDeadlineTimer deadline)
{
    for (int sinceCheck = 1;; ++sinceCheck) {
        if (m_scan) {
            if (!m_scan->runFor(deadline, m_rows))
                return false;
            endScan();
        }
        if (m_next >= m_paths.size())
            break;
        if (sinceCheck % DeadlineCheckInterval == 0 && deadline.hasExpired())
            return false;
        takePath(m_next++);
    }
    m_kinds.reset(); // before the repeats are sought, which need memory of their own
    m_repeats.removeFrom(m_list, m_rows);
    m_result.added = static_cast<int>(m_rows.size());
    m_result.inNameOrder = m_result.added <= 1 || m_sources == 1;
    m_list.appendAll(std::exchange(m_rows, {}));
    return true;
}

void PathIntake::takePath(qsizetype index)
{
    const QAnyStringView path = m_paths.at(index, m_decoded);
    if (m_scanEveryPath) {
        startScan(path.toString(), m_pattern);
        return;
    }
    if (!m_kinds) {
        m_kinds.emplace(m_paths, m_lister);
        m_rows.reserve(m_rows.size() + m_paths.size() - index); // most paths are files
    }
    const bool folder = m_kinds->isExistingFolder(index, path);
    if (folder && !m_addFolderAsRow()) {
        startScan(path.toString(), m_pattern);
        return;
    }
    VisitPath(path, [&](auto view) { addRow(index, view, folder); });
}

template <typename View> void PathIntake::addRow(qsizetype index, View path, bool folder)
{
    const QChar sep = NativeSeparator();
    // A plain path was split already, and the rows of its folder share the
    // folder's text.
    const qsizetype plainSeparator = m_kinds->separatorOf(index);
    const View trimmed = plainSeparator >= 0 ? path : Trimmed(path, sep);
    const qsizetype last = plainSeparator >= 0 ? plainSeparator : trimmed.lastIndexOf(sep);
    const View name = trimmed.sliced(last + 1);
    if (name.isEmpty())
        return; // the root folder has no name to change
    if (plainSeparator < 0) {
        const View folderText = last <= 0 ? View() : trimmed.first(last);
        if (!(m_lastFolder == folderText))
            m_lastFolder = NameText(folderText);
    }
    // The row's full path is the given path itself unless the path ends in a
    // separator, has a doubled one before the name or none at all.
    const bool plain = trimmed.size() == path.size() && last > 0 && trimmed.at(last - 1) != sep;
    m_repeats.addTested(m_rows.size(), path, plain);
    ++m_sources;
    RenameEntry& row = m_rows.emplace_back();
    row.currentName = NameText(name);
    row.folder = plainSeparator >= 0 ? m_kinds->folderOf(index) : m_lastFolder;
    row.icon = m_icons.indexForName(name, folder);
}

void PathIntake::startScan(const QString& folder, const QString& pattern)
{
    ++m_sources;
    m_scan = std::make_unique<FolderScan>(folder, pattern, m_includeSubfolders, m_lister, m_icons);
}

void PathIntake::endScan()
{
    const ScanSummary& summary = m_scan->summary();
    if (summary.unreadable)
        m_result.unreadableFolders.append(m_scan->folder());
    m_scan.reset();
}

IntakeResult IntakePaths(RenameList& list, const GivenPaths& paths,
                         const std::function<bool()>& addFolderAsRow, bool includeSubfolders,
                         FolderLister& lister, IconIndexer& icons)
{
    PathIntake intake(list, paths, addFolderAsRow, includeSubfolders, lister, icons);
    RunToEnd(intake);
    return intake.result();
}
