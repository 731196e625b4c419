#include "ui/StatusPanel.h"

#include <QAccessible>

#include <algorithm>

StatusPanel::StatusPanel(const QString& caption, QWidget* parent)
    : QLabel(parent)
{
    setAccessibleDescription(caption);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
}

void StatusPanel::setFullText(const QString& text)
{
    // Hover hints repeat on every mouse move; only a change is news.
    if (text == m_fullText)
        return;
    m_fullText = text;
    showElided();
    setAccessibleName(text);
    // Said aloud as it changes; Qt 6.4 does not announce a new accessible
    // name by itself.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

QSize StatusPanel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

void StatusPanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    showElided();
}

void StatusPanel::showElided()
{
    const int room = std::max(0, contentsRect().width() - 2 * margin());
    const QString shown = fontMetrics().elidedText(m_fullText, Qt::ElideRight, room);
    setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}
