#include "ops/InsertionHistory.h"

void RememberInsertionText(QStringList& history, const QString& text)
{
    if (text.isEmpty())
        return;
    history.prepend(text);
    const qsizetype earlier = history.indexOf(text, 1);
    if (earlier > 0)
        history.removeAt(earlier);
    // Cut to the limit, not just by one, so a longer list read from an edited settings file shrinks too.
    if (history.size() > kInsertionHistoryLimit)
        history.resize(kInsertionHistoryLimit);
}
