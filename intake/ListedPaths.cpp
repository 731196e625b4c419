#include "intake/ListedPaths.h"

#include "core/Paths.h"

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

constexpr size_t FirstCapacity = 64;

} // namespace

quint32 PathHash(QStringView path)
{
    quint64 state = HashStart;
    for (const QChar unit : path)
        state = Step(state, unit.unicode());
    return Finish(state);
}

ListedPaths::ListedPaths(const RenameList& list, const QList<RenameEntry>& gathered)
    : m_list(list)
    , m_gathered(gathered)
    , m_lastPathFolderState(HashStart)
{}

const RenameEntry& ListedPaths::rowAt(qsizetype index) const
{
    return index < m_list.count() ? m_list.at(static_cast<int>(index))
                                  : m_gathered.at(index - m_list.count());
}

quint32 ListedPaths::hashOfRow(const RenameEntry& entry)
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

quint32 ListedPaths::hashOfPath(QStringView path)
{
    // The same as PathHash(path), with the folder's part computed once a run.
    const QStringView folder = path.first(path.lastIndexOf(NativeSeparator()) + 1);
    if (!(folder == m_lastPathFolder)) {
        m_lastPathFolder = folder.toString();
        m_lastPathFolderState = HashStart;
        for (const QChar unit : folder)
            m_lastPathFolderState = Step(m_lastPathFolderState, unit.unicode());
    }
    quint64 state = m_lastPathFolderState;
    for (const QChar unit : path.sliced(folder.size()))
        state = Step(state, unit.unicode());
    return Finish(state);
}

void ListedPaths::indexNewRows()
{
    const qsizetype rows = m_list.count() + m_gathered.size();
    for (; m_indexed < rows; ++m_indexed)
        insert(hashOfRow(rowAt(m_indexed)), m_indexed);
}

void ListedPaths::insert(quint32 hash, qsizetype row)
{
    if ((static_cast<size_t>(row) + 1) * 2 > m_slots.size())
        grow();
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot] != 0)
        slot = (slot + 1) & mask;
    m_slots[slot] = static_cast<quint64>(hash) << 32 | static_cast<quint64>(row + 1);
}

void ListedPaths::grow()
{
    std::vector<quint64> old;
    old.swap(m_slots);
    m_slots.assign(old.empty() ? FirstCapacity : old.size() * 2, 0);
    const size_t mask = m_slots.size() - 1;
    for (const quint64 entry : old) {
        if (entry == 0)
            continue;
        size_t slot = static_cast<quint32>(entry >> 32) & mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = entry;
    }
}

bool ListedPaths::contains(QStringView path)
{
    indexNewRows();
    if (m_slots.empty())
        return false;
    const quint32 hash = hashOfPath(path);
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        const quint64 entry = m_slots[slot];
        if (static_cast<quint32>(entry >> 32) == hash &&
            HasFullPath(rowAt(static_cast<qsizetype>(entry & 0xffffffffu) - 1), path))
            return true;
    }
    return false;
}
