// The session's commands: what each one does, the common frame they run in,
// the tasks they start, and what panel 1 and the count say afterwards.
#include "app/RenameSession.h"

#include "app/PreviewRunner.h"

#include "app/CycleHints.h"
#include "app/TaskRunner.h"
#include "app/ThreadedTask.h"
#include "core/FailingRows.h"
#include "core/FreeLater.h"
#include "core/ListOps.h"
#include "core/NewNameTask.h"
#include "editor/EditorRoundTrip.h"
#include "intake/SortKeys.h"
#include "ops/InsertionCommand.h"
#include "ops/SearchReplace.h"

#include <QCoreApplication>
#include <QDir>
#include <QScopeGuard>

#include <atomic>

void RenameSession::runInFrame(const std::function<void()>& command)
{
    // Nothing may change the rows under a task: every command waits for it.
    if (isBusy())
        return;
    const CommandScope scope(*this);
    try {
        command();
    } catch (const std::exception& error) {
        setStatusText(TaskRunner::failureText(error));
    }
}

void RenameSession::beginCommand()
{
    if (m_commandDepth++ == 0) {
        // The rows may change from here on: a preview of them as they were
        // would mark the wrong rows. The command's end starts a new one.
        m_previewRunner->cancel();
    }
}

void RenameSession::endCommand()
{
    if (--m_commandDepth == 0)
        finishCommand();
}

void RenameSession::finishCommand()
{
    // The common epilogue: usable again, whatever happened.
    updateUsable();
    Q_EMIT commandFinished();
}

void RenameSession::updateUsable()
{
    Q_EMIT usableChanged(!isBusy() && !(m_roundTrip && m_roundTrip->isRunning()));
}

bool RenameSession::isBusy() const
{
    return m_tasks->isBusy();
}

void RenameSession::setSliceTimes(int firstSlice, int laterSlices)
{
    m_tasks->setSliceTimes(firstSlice, laterSlices);
}

void RenameSession::runTask(std::unique_ptr<SlicedTask> task, const QString& label,
                            std::function<void()> finish, bool longWalk)
{
    // A task that goes on in slices holds its command open until it ends.
    beginCommand();
    m_tasks->run(std::move(task), label,
                 [this, finish = std::move(finish)] {
                     const QScopeGuard ended([this] { endCommand(); });
                     if (finish)
                         finish();
                 },
                 {.atOnce = longWalk, .stoppable = longWalk});
}

void RenameSession::stopTask()
{
    m_tasks->stop();
}

void RenameSession::runNameTask(NameOperation operation, std::function<void()> finish)
{
    const NameSource source = NameSourceOfOption(m_options.chainOperations);
    runTask(std::make_unique<NewNameTask>(m_list, [operation = std::move(operation),
                                                   source](RenameList& list) { operation(list, source); }),
            QStringLiteral("新しい名前を作成中…"), std::move(finish));
}

void RenameSession::runNameTaskThenAdvance(NameOperation operation, std::function<void()> advance)
{
    // A task that failed half-way leaves the cycle where it was.
    auto applied = std::make_shared<std::atomic_bool>(false);
    runNameTask(
        [operation = std::move(operation), applied](RenameList& list, NameSource source) {
            operation(list, source);
            *applied = true;
        },
        [applied, advance = std::move(advance)] {
            if (*applied)
                advance();
        });
}

void RenameSession::setStatusText(const QString& text)
{
    m_status = text;
    Q_EMIT statusChanged(text);
}

void RenameSession::showProgress(const QString& text)
{
    // Progress is no message of the command: it goes when the task ends.
    m_progressText = text;
    m_status = text;
    Q_EMIT statusChanged(text);
}

void RenameSession::refreshCount()
{
    Q_EMIT countChanged(CountText(m_list.count()));
}

QString RenameSession::nextClickHint(Command button) const
{
    switch (button) {
    case Command::Width:
        return NextClickHint(m_widthStep.nextStep());
    case Command::UpperCase:
        return NextClickHint(m_upperCycle.nextVariant());
    case Command::LowerCase:
        return NextClickHint(m_lowerCycle.nextVariant());
    default:
        return {};
    }
}

void RenameSession::discardRows()
{
    if (m_list.count() < m_threadedFrom)
        m_list.clear();
    else
        dispose(m_list.takeAll());
}

