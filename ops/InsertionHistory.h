#pragma once
// The history of insertion texts shown in the insertion box's list, most recent first.

#include <QString>
#include <QStringList>

inline constexpr int kInsertionHistoryLimit = 10;

// Puts the text first, drops its first earlier occurrence (exact,
// case-sensitive) and keeps at most kInsertionHistoryLimit entries. An empty
// text is not remembered. The caller shows entry 0 in the combo box.
void RememberInsertionText(QStringList& history, const QString& text);
