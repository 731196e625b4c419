#pragma once
// The application behind the main window: the rows, the options, the
// commands and the tasks they start, the rename journal and its questions,
// the preview and the settings. It knows no widget: the window shows what
// its signals say and hands it the user's commands, texts and answers.

#include "app/AppServices.h"
#include "app/Command.h"
#include "core/GivenPaths.h"
#include "core/Options.h"
#include "core/RenameJournal.h"
#include "core/RenameList.h"
#include "core/RenamePreview.h"
#include "core/RenameWalk.h"
#include "core/StoredSettings.h"
#include "intake/ListSort.h"
#include "intake/PathIntake.h"
#include "ops/CaseConversion.h"
#include "ops/InsertionTemplate.h"
#include "ops/RowRewrite.h"
#include "ops/WidthConversion.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <functional>
#include <future>
#include <memory>

class EditorRoundTrip;
class SlicedTask;
class PreviewRunner;
class TaskRunner;

class RenameSession final : public QObject {
    Q_OBJECT
public:
    explicit RenameSession(const AppServices& services, QObject* parent = nullptr);
    ~RenameSession() override;

    [[nodiscard]] RenameList& list() { return m_list; }
    [[nodiscard]] const Options& options() const { return m_options; }
    [[nodiscard]] const RenamePreview& preview() const { return m_preview; }
    [[nodiscard]] QString statusText() const { return m_status; }
    // "12 件はリネームできません", or empty when the rename would go through.
    [[nodiscard]] const QString& failingCountText() const { return m_failingCount; }
    [[nodiscard]] QString editorPath() const { return m_editorPath; }
    [[nodiscard]] const QStringList& insertionHistory() const { return m_insertionHistory; }
    // The reasons of the last walk's failures, one row a line.
    [[nodiscard]] const QString& lastFailureText() const { return m_lastFailureText; }
    [[nodiscard]] EditorRoundTrip* editorRoundTrip() const { return m_roundTrip; }

    // Commands. Those that need a dialog of the window (a folder, an editor,
    // the history, the version) are the window's; the session runs the rest.
    [[nodiscard]] bool isAvailable(Command command) const;
    void run(Command command);
    // What the next click of a button that steps through variants does;
    // null for other buttons.
    [[nodiscard]] QString nextClickHint(Command button) const;
    // Dropped paths; a folder becomes one row when `folderAsRow`.
    void addPaths(const QStringList& paths, bool folderAsRow);
    // The folder chosen for "リネーム対象をフォルダで指定"; empty when none was.
    void openFolder(const QString& folder);
    // A click on a column header: the list is sorted by it, then told.
    void sortBy(int column);
    // Selects the next row the rename would fail on (NextFailingRow) and
    // says why in panel 1; changes no row.
    void selectNextFailingRow();
    // Why "選択ファイルのみリネーム" would fail now; empty when it would not.
    [[nodiscard]] QString renameSelectedProblem();
    [[nodiscard]] QString versionText() const;

    // What the user typed, as it changes.
    void setInsertionText(const QString& text) { m_insertionText = text; }
    void setSearchText(const QString& text) { m_searchText = text; }
    void setReplaceText(const QString& text) { m_replaceText = text; }
    void setEditorPath(const QString& path);
    // An option's check mark (StayOnTop, ShowIcons, EditorAtStart,
    // FoldersAsRows, ChainOperations, RenameCycles) or the case box.
    void setOption(Command toggle, bool on);
    void setIgnoreCase(bool on);
    // A hint for panel 1; also what the window shows while nothing runs.
    void setStatusText(const QString& text);

