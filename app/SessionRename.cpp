// Renaming on disk and undo, the rename journal around every walk, the
// questions about batches a crash cut short, the rename history, and the
// round trip through a text editor.
#include "app/RenameSession.h"

#include "app/PlannedWalk.h"
#include "core/JournalRecovery.h"
#include "core/Paths.h"
#include "editor/EditorFallback.h"
#include "editor/EditorRoundTrip.h"

#include <QDir>

namespace {

QString JournalProblemText(const QString& problem)
{
    // The problem may or may not end its sentence.
    const QString why = problem.endsWith(u'。') ? problem : problem + u'。';
    return QStringLiteral("リネーム履歴を保存できませんでした。") + why +
           QStringLiteral("この回はリネーム履歴から元に戻せません。");
}

// `changed`: the files that carry their new name now, by the disk.
QString RecoveryDetails(const JournalBatch& batch, int changed)
{
    QString folder = QDir::toNativeSeparators(batch.firstFolder);
    if (batch.folderCount > 1)
        folder += QStringLiteral("（ほか %1 フォルダ）").arg(batch.folderCount - 1);
    // Of a walk cut short, the files it had renamed of those it planned; of
    // a put-back cut short, those it has not put back yet.
    const bool walk = batch.state == JournalState::Open;
    const int of = walk || batch.renamedCount < 0 ? batch.rowCount : batch.renamedCount;
    const QStringList lines = {
        QStringLiteral("フォルダ：%1").arg(folder),
        (walk ? QStringLiteral("名前が変わったファイル：%1 件（%2 件中）")
              : QStringLiteral("まだ元に戻していないファイル：%1 件（%2 件中）"))
            .arg(GroupedNumber(changed), GroupedNumber(of)),
        QStringLiteral("日時：%1")
            .arg(batch.started.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))),
        QString(),
        QStringLiteral("変更された名前を元に戻しますか？"),
        QStringLiteral("「そのままにする」を選んだ場合も、あとで「リネーム履歴」から元に戻せます。"),
    };
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void RenameSession::renameRows(RenameWalkKind kind, std::function<void()> then, bool throughEditor)
{
    const bool wholeList = kind == RenameWalkKind::All || kind == RenameWalkKind::UndoAll;
    if (wholeList && m_list.isEmpty())
        return;
    if (wholeList)
        setStatusText(QStringLiteral("リネーム処理中"));
    // The walk starts here: nothing on disk has changed yet, and every row
    // it will take is known; the journal's plan of them is on disk before
    // the first rename.
    const bool exchange = wholeList && m_options.renameCycles;
    const bool undo = kind == RenameWalkKind::UndoAll || kind == RenameWalkKind::UndoSelected;
    const QString label = undo ? QStringLiteral("元に戻し中…") : QStringLiteral("リネーム中…");
    const auto makeWalk = [this, kind](WalkSteps steps) {
        return std::make_unique<RenameRowsWalk>(m_list, kind, *m_services.renamer, *m_services.icons,
                                                std::move(steps));
    };
    // A long walk shows its progress at once and can be stopped; its plan is
    // written on a thread while the window goes on.
    if (wholeList && m_services.journal && m_list.count() >= kLongWalk) {
        m_journalProblem.clear();
        auto task = std::make_unique<PlannedWalk>(
            m_list.count(),
            [rows = m_list.rows(), journal = m_services.journal, kind, exchange, throughEditor] {
                RenameList snapshot; // nothing changes the rows while a task runs
                snapshot.appendAll(rows);
                // The walk's steps are made here too: ordering a million rows
                // would hold the window.
                PlannedWalk::Plan plan;
                plan.steps = StepsOfWalk(snapshot, kind, exchange);
                plan.problem =
                    journal->begin(kind, WalkPlan(snapshot, kind, plan.steps), plan.batchId, throughEditor);
                return plan;
            },
            [this, makeWalk](PlannedWalk::Plan& plan) -> std::unique_ptr<RenameRowsWalk> {
                if (!plan.problem.isEmpty() && !m_journalWaived)
                    return nullptr;
                m_journalProblem = plan.problem; // told once the walk has ended
                return makeWalk(std::move(plan.steps));
            });
        const PlannedWalk* planned = task.get();
        runTask(
            std::move(task), label,
            [this, planned, kind, then = std::move(then)] {
                if (!planned->walk())
                    refuseWithoutJournal(kind, planned->plan().problem);
                else
                    walkEnded(*planned->walk(), planned->plan().batchId, true, then);
            },
            true);
        return;
    }
    QString batch;
    qsizetype planned = m_list.count();
    WalkSteps steps = StepsOfWalk(m_list, kind, exchange);
    if (!beginJournal(kind, steps, throughEditor, batch, planned))
        return;
    auto walk = makeWalk(std::move(steps));
    const RenameRowsWalk* rename = walk.get();
    runTask(
        std::move(walk), label,
        [this, rename, wholeList, batch, then = std::move(then)] {
            walkEnded(*rename, batch, wholeList, then);
        },
        wholeList && planned >= kLongWalk);
}

