#pragma once

#include "core/NameText.h"

#include <vector>

// A number for each name of one folder: who has the name while the preview
// plays a walk through. A folder may hold a million names and every row looks
// several of them up, so each slot keeps its name's hash beside the name: a
// probe that meets another name tells it apart without reading that name's
// text (QHash reads it, a cache miss apiece). Open addressing with linear
// probing, four names in five slots as reserved, nine in ten at most.
class NameTable {
public:
    void reserve(qsizetype names);
    [[nodiscard]] qsizetype size() const { return m_count; }

    // Asks the memory for the slot where `name` is looked for first. A
    // million lookups wait on memory, not on the processor: asking a few
    // names ahead lets those waits overlap.
    void prefetch(const NameText& name) const;

    // The number kept for `name`, or `absent` when it has none.
    [[nodiscard]] int value(const NameText& name, int absent) const;
    // The number kept for `name`, null when it has none.
    [[nodiscard]] int* find(const NameText& name);
    // The number kept for `name`, added as 0 when it had none.
    int& operator[](const NameText& name);

private:
    struct Slot {
        quint32 tag = 0; // 0 for a free slot; otherwise from the name's hash, never 0
        int value = 0;
        NameText name;
    };
    struct Probe {
        size_t index;
        quint32 tag;
    };
    [[nodiscard]] Probe probeOf(const NameText& name) const;
    // The slot that holds `name`, or the free slot where it would go.
    [[nodiscard]] size_t slotOf(const NameText& name, quint32& tag) const;
    // The slot that holds `name`, null when none does.
    [[nodiscard]] const Slot* holding(const NameText& name) const;
    void grow(size_t slots);

    std::vector<Slot> m_slots;
    qsizetype m_count = 0;
};
