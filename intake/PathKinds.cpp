#include "intake/PathKinds.h"

#include "core/Paths.h"

namespace {

// The folder and the name of a path that names an entry of a folder plainly:
// not ending in a separator, not "." or "..". Otherwise nothing.
bool SplitPlainPath(QStringView path, QStringView& folder, QStringView& name)
{
    const QChar sep = NativeSeparator();
    const qsizetype last = path.lastIndexOf(sep);
    if (last < 0 || last == path.size() - 1)
        return false;
    name = path.sliced(last + 1);
    if (name == u"." || name == u"..")
        return false;
    folder = last == 0 ? path.first(1) : path.first(last); // the root keeps its separator
    return true;
}

} // namespace

PathKinds::PathKinds(const QStringList& paths, FolderLister& lister)
    : m_lister(lister)
{
    QStringView folder;
    QStringView name;
    QStringView counting;
    Parent* parent = nullptr;
    for (const QString& path : paths) {
        if (!SplitPlainPath(path, folder, name))
            continue;
        if (!parent || folder != counting) {
            counting = folder;
            parent = &m_parents[folder.toString()];
        }
        ++parent->given;
    }
}

PathKinds::Parent* PathKinds::parentOf(QStringView folder)
{
    if (!m_last || folder != m_lastFolder) {
        m_lastFolder = folder.toString();
        const auto found = m_parents.find(m_lastFolder);
        m_last = found == m_parents.end() ? nullptr : &*found;
    }
    return m_last;
}

bool PathKinds::isExistingFolder(const QString& path)
{
    QStringView folder;
    QStringView name;
    Parent* parent = SplitPlainPath(path, folder, name) ? parentOf(folder) : nullptr;
    if (!parent || parent->given < ListingThreshold)
        return IsExistingFolder(path);
    if (parent->state == Parent::State::Unread)
        read(m_lastFolder, *parent);
    if (parent->state == Parent::State::AskEach)
        return IsExistingFolder(path);
    return !parent->subfolders.isEmpty() && parent->subfolders.contains(name.toString()) &&
           IsExistingFolder(path);
}

void PathKinds::read(const QString& folder, Parent& parent)
{
    // Reading stops where it would cost more than the look-ups it saves.
    const qsizetype limit = 16 * qsizetype(parent.given) + 1024;
    const std::unique_ptr<FolderReader> reader = m_lister.open(folder, QStringLiteral("*"));
    FolderEntry entry;
    for (qsizetype read = 0; reader->next(entry);) {
        if (++read > limit) {
            parent.state = Parent::State::AskEach;
            return;
        }
        if (entry.directory)
            parent.subfolders.insert(entry.name.toString());
    }
    parent.state = reader->unreadable() ? Parent::State::AskEach : Parent::State::Read;
}
