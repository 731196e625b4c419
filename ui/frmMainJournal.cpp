// The rename journal in the window: the start and end points of a walk, the
// question about batches a crash cut short, and the rename history.
#include "core/JournalRecovery.h"
#include "core/RenameJournal.h"
#include "ui/JournalHistoryDialog.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {

QString JournalProblemText(const QString& problem)
{
    return QStringLiteral("リネーム履歴を保存できませんでした：") + problem;
}

QString RecoveryDetails(const JournalBatch& batch)
{
    QString folder = QDir::toNativeSeparators(batch.firstFolder);
    if (batch.folderCount > 1)
        folder += QStringLiteral("（ほか %1 フォルダ）").arg(batch.folderCount - 1);
    const QStringList lines = {
        QStringLiteral("フォルダ：%1").arg(folder),
        QStringLiteral("ファイル数：%1 件").arg(batch.rowCount),
        QStringLiteral("日時：%1")
            .arg(batch.started.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))),
        QString(),
        QStringLiteral("変更された名前を元に戻しますか？「そのままにする」を選んだ場合も、"
                       "後で「リネーム履歴」から元に戻せます。"),
    };
    return lines.join(QLatin1Char('\n'));
}

} // namespace

bool frmMain::beginJournal(RenameWalkKind kind, QString& batchId)
{
    m_journalProblem.clear();
    batchId.clear();
    if (!m_services.journal)
        return true;
    m_journalProblem = m_services.journal->begin(kind, WalkPlan(m_list, kind), batchId);
    // Without its plan on disk a crash in the walk could not be undone: the
    // walk starts only once the user has chosen to go on without it, and
    // after that choice it is told afterwards.
    if (m_journalProblem.isEmpty() || m_journalWaived)
        return true;
    askToRenameWithoutJournal(kind, std::exchange(m_journalProblem, {}));
    return false;
}

void frmMain::askToRenameWithoutJournal(RenameWalkKind kind, const QString& problem)
{
    setStatusText(QStringLiteral("リネーム履歴を保存できないため、リネームしませんでした"));
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Quorvane"),
                                QStringLiteral("リネーム履歴を保存できないため、リネームしませんでした。"),
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("journalUnwritable"));
    box->setInformativeText(
        QStringLiteral("理由：%1%2履歴なしでリネームすると、途中で異常終了したときに元に戻す手段がなく、"
                       "リネーム履歴からも元に戻せません。空き容量や書き込み権限を確かめてから、"
                       "もう一度リネームしてください。このまま履歴なしでリネームしますか？")
            .arg(problem, QStringLiteral("\n\n")));
    QPushButton* goOn = box->addButton(QStringLiteral("履歴なしでリネーム"), QMessageBox::AcceptRole);
    box->setDefaultButton(box->addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QDialog::finished, this, [this, box, goOn, kind] {
        if (box->clickedButton() != goOn)
            return;
        // Asked once: later walks of this run go on without asking.
        m_journalWaived = true;
        runInFrame([this, kind] { renameRows(kind); });
    });
    box->open();
}

void frmMain::finishJournal(const QString& batchId, const RenameReport& report)
{
    if (!batchId.isEmpty())
        m_journalProblem = m_services.journal->finish(batchId, report.renamedRows);
    if (!m_journalProblem.isEmpty())
        setStatusText(JournalProblemText(std::exchange(m_journalProblem, {})));
}

void frmMain::offerRecovery()
{
    if (!m_services.journal || !m_services.renamer)
        return;
    // Putting names back changes rows: not while the start-up's own walk
    // (the files on the command line) still runs.
    if (isWalking()) {
        connect(this, &frmMain::listCommandFinished, this, &frmMain::offerRecovery, Qt::SingleShotConnection);
        return;
    }
    const RenameJournal::Scan scan = m_services.journal->scan();
    for (const JournalSummary& batch : scan.batches) {
        const JournalState state = batch.header.state;
        if (!batch.running && (state == JournalState::Open || state == JournalState::Undoing))
            m_pendingRecovery.append(batch.id);
    }
    reportSetAside(scan.setAside, [this] { askNextRecovery(); });
}