    // Tasks: rows change only while one runs, and no command starts meanwhile.
    [[nodiscard]] bool isBusy() const;
    void setSliceTimes(int firstSlice, int laterSlices);
    // "中止": a long walk or put-back stops after the file at hand, and is
    // recorded and reported with what it did.
    void stopTask();
    // Walks over at least this many files show their progress at once and
    // can be stopped.
    static constexpr int kLongWalk = 1000;
    // Lists of at least this many rows are previewed and sorted on a thread
    // of its own; smaller ones at once, before the command returns.
    void setThreadedFrom(int rows) { m_threadedFrom = rows; }
    // A preview runs on its thread: the marks and the count are not known yet.
    [[nodiscard]] bool isPreviewPending() const;

    // The rename journal's answers from the user.
    void renameWithoutJournal(RenameWalkKind kind);
    void answerRecovery(const QString& batchId, bool putBack);
    void setAsideSeen();
    [[nodiscard]] bool hasHistory() const;
    [[nodiscard]] QList<JournalSummary> history();
    void putBack(const QString& batchId);
    // The later batches, newest first, that renamed on a file of the batch
    // (or took one of its names) and still stand: the batch's files cannot
    // all get their old names before these are put back.
    [[nodiscard]] QList<JournalSummary> laterBatchesInTheWay(const QString& batchId);
    // Puts the batches back one after another, in the order given; a
    // put-back the user stops ends the sequence.
    void putBackInOrder(const QStringList& batchIds);

    // Settings and start-up. Without a settings path nothing is read or written.
    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    // Reads setting.ini and takes the options, the editor and the insertion
    // history from it; the window places itself by the rest.
    [[nodiscard]] StoredSettings loadSettings(const QList<int>& designColumnWidths);
    // Writes setting.ini: the window's part and the session's.
    void saveSettings(StoredSettings stored);
    // The paths of the command line, then the
    // questions about interrupted batches once the event loop runs.
    void startUp(const GivenPaths& paths);

Q_SIGNALS:
    void statusChanged(const QString& text);
    void countChanged(const QString& text);
    // How many rows the rename would fail on, apart from panel 1's messages
    // and hints; empty when none would.
    void failingCountChanged(const QString& text);
    // Rows were added from dropped paths, a folder or the command line.
    void intakeEnded();
    // The editor round trip found no editor to start: the text says so and
    // where one is chosen.
    void editorMissing(const QString& text);
    // A task runs: the window shows it is busy and takes no command.
    void busyChanged(bool busy);
    // The running task can be stopped (stopTask) now, or no longer.
    void stoppableChanged(bool stoppable);
    // The window takes input unless a task runs or the editor round trip waits.
    void usableChanged(bool usable);
    void previewChanged();
    void optionsChanged(const Options& options);
    void editorPathChanged(const QString& path);
    void insertionHistoryChanged(const QStringList& history, const QString& current);
    // The header's sort mark: the rows are in this column's order; a column
    // below 0 when they are in no column's order (rows appended after a sort).
    void sortMarkChanged(int column, bool ascending);
    // A rename, undo or put-back has ended; the window may show the failures.
    void walkReported(const RenameReport& report);
    // The journal could not be written: rename without it?
    void journalUnwritable(RenameWalkKind kind, const QString& problem);
    // A batch a crash cut short: put its names back? (answerRecovery)
    void recoveryQuestion(const QString& batchId, const QString& text, const QString& details);
    // Journal files that could not be read were set aside under these names.
    void setAsideFound(const QStringList& paths);
    void historyChanged();
    // The editor round trip hides the window while the editor runs, brings
    // it back, and names the exchange file in its caption.
    void hideRequested();
    void showRequested();
    void raiseRequested();
    void captionChanged(const QString& caption);
    // A command that can change rows has really finished, once per command,
    // also when its task went on in slices.
    void commandFinished();

private:
    // Commands nest (the rename inside a button's frame or inside the
    // editor's round trip); the end of the outermost one ends the command.
    class CommandScope {
    public:
        explicit CommandScope(RenameSession& session)
            : m_session(session)
        {
            m_session.beginCommand();
        }
        ~CommandScope() { m_session.endCommand(); }
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;