// The walk has ended (also when it stopped at a failure, or the user stopped
// it): its report holds every renamed and every failed row, and the journal
// records them and marks the batch finished.
void RenameSession::walkEnded(const RenameRowsWalk& walk, const QString& batch, bool wholeList,
                              const std::function<void()>& then)
{
    if (wholeList)
        setStatusText(walk.report().stopped ? QStringLiteral("リネーム処理を中止しました")
                                            : QStringLiteral("リネーム処理が完了しました"));
    finishJournal(batch, walk.report()); // says so in panel 1 when it cannot
    reportWalk(walk.report());
    if (then)
        then();
}

// Without its plan on disk a crash in the walk could not be undone: the walk
// starts only once the user has chosen to go on without it, and after that
// choice it is told afterwards.
void RenameSession::refuseWithoutJournal(RenameWalkKind kind, const QString& problem)
{
    const bool undo = kind == RenameWalkKind::UndoAll || kind == RenameWalkKind::UndoSelected;
    setStatusText(undo ? QStringLiteral("リネーム履歴を保存できないため、元に戻しませんでした")
                       : QStringLiteral("リネーム履歴を保存できないため、名前を変更しませんでした"));
    Q_EMIT journalUnwritable(kind, problem);
}

void RenameSession::reportWalk(const RenameReport& report)
{
    m_lastFailureText = RenameFailureText(report);
    Q_EMIT walkReported(report);
}

bool RenameSession::beginJournal(RenameWalkKind kind, const WalkSteps& steps, bool throughEditor,
                                 QString& batchId, qsizetype& planned)
{
    m_journalProblem.clear();
    batchId.clear();
    if (!m_services.journal)
        return true;
    QList<PlannedRename> plan = WalkPlan(m_list, kind, steps);
    planned = plan.size();
    m_journalProblem = m_services.journal->begin(kind, std::move(plan), batchId, throughEditor);
    if (m_journalProblem.isEmpty() || m_journalWaived)
        return true;
    refuseWithoutJournal(kind, std::exchange(m_journalProblem, {}));
    return false;
}

void RenameSession::renameWithoutJournal(RenameWalkKind kind)
{
    // Asked once: later walks of this run go on without asking.
    m_journalWaived = true;
    runInFrame([this, kind] { renameRows(kind); });
}

void RenameSession::finishJournal(const QString& batchId, const RenameReport& report)
{
    if (!batchId.isEmpty())
        m_journalProblem = m_services.journal->finish(batchId, report.renamedRows, report.stopped);
    if (!m_journalProblem.isEmpty())
        setStatusText(JournalProblemText(std::exchange(m_journalProblem, {})));
}

void RenameSession::offerRecovery()
{
    if (!hasHistory())
        return;
    // Putting names back changes rows: not while the start-up's own task
    // (the files on the command line) still runs.
    if (isBusy()) {
        connect(this, &RenameSession::commandFinished, this, &RenameSession::offerRecovery,
                Qt::SingleShotConnection);
        return;
    }
    const RenameJournal::Scan scan = m_services.journal->scan();
    for (const JournalSummary& batch : scan.batches) {
        const JournalState state = batch.header.state;
        if (!batch.running && (state == JournalState::Open || state == JournalState::Undoing))
            m_pendingRecovery.append(batch.id);
    }
    if (!scan.setAside.isEmpty()) {
        // The questions wait until the user has seen what was set aside.
        m_recoveryWaits = true;
        Q_EMIT setAsideFound(scan.setAside);
        return;
    }
    askNextRecovery();
}

void RenameSession::setAsideSeen()
{
    if (std::exchange(m_recoveryWaits, false))
        askNextRecovery();
}

