#include "core/RenameList.h"

#include "core/Paths.h"

#include <algorithm>

QString FullPathOf(const RenameEntry& entry)
{
    return JoinPath(entry.folder, entry.currentName);
}

bool HasFullPath(const RenameEntry& entry, QStringView path)
{
    // Compared piecewise, so a look-up builds no strings.
    const char16_t sep = NativeSeparator().unicode();
    const qsizetype folderSize = entry.folder.size();
    const bool joined = folderSize > 0 && entry.folder.unitAt(folderSize - 1) == sep;
    const qsizetype length = folderSize + (joined ? 0 : 1) + entry.currentName.size();
    if (length != path.size() || !(entry.folder == path.first(folderSize)))
        return false;
    if (!joined && path.at(folderSize) != sep)
        return false;
    return entry.currentName == path.sliced(length - entry.currentName.size());
}

const NameText& ColumnField(const RenameEntry& entry, int column)
{
    switch (static_cast<RenameColumn>(column)) {
    case RenameColumn::NewName:
        return entry.newName;
    case RenameColumn::PreviousName:
        return entry.previousName;
    case RenameColumn::Folder:
        return entry.folder;
    default:
        return entry.currentName;
    }
}

void RenameList::setSelectedRow(int row)
{
    if (row < 0 || row >= count())
        row = NoRow;
    if (row == m_selected)
        return;
    m_selected = row;
    if (m_observer)
        m_observer->selectionChanged(row);
}

int RenameList::append(RenameEntry entry)
{
    QList<RenameEntry> one;
    one.append(std::move(entry));
    return appendAll(std::move(one));
}

int RenameList::appendAll(QList<RenameEntry> entries)
{
    const int first = count();
    if (entries.isEmpty())
        return first;
    if (m_observer)
        m_observer->beginAppend(first, static_cast<int>(entries.size()));
    if (m_rows.isEmpty())
        m_rows = std::move(entries);
    else
        m_rows.append(std::move(entries));
    if (m_observer)
        m_observer->endAppend();
    return first;
}

void RenameList::clear()
{
    static_cast<void>(takeAll());
}

QList<RenameEntry> RenameList::takeAll()
{
    const int selected = m_selected;
    if (m_observer)
        m_observer->beginReset();
    QList<RenameEntry> rows = std::exchange(m_rows, {});
    m_selected = NoRow;
    if (m_observer)
        m_observer->endReset();
    selectionMoved(selected);
    return rows;
}

void RenameList::removeRow(int row)
{
    if (row < 0 || row >= count())
        return;
    const int selected = m_selected;
    if (m_observer)
        m_observer->beginRemove(row, 1);
    m_rows.removeAt(row);
    if (m_selected == row)
        m_selected = NoRow;
    else if (m_selected > row)
        --m_selected;
    if (m_observer)
        m_observer->endRemove();
    selectionMoved(selected);
}

void RenameList::swapRows(int a, int b)
{
    if (a < 0 || b < 0 || a >= count() || b >= count() || a == b)
        return;
    const int selected = m_selected;
    const int first = qMin(a, b);
    const int last = qMax(a, b);
    // The later row goes up to the first place; the earlier one, now just
    // below it, goes down to the last place unless it is already there.
    moveRow(last, first);
    if (last - first > 1)
        moveRow(first + 1, last);
    selectionMoved(selected);
}

void RenameList::moveRow(int from, int to)
{
    if (m_observer)
        m_observer->beginMove(from, to);
    m_rows.move(from, to);
    if (m_selected == from)
        m_selected = to;
    else if (from < m_selected && m_selected <= to)
        --m_selected;
    else if (to <= m_selected && m_selected < from)
        ++m_selected;
    if (m_observer)
        m_observer->endMove();
}

void RenameList::selectionMoved(int before)
{
    if (m_selected != before && m_observer)
        m_observer->selectionChanged(m_selected);
}

void RenameList::reorder(const QList<int>& newOrder)
{
    if (newOrder.size() != m_rows.size())
        return;
    const int selected = m_selected;
    if (m_observer)
        m_observer->beginReorder();
    QList<RenameEntry> sorted;
    sorted.reserve(m_rows.size());
    // Rows a preview's snapshot still shares are copied (the texts are
    // shared, not copied): moving them would first copy the whole list.
    const bool shared = !m_rows.isDetached();
    for (const int from : newOrder) {
        if (shared)
            sorted.append(std::as_const(m_rows)[from]);
        else
            sorted.append(std::move(m_rows[from]));
    }
    const int newSelected = m_selected == NoRow ? NoRow : static_cast<int>(newOrder.indexOf(m_selected));
    m_rows = std::move(sorted);
    m_selected = newSelected;
    if (m_observer)
        m_observer->endReorder(newOrder);
    selectionMoved(selected);
}

RenameList::EditScope::~EditScope()
{
    if (m_first >= 0 && m_list.m_observer)
        m_list.m_observer->rowsChanged(m_first, m_last);
}

RenameEntry& RenameList::EditScope::row(int index)
{
    m_first = m_first < 0 ? index : qMin(m_first, index);
    m_last = qMax(m_last, index);
    if (m_list.m_observer)
        m_list.m_observer->rowReached(index);
    RenameEntry& entry = m_list.m_rows[index];
    entry.keptReason = KeptNameReason::None;
    return entry;
}

const RenameEntry& RenameList::EditScope::visit(int index)
{
    if (m_list.m_observer)
        m_list.m_observer->rowReached(index);
    return m_list.m_rows.at(index);
}