void frmMain::askNextRecovery()
{
    // One question at a time, newest batch first; each answer opens the next.
    while (!m_pendingRecovery.isEmpty()) {
        const QString id = m_pendingRecovery.takeFirst();
        QStringList setAside;
        const std::optional<JournalBatch> batch = m_services.journal->load(id, &setAside);
        if (!batch || m_services.journal->isRunning(id)) {
            if (!setAside.isEmpty()) {
                reportSetAside(setAside, [this] { askNextRecovery(); });
                return;
            }
            continue;
        }
        const QString text =
            batch->state == JournalState::Undoing
                ? QStringLiteral("前回、リネーム履歴から元に戻す処理が途中で終わっています。")
                : QStringLiteral("前回のリネームが途中で終わっています。");
        auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("Quorvane"), text,
                                    QMessageBox::NoButton, this);
        box->setObjectName(QStringLiteral("journalRecovery"));
        box->setInformativeText(RecoveryDetails(*batch));
        QPushButton* putBack = box->addButton(QStringLiteral("元に戻す"), QMessageBox::YesRole);
        // Also what Escape and closing the box answer: keeping is what the
        // history can still undo.
        box->addButton(QStringLiteral("そのままにする"), QMessageBox::NoRole);
        box->setDefaultButton(putBack);
        box->setAttribute(Qt::WA_DeleteOnClose);
        connect(box, &QDialog::finished, this, [this, box, putBack, id] {
            settleJournalBatch(id, box->clickedButton() == putBack);
            askNextRecovery();
        });
        box->open();
        return;
    }
}

void frmMain::settleJournalBatch(const QString& batchId, bool putBack)
{
    // Putting names back may change rows of the list, like any rename.
    const CommandScope scope(*this);
    RenameJournal& journal = *m_services.journal;
    QStringList setAside;
    std::optional<JournalBatch> batch = journal.load(batchId, &setAside);
    if (!batch || journal.isRunning(batchId)) {
        reportSetAside(setAside);
        refreshRenameHistory();
        return;
    }
    // Putting names back is a walk of its own: marked and held before the
    // first rename, so that a crash in it is recovered like any other.
    JournalBatch running = *batch;
    if (running.state == JournalState::Done)
        running.state = JournalState::Undoing;
    if (const QString problem = journal.store(batchId, running, JournalDisk::Step::Start);
        !problem.isEmpty()) {
        setStatusText(JournalProblemText(problem));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SettleResult result = SettleBatch(*batch, putBack ? SettleAnswer::PutBack : SettleAnswer::Keep,
                                            *m_services.renamer, journal.disk());
    QApplication::restoreOverrideCursor();
    const QString problem = journal.store(batchId, *batch, JournalDisk::Step::End);
    FollowPutBack(m_list, result.putBack);
    if (!problem.isEmpty())
        setStatusText(JournalProblemText(problem));
    else if (putBack)
        setStatusText(QStringLiteral("%1 件の名前を元に戻しました").arg(result.report.renamed));
    showRenameFailures(result.report);
    refreshRenameHistory();
}

void frmMain::showRenameHistory()
{
    if (!m_history) {
        m_history = new JournalHistoryDialog(this);
        m_history->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_history, &JournalHistoryDialog::putBackRequested, this,
                [this](const QString& id) { settleJournalBatch(id, true); });
    }
    refreshRenameHistory();
    m_history->open();
}

void frmMain::refreshRenameHistory()
{
    if (!m_history)
        return;
    const RenameJournal::Scan scan = m_services.journal->scan();
    m_history->setBatches(scan.batches);
    reportSetAside(scan.setAside);
}

void frmMain::reportSetAside(const QStringList& paths, const std::function<void()>& then)
{
    if (paths.isEmpty()) {
        if (then)
            then();
        return;
    }
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Quorvane"),
                        QStringLiteral("読み取れないリネーム履歴がありました。"), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("journalSetAside"));
    box->setInformativeText(QStringLiteral("壊れているか、別の版のQuorvaneで書かれているため使いません。"
                                           "次の名前で残してあります。") +
                            QLatin1Char('\n') + paths.join(QLatin1Char('\n')));
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (then)
        connect(box, &QDialog::finished, this, [then] { then(); });
    box->open();
}