void RenameSession::askNextRecovery()
{
    // One question at a time, newest batch first; each answer asks the next.
    while (!m_pendingRecovery.isEmpty()) {
        const QString id = m_pendingRecovery.takeFirst();
        QStringList setAside;
        const std::optional<JournalBatch> batch = m_services.journal->load(id, &setAside);
        if (!batch || m_services.journal->isRunning(id)) {
            if (!setAside.isEmpty()) {
                m_recoveryWaits = true;
                Q_EMIT setAsideFound(setAside);
                return;
            }
            continue;
        }
        const QString text =
            batch->state == JournalState::Undoing
                ? QStringLiteral("前回、リネーム履歴から元に戻す処理が途中で終わっています。")
                : QStringLiteral("前回のリネームが途中で終わっています。");
        Q_EMIT recoveryQuestion(
            id, text, RecoveryDetails(*batch, CountStillRenamed(*batch, m_services.journal->disk())));
        return;
    }
}

void RenameSession::answerRecovery(const QString& batchId, bool putBack)
{
    // The next question waits for this batch's task to end.
    settleJournalBatch(batchId, putBack, [this] { askNextRecovery(); });
}

bool RenameSession::hasHistory() const
{
    return m_services.journal && m_services.renamer;
}

QList<JournalSummary> RenameSession::history()
{
    if (!hasHistory())
        return {};
    RenameJournal::Scan scan = m_services.journal->scan();
    reportSetAside(scan.setAside);
    return std::move(scan.batches);
}

void RenameSession::putBack(const QString& batchId)
{
    settleJournalBatch(batchId, true);
}

QList<JournalSummary> RenameSession::laterBatchesInTheWay(const QString& batchId)
{
    QList<JournalSummary> inTheWay;
    if (!hasHistory())
        return inTheWay;
    RenameJournal& journal = *m_services.journal;
    QStringList setAside;
    const std::optional<JournalBatch> batch = journal.load(batchId, &setAside);
    if (!batch)
        return inTheWay;
    // Newest first, so the batches come before the chosen one.
    for (const JournalSummary& later : history()) {
        if (later.id == batchId)
            break;
        const JournalState state = later.header.state;
        if (later.running || !(state == JournalState::Done || state == JournalState::PartlyUndone))
            continue;
        const std::optional<JournalBatch> whole = journal.load(later.id, &setAside);
        if (whole && LaterBatchTouches(*batch, *whole))
            inTheWay.append(later);
    }
    reportSetAside(setAside);
    return inTheWay;
}

void RenameSession::putBackInOrder(const QStringList& batchIds)
{
    if (batchIds.isEmpty())
        return;
    const QStringList rest = batchIds.mid(1);
    settleJournalBatch(batchIds.first(), true, [this, rest] {
        if (!m_lastPutBackStopped)
            putBackInOrder(rest);
    });
}

void RenameSession::settleJournalBatch(const QString& batchId, bool putBack, std::function<void()> then)
{
    if (isBusy())
        return;
    // Putting names back may change rows of the list, like any rename.
    const CommandScope scope(*this);
    RenameJournal& journal = *m_services.journal;
    QStringList setAside;
    std::optional<JournalBatch> batch = journal.load(batchId, &setAside);
    if (!batch || journal.isRunning(batchId)) {
        reportSetAside(setAside);
        Q_EMIT historyChanged();
        if (then)
            then();
        return;
    }
    // Putting names back is a walk of its own: marked and held before the
    // first rename, so that a crash in it is recovered like any other.
    JournalBatch running = *batch;
    if (running.state == JournalState::Done || running.state == JournalState::PartlyUndone)
        running.state = JournalState::Undoing;
    // A long put-back of a finished batch can be stopped; one that settles
    // a batch cut short goes to its end.
    const int left = batch->leftToPutBack();
    const bool finished = batch->state == JournalState::Done || batch->state == JournalState::PartlyUndone;
    const bool longWalk = putBack && finished && (left < 0 ? batch->rowCount : left) >= kLongWalk;
    if (const QString problem = journal.store(batchId, running, JournalDisk::Step::Start);
        !problem.isEmpty()) {
        setStatusText(JournalProblemText(problem));
        if (then)
            then();
        return;
    }
    auto task =
        std::make_unique<SettleTask>(std::move(*batch), putBack ? SettleAnswer::PutBack : SettleAnswer::Keep,
                                     *m_services.renamer, journal.disk());
    SettleTask* settle = task.get();
    runTask(
        std::move(task), QStringLiteral("元に戻し中…"),
        [this, settle, batchId, putBack, then = std::move(then)] {
            const QString problem =
                m_services.journal->store(batchId, settle->batch(), JournalDisk::Step::End);
            const SettleResult& result = settle->result();
            m_lastPutBackStopped = result.report.stopped;
            FollowPutBack(m_list, result.putBack);
            if (!problem.isEmpty())
                setStatusText(JournalProblemText(problem));
            else if (putBack)
                setStatusText((result.report.stopped
                                   ? QStringLiteral("途中で中止しました。%1 件のファイルを元に戻しました。")
                                   : QStringLiteral("%1 件のファイルを元に戻しました。"))
                                  .arg(GroupedNumber(result.report.renamed)));
            reportWalk(result.report);
            Q_EMIT historyChanged();
            if (then)
                then();
        },
        longWalk);
}

