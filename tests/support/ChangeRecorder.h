#pragma once
// Records which rows a list announces as changed: a command that walks the
// rows must announce them once, when the walk ends.

#include "core/RenameList.h"

#include <QList>
#include <QPair>

class ChangeRecorder final : public RenameListObserver {
public:
    QList<QPair<int, int>> changes; // first and last row of each announcement
    QList<QPair<int, int>> appends; // first row and count of each insertion
    QList<QList<int>> reorders;     // the new order of each
    QList<int> selections;          // the selected row each time it changed

    void beginAppend(int first, int count) override { appends.append({first, count}); }
    void endAppend() override {}
    void beginRemove(int, int) override {}
    void endRemove() override {}
    void beginMove(int, int) override {}
    void endMove() override {}
    void beginReset() override {}
    void endReset() override {}
    void beginReorder() override {}
    void endReorder(const QList<int>& newOrder) override { reorders.append(newOrder); }
    void rowsChanged(int first, int last) override { changes.append({first, last}); }
    void selectionChanged(int row) override { selections.append(row); }
};
