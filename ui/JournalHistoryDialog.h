#pragma once
// "リネーム履歴": the last batches of the rename journal, newest first, and
// the button that puts the chosen one's names back. The dialog only shows and
// asks; the main window does the work and hands the new listing back.

#include "core/RenameJournal.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

class JournalHistoryDialog final : public QDialog {
    Q_OBJECT
public:
    explicit JournalHistoryDialog(QWidget* parent = nullptr);

    // Keeps the chosen batch chosen when it is still listed.
    void setBatches(const QList<JournalSummary>& batches);

    // The texts of the listing, also for tests.
    [[nodiscard]] static QString stateText(const JournalSummary& batch);
    [[nodiscard]] static QString walkText(RenameWalkKind walk);
    [[nodiscard]] static bool canPutBack(const JournalSummary& batch);

Q_SIGNALS:
    void putBackRequested(const QString& batchId);

private:
    void updateButton();
    [[nodiscard]] int chosenIndex() const;

    QLabel* m_caption = nullptr;
    QTreeWidget* m_table = nullptr;
    QPushButton* m_putBack = nullptr;
    QList<JournalSummary> m_batches;
};
