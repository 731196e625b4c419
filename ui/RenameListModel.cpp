#include "ui/RenameListModel.h"

#include "core/LegacyNames.h"
#include "core/NameBytes.h"
#include "platform/IconTable.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int NewNameColumn = static_cast<int>(RenameColumn::NewName);

// A red that reads well on the view's background, light or dark.
QColor NegativeTextColor()
{
    const QColor base = QApplication::palette().color(QPalette::Base);
    return base.lightness() < 128 ? QColor(0xff, 0x8a, 0x80) : QColor(0xc0, 0x1c, 0x28);
}

// A field as the list shows it: a name that is not UTF-8 read as well as it
// can be (LegacyNames.h).
QString ShownText(const RenameEntry& entry, int column)
{
    const NameText& field = ColumnField(entry, column);
    return HasStrayBytes(field) ? ShownName(field.toString()) : field.toString();
}

} // namespace

RenameListModel::RenameListModel(RenameList& list, IconTable& icons, QObject* parent)
    : QAbstractTableModel(parent)
    , m_list(list)
    , m_icons(icons)
    , m_selection(this)
{
    m_list.setObserver(this);
    connect(&m_selection, &QItemSelectionModel::currentRowChanged, this, &RenameListModel::currentRowChosen);
}

RenameListModel::~RenameListModel()
{
    m_list.setObserver(nullptr);
}

int RenameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.count();
}

int RenameListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RenameColumnCount;
}

QVariant RenameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.count())
        return {};
    const RenameEntry& entry = m_list.at(index.row());
    if (index.column() == NewNameColumn && index.row() < m_preview.size() &&
        m_preview.at(index.row()).marked()) {
        const QVariant marked = previewData(entry, m_preview.at(index.row()), role);
        if (marked.isValid())
            return marked;
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return ShownText(entry, index.column());
    if (role == Qt::ToolTipRole) {
        if (!HasStrayBytes(ColumnField(entry, index.column())))
            return ColumnText(entry, index.column());
        return QString(ShownText(entry, index.column()) + QLatin1Char('\n') +
                       QStringLiteral("文字化けしている可能性があります。名前が UTF-8 ではないため、"
                                      "文字コードを推測して表示しています。右クリックの「文字化けを直す」で"
                                      "直してから、リネームしてください。"));
    }
    if (role == Qt::DecorationRole && index.column() == 0 && HasStrayBytes(entry.currentName))
        return warningIcon();
    if (role == Qt::DecorationRole && index.column() == 0 && m_iconsShown) {
        const QIcon icon = m_icons.icon(entry.icon);
        if (!icon.isNull())
            return icon;
        // Without an icon theme the style's own pictures stand in.
        return QApplication::style()->standardIcon(
            entry.icon == IconTable::FolderIndex ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    }
    return {};
}

QVariant RenameListModel::previewData(const RenameEntry& entry, const RowPreview& preview, int role) const
{
    switch (role) {
    case Qt::ForegroundRole:
        return NegativeTextColor();
    case Qt::DecorationRole:
        return warningIcon();
    case Qt::ToolTipRole:
        return QString(ShownText(entry, NewNameColumn) + QLatin1Char('\n') +
                       PreviewProblemText(preview, m_list));
    case Qt::AccessibleDescriptionRole:
        return PreviewProblemText(preview, m_list);
    default:
        return {};
    }
}

QIcon RenameListModel::warningIcon() const
{
    if (m_warningIcon.isNull())
        m_warningIcon = QIcon::fromTheme(QStringLiteral("dialog-warning"),
                                         QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning));
    return m_warningIcon;
}

void RenameListModel::setPreview(RenamePreview preview)
{
    if (preview.rows.size() != m_list.count())
        preview = {}; // made for other rows: no marks rather than wrong ones
    // Rows whose marks change, as one range: a list where nothing changed
    // hears nothing.
    int first = -1;
    int last = -1;
    const qsizetype rows = std::max(m_preview.size(), preview.rows.size());
    for (qsizetype row = 0; row < rows; ++row) {
        const RowPreview before = m_preview.value(row);
        if (before == preview.rows.value(row))
            continue;
        if (first < 0)
            first = static_cast<int>(row);
        last = static_cast<int>(row);
    }
    m_preview = std::move(preview.rows);
    m_failing = preview.failing;
    last = std::min(last, m_list.count() - 1);
    if (first >= 0 && first <= last)
        Q_EMIT dataChanged(
            index(first, NewNameColumn), index(last, NewNameColumn),
            {Qt::ForegroundRole, Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

void RenameListModel::dropPreview()
{
    m_preview.clear();
    m_failing = 0;
}

QVariant RenameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    switch (section) {
    case 0:
        return QStringLiteral("現在の名前");
    case 1:
        return QStringLiteral("新しい名前");
    case 2:
        return QStringLiteral("前の名前");
    case 3:
        return QStringLiteral("フォルダ");
    default:
        return {};
    }
}

void RenameListModel::setIconsShown(bool shown)
{
    if (shown == m_iconsShown)
        return;
    m_iconsShown = shown;
    if (m_list.count() > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_list.count() - 1, 0), {Qt::DecorationRole});
}

void RenameListModel::beginAppend(int first, int count)
{
    beginInsertRows({}, first, first + count - 1);
}
void RenameListModel::endAppend()
{
    endInsertRows();
}
void RenameListModel::beginRemove(int first, int count)
{
    m_changing = true;
    dropPreview();
    beginRemoveRows({}, first, first + count - 1);
}
void RenameListModel::endRemove()
{
    endRemoveRows();
    m_changing = false;
}
void RenameListModel::beginMove(int from, int to)
{
    m_changing = true;
    // The marks go with their rows.
    if (std::max(from, to) < m_preview.size())
        m_preview.move(from, to);
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
}
void RenameListModel::endMove()
{
    endMoveRows();
    m_changing = false;
}
void RenameListModel::beginReset()
{
    m_changing = true;
    dropPreview();
    beginResetModel();
}
void RenameListModel::endReset()
{
    endResetModel();
    m_changing = false;
}
void RenameListModel::beginReorder()
{
    m_changing = true;
    dropPreview();
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}
void RenameListModel::endReorder(const QList<int>& newOrder)
{
    // The view's current row and its selection follow their rows to their
    // new places.
    QList<int> newRowOf(newOrder.size());
    for (int row = 0; row < newOrder.size(); ++row)
        newRowOf[newOrder.at(row)] = row;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from)
        to.append(index(newRowOf.at(old.row()), old.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    m_changing = false;
}
void RenameListModel::rowsChanged(int first, int last)
{
    Q_EMIT dataChanged(index(first, 0), index(last, 3));
}
void RenameListModel::selectionChanged(int row)
{
    const QModelIndex wanted = row >= 0 ? index(row, 0) : QModelIndex();
    if (m_selection.currentIndex() != wanted)
        m_selection.setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
void RenameListModel::currentRowChosen(const QModelIndex& current)
{
    if (!m_changing)
        m_list.setSelectedRow(current.isValid() ? current.row() : RenameList::NoRow);
}
