#include "ui/RenameListView.h"

#include "core/NameBytes.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>

namespace {
bool carriesFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(), [](const QUrl& url) { return url.isLocalFile(); });
}
} // namespace

RenameListView::RenameListView(QWidget* parent)
    : QTableView(parent)
{
    setObjectName(QStringLiteral("fileList"));
    // Rows of one height, so a long list scrolls without measuring rows.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list for the next control; the arrows move in it.
    setTabKeyNavigation(false);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
    setSortingEnabled(false);
    horizontalHeader()->setSectionsClickable(true);
    // The folder column takes the room the window gains.
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
}

void RenameListView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void RenameListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (carriesFiles(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void RenameListView::dropEvent(QDropEvent* event)
{
    if (!carriesFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths.append(LocalPathOfUrl(url));
    }
    event->acceptProposedAction();
    Q_EMIT pathsDropped(paths, event->modifiers());
}

void RenameListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        Q_EMIT deletePressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void RenameListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        const bool overRow = indexAt(event->position().toPoint()).isValid();
        if (overRow)
            setCurrentIndex(indexAt(event->position().toPoint()));
        Q_EMIT rightButtonReleased(event->globalPosition().toPoint(), overRow);
        event->accept();
        return;
    }
    QTableView::mouseReleaseEvent(event);
}
