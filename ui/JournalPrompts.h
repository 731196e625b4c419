#pragma once

#include "core/RenameWalk.h"

#include <QObject>

class QWidget;
class RenameSession;

// The text with every short phrase in 「」 held together: a Japanese line
// may break between any two letters, and a caption quoted in a message must
// not ("「そのままにす" / "る」"). The phrases get word joiners (U+2060),
// which take no room.
[[nodiscard]] QString KeepQuotedTogether(const QString& text);

// The rename journal's questions, asked over the window: rename without a
// journal, put back a batch a crash cut short, and the journal files that
// were set aside. Each answer goes back to the session.
class JournalPrompts final : public QObject {
    Q_OBJECT
public:
    JournalPrompts(RenameSession& session, QWidget* window);

private:
    void askToRenameWithoutJournal(RenameWalkKind kind, const QString& problem);
    void askRecovery(const QString& batchId, const QString& text, const QString& details);
    void showSetAside(const QStringList& paths);

    RenameSession& m_session;
    QWidget* m_window;
};