void RenameSession::reportSetAside(const QStringList& paths)
{
    if (!paths.isEmpty())
        Q_EMIT setAsideFound(paths);
}

void RenameSession::buildEditorRoundTrip()
{
    if (!m_services.editorLauncher)
        return;
    m_roundTrip = new EditorRoundTrip(m_list, m_services.exchangeFilePath, *m_services.editorLauncher, this);
    connect(m_roundTrip, &EditorRoundTrip::editorPathChanged, this, &RenameSession::setEditorPath);
    connect(m_roundTrip, &EditorRoundTrip::renameRequested, this, &RenameSession::renameForEditor);
    connect(m_roundTrip, &EditorRoundTrip::problem, this, &RenameSession::setStatusText);
    connect(m_roundTrip, &EditorRoundTrip::hideRequested, this, &RenameSession::hideRequested);
    connect(m_roundTrip, &EditorRoundTrip::showRequested, this, &RenameSession::showRequested);
    connect(m_roundTrip, &EditorRoundTrip::raiseRequested, this, &RenameSession::raiseRequested);
    connect(m_roundTrip, &EditorRoundTrip::captionChanged, this, &RenameSession::captionChanged);
    // While the editor starts and while it runs, nothing may change the rows
    // the exchange file was written for. The round trip is one command from
    // the button until the window is back, whether or not it renamed.
    connect(m_roundTrip, &EditorRoundTrip::runningChanged, this, [this](bool running) {
        updateUsable();
        if (running)
            beginCommand();
        else
            endCommand();
    });
}

void RenameSession::renameForEditor()
{
    // Run from the editor's timer: the rename is a command like a click. A
    // long walk goes on in slices after this returns; the round trip is
    // answered when it has ended.
    const bool refused = isBusy();
    runInFrame([this] {
        renameRows(
            RenameWalkKind::All, [this] { m_roundTrip->renameFinished(true); }, true);
    });
    // A walk that ended at once has answered already; without a walk (it
    // failed to start, and panel 1 says why) the round trip ends here.
    if (refused || !isBusy())
        m_roundTrip->renameFinished(false);
}

void RenameSession::startEditorRoundTrip()
{
    if (!m_roundTrip || m_roundTrip->isRunning() || m_list.isEmpty())
        return;
    if (IsExistingFile(m_editorPath)) {
        m_roundTrip->start(m_editorPath);
        return;
    }
    // The fallback may come later, from the desktop's answer: then the start
    // runs outside this click's frame and needs one of its own.
    useFallbackEditor(true, [this] { runInFrame([this] { m_roundTrip->start(m_editorPath); }); });
}

void RenameSession::setEditorPath(const QString& path)
{
    if (path == m_editorPath)
        return;
    m_editorPath = path;
    Q_EMIT editorPathChanged(path);
}

void RenameSession::useFallbackEditor(bool reportNone, std::function<void()> then)
{
    if (!m_services.editorFinder)
        return;
    const QString missing = m_editorPath;
    m_services.editorFinder->find(
        this, [this, missing, reportNone, then = std::move(then)](const QString& editor) {
            if (m_editorPath != missing)
                return; // the user has chosen meanwhile
            if (editor.isEmpty()) {
                if (reportNone) {
                    // The whole text, with what was looked for, goes to a message box.
                    setStatusText(QStringLiteral("エディタが見つかりませんでした"));
                    Q_EMIT editorMissing(
                        QStringLiteral("エディタが見つかりませんでした。\n\n探したもの：%1\n\n"
                                       "「オプション」→「エディタの指定」で、使うエディタを選んでください。")
                            .arg(m_services.editorFinder->lookedFor().join(QStringLiteral("、"))));
                }
                return;
            }
            setEditorPath(editor);
            if (then)
                then();
        });
}
