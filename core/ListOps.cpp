#include "core/ListOps.h"

bool MoveRowUp(RenameList& list)
{
    const int k = list.selectedRow();
    if (list.count() < 2 || k < 1 || !list.hasSelection())
        return false;
    list.swapRows(k, k - 1);
    list.setSelectedRow(k - 1);
    return true;
}

bool MoveRowDown(RenameList& list)
{
    const int k = list.selectedRow();
    if (list.count() < 2 || !list.hasSelection() || k >= list.count() - 1)
        return false;
    list.swapRows(k, k + 1);
    list.setSelectedRow(k + 1);
    return true;
}

bool RemoveSelectedRow(RenameList& list)
{
    if (!list.hasSelection())
        return false;
    list.removeRow(list.selectedRow());
    return true;
}

QString CountText(int rows)
{
    return QStringLiteral("総数：") + QString::number(rows);
}
