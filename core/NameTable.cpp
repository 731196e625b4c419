#include "core/NameTable.h"

#include <QHashFunctions>

namespace {

// Four names in five slots keep the probes short; linear probing walks
// neighbouring slots, which share cache lines.
size_t SlotsFor(qsizetype names)
{
    return static_cast<size_t>(names) + static_cast<size_t>(names) / 4 + 8;
}

// A table made for its names grows only well past them: a few names more
// than foreseen (the "." and ".." of a listing) should not double it.
size_t MostNamesIn(size_t slots)
{
    return slots - slots / 10;
}

} // namespace

void NameTable::reserve(qsizetype names)
{
    if (SlotsFor(names) > m_slots.size())
        grow(SlotsFor(names));
}

NameTable::Probe NameTable::probeOf(const NameText& name) const
{
    const quint64 hash = qHash(name, 0);
    // The high half picks the first slot (scaled to the table, which need not
    // be a power of two), the low half is the tag.
    const auto index = static_cast<size_t>((hash >> 32) * m_slots.size() >> 32);
    const auto tag = static_cast<quint32>(hash) | 1u;
    return {index, tag};
}

void NameTable::prefetch(const NameText& name) const
{
    if (!m_slots.empty())
        __builtin_prefetch(&m_slots[probeOf(name).index]);
}

size_t NameTable::slotOf(const NameText& name, quint32& tag) const
{
    const Probe probe = probeOf(name);
    tag = probe.tag;
    for (size_t index = probe.index;; index = index + 1 == m_slots.size() ? 0 : index + 1) {
        const Slot& slot = m_slots[index];
        if (slot.tag == 0 || (slot.tag == probe.tag && slot.name == name))
            return index;
    }
}

const NameTable::Slot* NameTable::holding(const NameText& name) const
{
    if (m_count == 0)
        return nullptr;
    quint32 tag = 0;
    const Slot& slot = m_slots[slotOf(name, tag)];
    return slot.tag == 0 ? nullptr : &slot;
}

int NameTable::value(const NameText& name, int absent) const
{
    const Slot* slot = holding(name);
    return slot ? slot->value : absent;
}

int* NameTable::find(const NameText& name)
{
    Slot* slot = const_cast<Slot*>(holding(name));
    return slot ? &slot->value : nullptr;
}

int& NameTable::operator[](const NameText& name)
{
    if (static_cast<size_t>(m_count) + 1 > MostNamesIn(m_slots.size()))
        grow(2 * SlotsFor(m_count + 1));
    quint32 tag = 0;
    Slot& slot = m_slots[slotOf(name, tag)];
    if (slot.tag == 0) {
        slot = {tag, 0, name};
        ++m_count;
    }
    return slot.value;
}

void NameTable::grow(size_t slots)
{
    std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(slots));
    for (Slot& moving : old) {
        if (moving.tag == 0)
            continue;
        quint32 tag = 0;
        m_slots[slotOf(moving.name, tag)] = std::move(moving);
    }
}