    private:
        RenameSession& m_session;
    };
    void buildCommands();
    void beginCommand();
    void endCommand();
    void runInFrame(const std::function<void()>& command);
    void finishCommand();
    void runTask(std::unique_ptr<SlicedTask> task, const QString& label, std::function<void()> finish = {},
                 bool longWalk = false);
    // A name operation gets the source of the names it rewrites, as the
    // options say when the command is given.
    using NameOperation = std::function<void(RenameList&, NameSource)>;
    void runNameTask(NameOperation operation, std::function<void()> finish = {});
    void runNameTaskThenAdvance(NameOperation operation, std::function<void()> advance);
    void showProgress(const QString& text);
    void updateUsable();
    void refreshCount();
    void clearList();
    void reportLeftOut(const IntakeResult& result);
    void intakePaths(const GivenPaths& paths, const std::function<bool()>& addFolderAsRow,
                     std::function<void()> then = {});
    void replaceInNames(bool regularExpression, bool spareExtension);
    void propertyNames(void (*fromDetails)(RenameList&, DetailSource&, NameSource));
    void insertText(InsertionKind kind);
    void openRowFolder();
    void openReadMe();
    void startUpdater();
    void refreshPreview();
    void showFailingCount(int failing);

    // Renames and the journal (SessionRename.cpp).
    void renameRows(RenameWalkKind kind, std::function<void()> then = {}, bool throughEditor = false);
    [[nodiscard]] bool beginJournal(RenameWalkKind kind, const WalkSteps& steps, bool throughEditor,
                                    QString& batchId, qsizetype& planned);
    void finishJournal(const QString& batchId, const RenameReport& report);
    void reportWalk(const RenameReport& report);
    void walkEnded(const RenameRowsWalk& walk, const QString& batch, bool wholeList,
                   const std::function<void()>& then);
    void refuseWithoutJournal(RenameWalkKind kind, const QString& problem);
    void offerRecovery();
    void askNextRecovery();
    void settleJournalBatch(const QString& batchId, bool putBack, std::function<void()> then = {});
    void reportSetAside(const QStringList& paths);
    void buildEditorRoundTrip();
    void startEditorRoundTrip();
    void renameForEditor();
    void useFallbackEditor(bool reportNone, std::function<void()> then = {});

    AppServices m_services;
    QString m_programFolder; // where the read-me and the updater are looked for
    RenameList m_list;
    Options m_options;
    SortState m_sort;
    void markSortAfterIntake(const IntakeResult& result, bool listWasEmpty);
    // The variants the case and width buttons apply next; never saved.
    UpperCaseCycle m_upperCycle;
    LowerCaseCycle m_lowerCycle;
    WidthStepToggle m_widthStep;
    std::array<std::function<void()>, CommandCount> m_commands{};
    TaskRunner* m_tasks = nullptr;
    EditorRoundTrip* m_roundTrip = nullptr;
    RenamePreview m_preview;
    PreviewRunner* m_previewRunner = nullptr;
    int m_threadedFrom = 20000;
    void discardRows();
    void dispose(QList<RenameEntry> rows);
    std::future<void> m_disposal; // rows being freed; waited for when the session goes
    void takePreview(RenamePreview preview);

    QString m_status;
    QString m_progressText; // the last progress shown, removed when its task ends
    QString m_failingCount;
    int m_commandDepth = 0;

    QString m_insertionText;
    QStringList m_insertionHistory;
    QString m_searchText;
    QString m_replaceText;
    QString m_editorPath; // empty until the settings or the fallback name one
    QString m_lastFailureText;

    QString m_settingsPath;
    bool m_settingsIgnored = false; // setting.ini was not read, so it is not written
    bool m_started = false;

    QString m_journalProblem;      // of the running walk's start point
    bool m_journalWaived = false;  // the user chose to rename without the journal
    QStringList m_pendingRecovery; // interrupted batches not yet asked about
    bool m_lastPutBackStopped = false;
    bool m_recoveryWaits = false; // for the user to see the set-aside files first
};
