#pragma once
// "リネーム履歴": the last batches of the rename journal, newest first, and
// the button that puts the chosen one's names back. The dialog shows, asks
// (about later batches in the way, and before a put-back of many files) and
// hands the put-back to the session; while it runs, the dialog shows its
// progress and offers to stop it.

#include "core/RenameJournal.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;
class RenameSession;

class JournalHistoryDialog final : public QDialog {
    Q_OBJECT
public:
    explicit JournalHistoryDialog(RenameSession& session, QWidget* parent = nullptr);

    // Keeps the chosen batch chosen when it is still listed.
    void setBatches(const QList<JournalSummary>& batches);

    // The texts of the listing, also for tests.
    [[nodiscard]] static QString stateText(const JournalSummary& batch);
    [[nodiscard]] static QString walkText(const JournalBatch& header);
    [[nodiscard]] static QString countText(const JournalBatch& header);
    [[nodiscard]] static bool canPutBack(const JournalSummary& batch);
    // A put-back of more files than this asks first.
    static constexpr int kAskAbove = 100;

private:
    void updateButton();
    void askAndPutBack(const JournalSummary& batch);
    void showBusy(bool busy);
    [[nodiscard]] int chosenIndex() const;

    RenameSession& m_session;
    QLabel* m_caption = nullptr;
    QTreeWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_putBack = nullptr;
    QList<JournalSummary> m_batches;
    bool m_busy = false;
};
