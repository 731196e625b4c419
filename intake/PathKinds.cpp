#include "intake/PathKinds.h"

#include "core/Paths.h"

#include <algorithm>

namespace {

// The index of the last separator of a path that names an entry of a folder
// plainly: not ending in a separator, not "." or "..". Otherwise -1.
qsizetype PlainSeparator(QStringView path)
{
    const qsizetype last = path.lastIndexOf(NativeSeparator());
    if (last < 0 || last == path.size() - 1)
        return -1;
    const QStringView name = path.sliced(last + 1);
    return name == u"." || name == u".." ? -1 : last;
}

// The folder of a plain path; the root keeps its separator.
QStringView FolderPart(QStringView path, qsizetype separator)
{
    return separator == 0 ? path.first(1) : path.first(separator);
}

} // namespace

PathKinds::PathKinds(const QStringList& paths, FolderLister& lister)
    : m_paths(paths)
    , m_lister(lister)
{
    m_splits.resize(static_cast<size_t>(paths.size()));
    QHash<QStringView, int> parentOfFolder; // views into `paths`, which outlive this
    QStringView lastFolder;
    int lastParent = -1;
    int run = -1;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        Split& split = m_splits[static_cast<size_t>(i)];
        split.separator = PlainSeparator(paths.at(i));
        if (split.separator < 0)
            continue;
        const QStringView folder = FolderPart(paths.at(i), split.separator);
        if (lastParent < 0 || folder != lastFolder) {
            lastFolder = folder;
            ++run;
            const auto found = parentOfFolder.constFind(folder);
            if (found != parentOfFolder.cend()) {
                lastParent = *found;
            } else {
                lastParent = static_cast<int>(m_parents.size());
                parentOfFolder.insert(folder, lastParent);
                m_parents.push_back({folder.toString(), 0, Parent::State::Unread, {}});
            }
        }
        split.parent = lastParent;
        split.run = run;
        ++m_parents[static_cast<size_t>(lastParent)].given;
    }
}

bool PathKinds::isExistingFolder(qsizetype index)
{
    const QString& path = m_paths.at(index);
    const Split& split = m_splits[static_cast<size_t>(index)];
    if (split.parent < 0)
        return IsExistingFolder(path);
    Parent& parent = m_parents[static_cast<size_t>(split.parent)];
    if (parent.given < ListingThreshold)
        return IsExistingFolder(path);
    if (parent.state == Parent::State::Unread)
        read(parent);
    if (parent.state == Parent::State::AskEach)
        return IsExistingFolder(path);
    if (parent.subfolderHashes.empty())
        return false;
    const size_t hash = qHash(QStringView(path).sliced(split.separator + 1));
    return std::binary_search(parent.subfolderHashes.cbegin(), parent.subfolderHashes.cend(), hash) &&
           IsExistingFolder(path);
}

void PathKinds::read(Parent& parent)
{
    // Reading stops where it would cost more than the look-ups it saves.
    const qsizetype limit = 16 * qsizetype(parent.given) + 1024;
    const std::unique_ptr<FolderReader> reader = m_lister.open(parent.folder, QStringLiteral("*"));
    FolderEntry entry;
    for (qsizetype read = 0; reader->next(entry);) {
        if (++read > limit) {
            parent.state = Parent::State::AskEach;
            return;
        }
        if (entry.directory)
            parent.subfolderHashes.push_back(qHash(entry.name.toString()));
    }
    std::sort(parent.subfolderHashes.begin(), parent.subfolderHashes.end());
    parent.state = reader->unreadable() ? Parent::State::AskEach : Parent::State::Read;
}
