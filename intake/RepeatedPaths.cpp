#include "intake/RepeatedPaths.h"

#include "core/Paths.h"

#include <algorithm>
#include <array>

namespace {

// FNV-1a over UTF-16 units, so a path hashes the same whether its pieces are
// kept as ASCII or as UTF-16.
constexpr quint64 HashStart = 0xcbf29ce484222325ull;

inline quint64 Step(quint64 state, char16_t unit)
{
    return (state ^ unit) * 0x100000001b3ull;
}

quint64 Feed(quint64 state, const NameText& text, qsizetype size)
{
    if (text.isAscii()) {
        const char* ascii = text.asciiView().data();
        for (qsizetype i = 0; i < size; ++i)
            state = Step(state, static_cast<unsigned char>(ascii[i]));
    } else {
        const char16_t* units = text.utf16View().utf16();
        for (qsizetype i = 0; i < size; ++i)
            state = Step(state, units[i]);
    }
    return state;
}

inline quint32 Finish(quint64 state)
{
    return static_cast<quint32>(state ^ (state >> 32));
}

// Hashes rows' full paths; the rows of one folder share its text, so its
// part of the hash is computed once a run.
class RowHasher {
public:
    quint32 hashOf(const RenameEntry& entry)
    {
        // The full path is the folder without one trailing separator, a
        // separator and the name: exactly what JoinPath builds.
        if (!entry.folder.sharesBlockWith(m_lastFolder) || m_lastFolder.isEmpty()) {
            const char16_t sep = NativeSeparator().unicode();
            qsizetype size = entry.folder.size();
            if (size > 0 && entry.folder.unitAt(size - 1) == sep)
                --size;
            m_lastFolder = entry.folder;
            m_lastFolderState = Step(Feed(HashStart, entry.folder, size), sep);
        }
        return Finish(Feed(m_lastFolderState, entry.currentName, entry.currentName.size()));
    }

private:
    NameText m_lastFolder;
    quint64 m_lastFolderState = HashStart;
};

// A key: the hash in the high half; the row (list rows first, then gathered
// rows) and its roles in the low half.
constexpr quint64 Target = 1; // the row's full path is listed
constexpr quint64 Query = 2;  // the row's given path is looked for among earlier targets
inline quint64 KeyOf(quint32 hash, qsizetype row, quint64 roles)
{
    return static_cast<quint64>(hash) << 32 | static_cast<quint64>(row) << 2 | roles;
}
inline quint32 HashOfKey(quint64 key)
{
    return static_cast<quint32>(key >> 32);
}

// Sorts keys by their hash, a byte at a time; keys of equal hashes keep
// their order (by row).
void SortByHash(std::vector<quint64>& keys)
{
    std::vector<quint64> other(keys.size());
    for (int shift = 32; shift < 64; shift += 8) {
        std::array<size_t, 257> starts{};
        for (const quint64 key : keys)
            ++starts[((key >> shift) & 0xff) + 1];
        for (size_t i = 1; i < starts.size(); ++i)
            starts[i] += starts[i - 1];
        for (const quint64 key : keys)
            other[starts[(key >> shift) & 0xff]++] = key;
        keys.swap(other);
    }
}

} // namespace

quint32 PathHash(QStringView path)
{
    quint64 state = HashStart;
    for (const QChar unit : path)
        state = Step(state, unit.unicode());
    return Finish(state);
}

void RepeatedPaths::addTested(qsizetype row, QAnyStringView path, bool plain)
{
    if (!m_tested.empty() && m_tested.back().second == row)
        ++m_tested.back().second;
    else
        m_tested.push_back({row, row + 1});
    if (!plain)
        m_unplain.insert(row, path.toString());
}

qsizetype RepeatedPaths::removeFrom(const RenameList& list, QList<RenameEntry>& gathered) const
{
    if (m_tested.empty())
        return 0;
    const qsizetype listed = list.count();
    const auto rowAt = [&](qsizetype row) -> const RenameEntry& {
        return row < listed ? list.at(static_cast<int>(row)) : gathered.at(row - listed);
    };
    std::vector<quint64> keys;
    keys.reserve(static_cast<size_t>(listed + gathered.size()) + static_cast<size_t>(m_unplain.size()));
    RowHasher hasher;
    auto tested = m_tested.cbegin();
    for (qsizetype row = 0; row < listed + gathered.size(); ++row) {
        quint64 roles = Target;
        if (tested != m_tested.cend() && row - listed == tested->second)
            ++tested;
        if (tested != m_tested.cend() && row - listed >= tested->first) {
            const auto unplain = m_unplain.constFind(row - listed);
            if (unplain == m_unplain.cend())
                roles |= Query;
            else // looked for by its own path, before it is listed itself
                keys.push_back(KeyOf(PathHash(*unplain), row, Query));
        }
        keys.push_back(KeyOf(hasher.hashOf(rowAt(row)), row, roles));
    }
    SortByHash(keys);

    std::vector<bool> repeated(static_cast<size_t>(gathered.size()));
    std::vector<qsizetype> targets; // rows of distinct full paths in the current run of one hash
    for (size_t first = 0, end = 0; first < keys.size(); first = end) {
        for (end = first + 1; end < keys.size() && HashOfKey(keys[end]) == HashOfKey(keys[first]);)
            ++end;
        if (end - first == 1)
            continue; // a hash met once: nothing to compare
        targets.clear();
        for (size_t k = first; k < end; ++k) {
            const auto row = static_cast<qsizetype>((keys[k] & 0xffffffffu) >> 2);
            const QString fullPath = FullPathOf(rowAt(row));
            const auto listedAs = [&](const QString& path) {
                return std::any_of(targets.cbegin(), targets.cend(),
                                   [&](qsizetype target) { return HasFullPath(rowAt(target), path); });
            };
            if (keys[k] & Query)
                repeated[static_cast<size_t>(row - listed)] =
                    listedAs(m_unplain.value(row - listed, fullPath));
            if ((keys[k] & Target) && !listedAs(fullPath))
                targets.push_back(row);
        }
    }

    qsizetype kept = 0;
    for (qsizetype row = 0; row < gathered.size(); ++row) {
        if (repeated[static_cast<size_t>(row)])
            continue;
        if (kept != row)
            gathered[kept] = std::move(gathered[row]);
        ++kept;
    }
    const qsizetype removed = gathered.size() - kept;
    gathered.resize(kept);
    return removed;
}