void RenameSession::dispose(QList<RenameEntry> rows)
{
    FreeLater(m_disposal, std::move(rows));
}

void RenameSession::clearList()
{
    discardRows();
    setStatusText(QString());
    Q_EMIT countChanged(QString());
}

void RenameSession::reportLeftOut(const IntakeResult& result)
{
    const QStringList& unreadable = result.unreadableFolders;
    if (unreadable.size() == 1)
        setStatusText(QStringLiteral("フォルダ「%1」の中を読み取れませんでした。フォルダのアクセス権を"
                                     "確かめてください。")
                          .arg(unreadable.first()));
    else if (unreadable.size() > 1)
        setStatusText(
            QStringLiteral("フォルダ「%1」ほか %2 件の中を読み取れませんでした。フォルダのアクセス権を"
                           "確かめてください。")
                .arg(unreadable.first())
                .arg(unreadable.size() - 1));
}

void RenameSession::addPaths(const QStringList& paths, bool folderAsRow)
{
    runInFrame([this, paths, folderAsRow] { intakePaths(paths, [folderAsRow] { return folderAsRow; }); });
}

void RenameSession::intakePaths(const GivenPaths& paths, const std::function<bool()>& addFolderAsRow,
                                std::function<void()> then)
{
    auto task = std::make_unique<PathIntake>(m_list, paths, addFolderAsRow, m_options.foldersAsRows,
                                             *m_services.lister, *m_services.icons);
    const PathIntake* intake = task.get();
    const bool listWasEmpty = m_list.isEmpty();
    runTask(std::move(task), QStringLiteral("追加中…"), [this, intake, listWasEmpty, then = std::move(then)] {
        markSortAfterIntake(intake->result(), listWasEmpty);
        refreshCount();
        reportLeftOut(intake->result());
        Q_EMIT intakeEnded();
        if (then)
            then();
    });
}

void RenameSession::openFolder(const QString& folder)
{
    runInFrame([this, folder] {
        if (folder.isEmpty()) {
            refreshCount();
            return;
        }
        discardRows();
        auto task = PathIntake::ofFolder(m_list, QDir::toNativeSeparators(folder), QStringLiteral("*"),
                                         m_options.foldersAsRows, *m_services.lister, *m_services.icons);
        const PathIntake* intake = task.get();
        runTask(std::move(task), QStringLiteral("フォルダを読み込み中…"), [this, intake] {
            markSortAfterIntake(intake->result(), true);
            reportLeftOut(intake->result());
            refreshCount();
            Q_EMIT intakeEnded();
        });
    });
}

void RenameSession::sortBy(int column)
{
    runInFrame([this, column] {
        const SortState state = NextSortState(m_sort, column);
        std::shared_ptr<CollationKeyWriter> collation = m_services.lister->openNameCollation();
        const auto sorted = [this, state] {
            m_sort = state;
            Q_EMIT sortMarkChanged(state.column, state.ascending);
        };
        if (m_list.count() < m_threadedFrom) {
            SortRows(m_list, state, collation.get());
            sorted();
            return;
        }
        // A thread makes and sorts the keys of a long list and puts copies
        // of the rows in their new order; the list then only trades its rows
        // for them, and the old ones are freed on a thread too.
        auto result = std::make_shared<RenameOrder>();
        auto sort = [rows = m_list.rows(), state, collation, result]() mutable {
            result->order =
                SortKeys(rows.constData(), rows.size(), state.column, collation.get()).order(state.ascending);
            result->rows = RenameOrder::rowsOf(rows, result->order);
            rows = {};
        };
        runTask(std::make_unique<ThreadedTask>(std::move(sort)), QStringLiteral("並べ替え中…"),
                [this, result, sorted] {
                    dispose(m_list.takeReordered(std::move(*result)));
                    sorted();
                });
    });
}

// A folder scan lists its rows in name order, so rows that arrive in an empty
// list are in the order the list starts with; rows appended to others are in
// no column's order, and a mark would claim they were.
void RenameSession::markSortAfterIntake(const IntakeResult& result, bool listWasEmpty)
{
    if (result.added == 0)
        return;
    m_sort = listWasEmpty && result.inNameOrder ? SortState{} : SortState{.column = -1};
    Q_EMIT sortMarkChanged(m_sort.column, m_sort.ascending);
}

