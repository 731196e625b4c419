#pragma once

#include "core/RenameList.h"
#include "core/RenamePreview.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QItemSelectionModel>

class IconTable;

// Shows a RenameList in a view: four text columns and, while icons are on,
// the row's icon from the icon table. Every change of the list arrives as one
// notification per batch; data() only returns what the rows store.
class RenameListModel final : public QAbstractTableModel, private RenameListObserver {
    Q_OBJECT
public:
    RenameListModel(RenameList& list, IconTable& icons, QObject* parent = nullptr);
    ~RenameListModel() override;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Attaches or detaches the icon table; the rows keep their indexes.
    void setIconsShown(bool shown);
    [[nodiscard]] bool iconsShown() const { return m_iconsShown; }
    // The predicted outcome of the rename, one entry per row: rows that would
    // fail show their new name in an error colour, with a warning icon and
    // the reason. Announced as one change of the rows whose marks changed.
    void setPreview(RenamePreview preview);
    [[nodiscard]] int failingCount() const { return m_failing; }

    // The list's selected row as a view's current row, kept in step both
    // ways: a view that uses it needs nothing else. The row the user makes
    // current becomes the selected row; a row the list selects, or carries
    // along when rows are removed, moved or sorted, becomes current. The
    // view's own moves of its current row while the rows change are not the
    // user's choice and are left to the list.
    [[nodiscard]] QItemSelectionModel* selectionModel() { return &m_selection; }

private:
    void beginAppend(int first, int count) override;
    void endAppend() override;
    void beginRemove(int first, int count) override;
    void endRemove() override;
    void beginMove(int from, int to) override;
    void endMove() override;
    void beginReset() override;
    void endReset() override;
    void beginReorder() override;
    void endReorder(const QList<int>& newOrder) override;
    void rowsChanged(int first, int last) override;
    void selectionChanged(int row) override;
    [[nodiscard]] QVariant previewData(const RenameEntry& entry, const RowPreview& preview, int role) const;
    [[nodiscard]] QIcon warningIcon() const;
    // Marks stand for rows by index: once rows are removed or reordered they
    // are dropped until the next preview (appended rows simply have none).
    void dropPreview();
    void currentRowChosen(const QModelIndex& current);

    RenameList& m_list;
    IconTable& m_icons;
    QItemSelectionModel m_selection;
    bool m_iconsShown = false;
    bool m_changing = false;
    QList<RowPreview> m_preview;
    int m_failing = 0;
    mutable QIcon m_warningIcon;
};
