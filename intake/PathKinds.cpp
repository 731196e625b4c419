#include "intake/PathKinds.h"

#include "core/Paths.h"

#include <QHash>

#include <algorithm>

namespace {

// The index of the last separator of a path that names an entry of a folder
// plainly: not ending in a separator, not "." or "..". Otherwise -1.
template <typename View> qsizetype PlainSeparator(View path)
{
    const qsizetype last = path.lastIndexOf(NativeSeparator());
    if (last < 0 || last == path.size() - 1)
        return -1;
    const View name = path.sliced(last + 1);
    return name == QLatin1StringView(".") || name == QLatin1StringView("..") ? -1 : last;
}

bool IsDotOrDotDot(QAnyStringView name)
{
    return name.size() <= 2 && (name == QLatin1StringView(".") || name == QLatin1StringView(".."));
}

#ifdef Q_OS_WIN
// Windows finds "SUB" where the folder holds "sub": names that differ only
// in case must hash alike. Each unit is upper-cased on its own, as the file
// system compares them.
constexpr bool FoldsCase = true;
#else
constexpr bool FoldsCase = false;
#endif

// A name's hash over its UTF-16 units, whether it is held as ASCII bytes or
// as UTF-16.
quint64 NameHash(QAnyStringView name)
{
    return name.visit([](auto view) {
        quint64 state = 14695981039346656037ull;
        const auto feed = [&state](auto units, qsizetype size) {
            for (qsizetype i = 0; i < size; ++i) {
                const char32_t unit = FoldsCase ? QChar::toUpper(char32_t(units[i])) : char32_t(units[i]);
                state = (state ^ static_cast<quint64>(unit)) * 1099511628211ull;
            }
        };
        if constexpr (std::is_same_v<decltype(view), QStringView>) {
            feed(view.utf16(), view.size());
        } else {
            const auto* bytes = reinterpret_cast<const unsigned char*>(view.data());
            if (std::any_of(bytes, bytes + view.size(), [](unsigned char byte) { return byte >= 0x80; }))
                return NameHash(QStringView(view.toString()));
            feed(bytes, view.size());
        }
        return state;
    });
}

} // namespace

PathKinds::PathKinds(const GivenPaths& paths, FolderLister& lister)
    : m_lister(lister)
{
    m_splits.resize(static_cast<size_t>(paths.size()));
    QHash<QString, int> parentOfFolder;
    QString decoded;
    QString lastFolder;
    int lastParent = -1;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        VisitPath(paths.at(i, decoded), [&](auto path) {
            const qsizetype separator = PlainSeparator(path);
            if (separator < 0)
                return;
            // The root keeps its separator.
            const auto folder = path.first(separator == 0 ? 1 : separator);
            if (lastParent < 0 || folder != lastFolder) {
                lastFolder = folder.toString();
                const auto found = parentOfFolder.constFind(lastFolder);
                if (found != parentOfFolder.cend()) {
                    lastParent = *found;
                } else {
                    lastParent = static_cast<int>(m_parents.size());
                    parentOfFolder.insert(lastFolder, lastParent);
                    m_parents.push_back({lastFolder, NameText(lastFolder), 0, Parent::State::Unread, {}});
                }
            }
            m_splits[static_cast<size_t>(i)] = {static_cast<qint32>(separator), lastParent};
            ++m_parents[static_cast<size_t>(lastParent)].given;
        });
    }
}

const NameText& PathKinds::folderOf(qsizetype index) const
{
    const Split& split = m_splits[static_cast<size_t>(index)];
    return split.separator == 0 ? m_root : m_parents[static_cast<size_t>(split.parent)].text;
}

bool PathKinds::isExistingFolder(qsizetype index, QAnyStringView path)
{
    const Split& split = m_splits[static_cast<size_t>(index)];
    if (split.parent < 0)
        return IsExistingFolder(path.toString());
    Parent& parent = m_parents[static_cast<size_t>(split.parent)];
    if (parent.given < ListingThreshold)
        return IsExistingFolder(path.toString());
    if (parent.state == Parent::State::Unread)
        read(parent);
    if (parent.state == Parent::State::AskEach)
        return IsExistingFolder(path.toString());
    if (parent.subfolderHashes.empty())
        return false;
    const quint64 hash =
        VisitPath(path, [&](auto view) { return NameHash(view.sliced(split.separator + 1)); });
    return std::binary_search(parent.subfolderHashes.cbegin(), parent.subfolderHashes.cend(), hash) &&
           IsExistingFolder(path.toString());
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
        // "." and ".." are never the name of a plain path: with them the
        // folder would seem to have subfolders, and each path would be
        // looked for among them.
        if (entry.directory && !IsDotOrDotDot(entry.name))
            parent.subfolderHashes.push_back(NameHash(entry.name));
    }
    std::sort(parent.subfolderHashes.begin(), parent.subfolderHashes.end());
    parent.state = reader->unreadable() ? Parent::State::AskEach : Parent::State::Read;
}