void RenameSession::openRowFolder()
{
    if (m_list.hasSelection())
        m_services.shell->showInFileManager(FullPathOf(m_list.at(m_list.selectedRow())));
}

void RenameSession::replaceInNames(bool regularExpression, bool spareExtension)
{
    const ReplaceScope scope = spareExtension ? ReplaceScope::SpareExtension : ReplaceScope::WholeName;
    const auto replace = regularExpression ? &ReplaceRegexInNames : &ReplaceInNames;
    runNameTask([replace, search = m_searchText, replacement = m_replaceText,
                 matchCase = MatchCaseOfTick(m_options.ignoreCaseInSearch),
                 scope](RenameList& list, NameSource source) {
        replace(list, search, replacement, matchCase, scope, source);
    });
}

void RenameSession::propertyNames(void (*fromDetails)(RenameList&, DetailSource&, NameSource))
{
    runNameTask([fromDetails, details = m_services.details](RenameList& list, NameSource source) {
        fromDetails(list, *details, source);
    });
}

void RenameSession::insertText(InsertionKind kind)
{
    const QString text = m_insertionText;
    if (text.isEmpty())
        return;
    // The task works on its own copy of the history; the session takes it
    // back once the task has ended, also when it stopped at a failing row.
    auto history = std::make_shared<QStringList>(m_insertionHistory);
    runNameTask(
        [history, text, kind, details = m_services.details](RenameList& list, NameSource source) {
            RunInsertionCommand(list, kind, text, *history, *details, SystemClock(), QLocale::system(),
                                source);
        },
        [this, history, text] {
            m_insertionHistory = *history;
            Q_EMIT insertionHistoryChanged(m_insertionHistory, text);
        });
}

// The forecast of the rename after every command: the rows it would fail on
// are marked and panel 1 counts them.
void RenameSession::refreshPreview()
{
    if (m_list.count() < m_threadedFrom) {
        m_previewRunner->cancel();
        takePreview(PreviewRenameAll(m_list, *m_services.folderRules, m_options.renameCycles));
        return;
    }
    // A long list is played through on a thread; the marks of the rows as
    // they were would mislead meanwhile.
    m_preview = {};
    Q_EMIT previewChanged();
    showFailingCount(PreviewPending);
    m_previewRunner->start(m_list.rows(), *m_services.folderRules, m_options.renameCycles);
}

void RenameSession::takePreview(RenamePreview preview)
{
    m_preview = std::move(preview);
    Q_EMIT previewChanged();
    showFailingCount(m_preview.failing);
}

bool RenameSession::isPreviewPending() const
{
    return m_previewRunner->isPending();
}

QString RenameSession::renameSelectedProblem()
{
    const RowPreview selected = PreviewRenameSelected(m_list, *m_services.folderRules);
    return selected.fails() ? QStringLiteral("リネームできません：") + PreviewProblemText(selected, m_list)
                            : QString();
}

// The count has a panel of its own: hints and messages in panel 1 never hide it.
void RenameSession::showFailingCount(int failing)
{
    const QString count = PreviewCountText(failing);
    if (count == m_failingCount)
        return;
    m_failingCount = count;
    Q_EMIT failingCountChanged(count);
}

void RenameSession::selectNextFailingRow()
{
    if (isBusy() || m_preview.rows.size() != m_list.count())
        return;
    const int row = NextFailingRow(m_preview.rows, m_list.hasSelection() ? m_list.selectedRow() : -1);
    if (row < 0) {
        setStatusText(QStringLiteral("リネームできない行はありません"));
        return;
    }
    m_list.setSelectedRow(row);
    const auto place = std::count_if(m_preview.rows.cbegin(), m_preview.rows.cbegin() + row,
                                     [](const RowPreview& preview) { return preview.fails(); });
    setStatusText(QStringLiteral("%1 件中 %2 件目：%3")
                      .arg(QLocale(QLocale::Japanese).toString(m_preview.failing))
                      .arg(QLocale(QLocale::Japanese).toString(place + 1))
                      .arg(PreviewProblemText(m_preview.rows.at(row), m_list)));
}
