#include "ui/PathBoxFilter.h"

#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

PathBoxFilter::PathBoxFilter(QLineEdit* box)
    : QObject(box)
    , m_box(box)
{
    box->installEventFilter(this);
}

bool PathBoxFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_box)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        // Selected on focus, so a new path is typed over the old one.
        QTimer::singleShot(0, m_box, &QLineEdit::selectAll);
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (urls.isEmpty() || !urls.first().isLocalFile())
            return false;
        m_box->setText(QDir::toNativeSeparators(urls.first().toLocalFile()));
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}
