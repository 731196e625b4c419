#pragma once

#include "core/RenameEntry.h"

#include <QList>
#include <QStringView>

#include <utility>

// Told about every change of a RenameList before and after it happens, so a
// model adapter can translate changes into one notification per batch.
class RenameListObserver {
public:
    virtual ~RenameListObserver() = default;
    virtual void beginAppend(int first, int count) = 0;
    virtual void endAppend() = 0;
    virtual void beginRemove(int first, int count) = 0;
    virtual void endRemove() = 0;
    virtual void beginReset() = 0;
    virtual void endReset() = 0;
    // One row goes from index `from` to index `to` (its index after the
    // move); the rows between close up behind it.
    virtual void beginMove(int from, int to) = 0;
    virtual void endMove() = 0;
    virtual void beginReorder() = 0; // sorts
    // newOrder[i] is the old index of new row i, so a view can follow its rows.
    virtual void endReorder(const QList<int>& newOrder) = 0;
    virtual void rowsChanged(int first, int last) = 0;
    // The selected row's index changed: chosen, or carried along by a
    // removal, move, reorder or clear (told after that change has ended).
    virtual void selectionChanged(int row) = 0;
    // An EditScope reached `row`: read or changed it. A walk on another
    // thread counts its progress with it; a view has nothing to do.
    virtual void rowReached(int /*row*/) {}
};

// The one data structure of the program: the ordered rows and the selected
// row. Rows are indexed from 0 here; the user sees them numbered from 1.
class RenameList {
public:
    static constexpr int NoRow = -1;

    void setObserver(RenameListObserver* observer) { m_observer = observer; }

    [[nodiscard]] int count() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] bool isEmpty() const { return m_rows.isEmpty(); }
    [[nodiscard]] const RenameEntry& at(int row) const { return m_rows.at(row); }
    [[nodiscard]] const QList<RenameEntry>& rows() const { return m_rows; }

    [[nodiscard]] int selectedRow() const { return m_selected; }
    [[nodiscard]] bool hasSelection() const { return m_selected >= 0 && m_selected < count(); }
    void setSelectedRow(int row);

    // A number larger than every earlier one, for RenameEntry::renameOrder.
    [[nodiscard]] quint32 nextRenameOrder() { return ++m_renameOrders; }

    // Appends rows in one notification; returns the index of the first one.
    int append(RenameEntry entry);
    int appendAll(QList<RenameEntry> entries);

    void clear();
    // Empties the list as clear() does and hands over its rows, so that the
    // caller can free a million of them where the window does not wait.
    [[nodiscard]] QList<RenameEntry> takeAll();
    void removeRow(int row);
    // Trades the places of two rows, told as moves; the selection stays with
    // its row.
    void swapRows(int a, int b);
    // Reorders rows by a permutation: newOrder[i] is the old index of new row i.
    void reorder(const QList<int>& newOrder);

    // Changes rows in place. Every row touched inside one scope is announced
    // once, as one range, when the scope ends, also when a command fails
    // half-way (the work done so far stays and is shown).
    class EditScope {
    public:
        explicit EditScope(RenameList& list)
            : m_list(list)
        {}
        ~EditScope();
        EditScope(const EditScope&) = delete;
        EditScope& operator=(const EditScope&) = delete;
        // The row to change; the reason an earlier command kept its new name goes.
        [[nodiscard]] RenameEntry& row(int index);
        // A row the walk only reads, counted as reached like a changed one.
        [[nodiscard]] const RenameEntry& visit(int index);

    private:
        RenameList& m_list;
        int m_first = -1;
        int m_last = -1;
    };

private:
    void moveRow(int from, int to);
    // Tells the observer when the selected row's index is no longer `before`.
    void selectionMoved(int before);

    QList<RenameEntry> m_rows;
    int m_selected = NoRow;
    quint32 m_renameOrders = 0;
    RenameListObserver* m_observer = nullptr;
};
