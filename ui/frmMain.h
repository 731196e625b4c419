#pragma once

#include "core/Options.h"
#include "core/RenameList.h"
#include "core/RenameWalk.h"
#include "intake/ListSort.h"
#include "intake/PathIntake.h"
#include "ops/CaseConversion.h"
#include "ops/InsertionTemplate.h"
#include "ops/WidthConversion.h"
#include "ui/AppServices.h"
#include "ui/ButtonTable.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;
class EditorRoundTrip;
class FallbackEditorFinder;
class JournalHistoryDialog;
class RenameListModel;
struct RenameReport;
class RenameListView;
class SlicedWalk;
class StatusPanel;
class WalkRunner;

// The main window: the list, the button bar, the text boxes, the menus and
// the two-panel status bar. It only shows things and dispatches commands;
// what the commands do lives in core/, ops/, intake/ and editor/.
class frmMain final : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(const AppServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // Where setting.ini lives; empty keeps the window from reading or
    // writing any settings.
    void setSettingsPath(const QString& path) { m_settingsPath = path; }
    // Where the read-me and the updater are looked for; the executable's
    // folder unless a test says otherwise.
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

    // Start-up: settings, options, history, then the paths of the command
    // line. Runs once, before the window is first shown.
    // `undecodable` arguments were left out (their names are not UTF-8).
    void startUp(const QStringList& arguments, int undecodable = 0);

    [[nodiscard]] RenameList& renameList() { return m_list; }
    [[nodiscard]] QString statusText() const;
    [[nodiscard]] QString countText() const;
    void setStatusText(const QString& text);

    // Runs the button's click (or right click) inside the common frame,
    // exactly as a click on the button does.
    void pressButton(ButtonCommand command, bool rightClick = false);
    [[nodiscard]] QPushButton* button(ButtonCommand command) const { return m_buttons.at(SlotOf(command)); }
    [[nodiscard]] QAction* action(const QString& objectName) const { return m_actions.value(objectName); }
    [[nodiscard]] QMenu* menu(const QString& objectName) const { return m_menus.value(objectName); }
    // The options as the check marks and the case box show them.
    [[nodiscard]] const Options& options() const { return m_options; }

    // Tests switch the summary dialog of failed renames off.
    void setFailureDialogsEnabled(bool enabled) { m_failureDialogs = enabled; }
    void addDroppedPaths(const QStringList& paths, Qt::KeyboardModifiers modifiers);
    // The reasons of the last rename walk's failures, one row a line.
    [[nodiscard]] const QString& lastFailureText() const { return m_lastFailureText; }
    [[nodiscard]] EditorRoundTrip* editorRoundTrip() const { return m_roundTrip; }
    [[nodiscard]] QString versionText() const;
    // How long a walk holds the window at once (see WalkRunner); tests make
    // the slices tiny to see the progress of a few rows.
    void setWalkSliceTimes(int firstSlice, int laterSlices);
    // True while a long walk goes on in slices; every command waits.
    [[nodiscard]] bool isWalking() const;

Q_SIGNALS:
    // A command that can change rows has really finished (a button, a menu
    // entry, an intake, a drop, a sort, a removal, a rename, the editor's
    // round trip): once per command, never in its middle, also when its walk
    // went on in slices.
    void listCommandFinished();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct ButtonHandlers {
        std::function<void()> click;
        std::function<void()> rightClick;
    };

    void buildControls();
    void buildMenus();
    void buildDispatch();
    void connectList();
    void layoutPanel();
    void updateMinimumSize();
    [[nodiscard]] qreal dpi() const;
    [[nodiscard]] int px(int twips) const;

    // Commands nest (the rename inside a button's frame or inside the
    // editor's round trip); the end of the outermost one ends the command.
    class CommandScope {
    public:
        explicit CommandScope(frmMain& window)
            : m_window(window)
        {
            m_window.beginCommand();
        }
        ~CommandScope() { m_window.endCommand(); }
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;

    private:
        frmMain& m_window;
    };
    void beginCommand();
    void endCommand();
    void runInFrame(const std::function<void()>& command);
    // The common epilogue, once a command and any walk it started are done.
    void finishCommand();
    // Runs a walk within the command that starts it; `finish` runs when it ends.
    void runWalk(std::unique_ptr<SlicedWalk> walk, const QString& label, std::function<void()> finish = {});
    // How far a walk got, in panel 1 until it ends; not the command's message.
    void showProgress(const QString& text);
    // Usable unless a walk runs or the editor round trip waits for the editor.
    void updateEnabled();
    // A name operation on a copy of the rows in a thread of its own; its new
    // names reach the list when it ends, then `finish` runs.
    void walkNames(std::function<void(RenameList&)> operation, std::function<void()> finish = {});
    void refreshCount();
    // What an intake could not add: unreadable folders, names that are not text.
    void reportLeftOut(const IntakeResult& result);
    // Paths becoming rows, then the count and what was left out, then `then`.
    void intakePaths(const QStringList& paths, const std::function<bool()>& addFolderAsRow,
                     std::function<void()> then = {});
    void showMenuAt(const QString& name, const QPoint& globalPos);
    // The hover hint of a button; a null string leaves the hint line alone.
    [[nodiscard]] QString buttonHint(ButtonCommand command) const;
    void onMenuAction(const QString& objectName);

    // The forecast of the rename after every command.
    void connectPreview();
    void refreshPreview();
    void showFailingCount(int failing);

    // Commands of the list and the intake.
    void clearList();
    void removeSelected();
    void chooseFolder();
    void sortByColumn(int column);
    void openRowFolder();
    // Renames rows on disk in a walk; `then` runs once the walk has ended.
    void renameRows(RenameWalkKind kind, std::function<void()> then = {});
    void showRenameFailures(const RenameReport& report);
    // The rename journal (frmMainJournal.cpp): a walk's start and end points,
    // the question about interrupted batches, and the rename history.
    // False when the plan could not be written and the user is asked first.
    [[nodiscard]] bool beginJournal(RenameWalkKind kind, QString& batchId);
    void askToRenameWithoutJournal(RenameWalkKind kind, const QString& problem);
    void finishJournal(const QString& batchId, const RenameReport& report);
    void offerRecovery();
    void askNextRecovery();
    void settleJournalBatch(const QString& batchId, bool putBack);
    void showRenameHistory();
    void refreshRenameHistory();
    void reportSetAside(const QStringList& paths, const std::function<void()>& then = {});
    void buildEditorRoundTrip();
    void startEditorRoundTrip();
    void renameForEditor();
    void chooseEditor();
    bool editorPathEvent(QEvent* event);
    void updateHelpMenu();
    void openReadMe();
    void openHomepage();
    void startUpdater();
    void showVersion();
    void replaceInNames(bool spareExtension);
    void propertyNames(void (*fromDetails)(RenameList&, DetailSource&));
    void insertText(InsertionKind kind);
    void showButtonMenu(ButtonCommand command, const QString& menuName);
    // Ties the option check marks and the case box to m_options, once; a
    // change of either is a change of the other.
    void bindOptions();
    void showOptions(const Options& options);
    void setTopmost(bool on);
    void applyStoredSettings();
    void saveSettings();
    // Puts the fallback editor into the editor path box, unless the user
    // changes the box before it is found; `then` runs once it is there. When
    // none is installed the box keeps its text and, with reportNone, panel 1
    // names what was looked for.
    void useFallbackEditor(bool reportNone, std::function<void()> then = {});

    AppServices m_services;
    RenameList m_list;
    RenameListModel* m_model = nullptr;
    RenameListView* m_view = nullptr;
    QWidget* m_panel = nullptr;
    StatusPanel* m_status = nullptr;
    StatusPanel* m_count = nullptr;
    QComboBox* m_combo = nullptr;
    QLineEdit* m_search = nullptr;
    QLineEdit* m_replace = nullptr;
    QLineEdit* m_editorPath = nullptr;
    QCheckBox* m_caseBox = nullptr;
    std::array<QPushButton*, ButtonCount> m_buttons{};
    std::array<ButtonHandlers, ButtonCount> m_commands{};
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, std::function<void()>> m_menuCommands;
    Options m_options;
    SortState m_sort;
    // The variants the case and width buttons apply next; never saved.
    UpperCaseCycle m_upperCycle;
    LowerCaseCycle m_lowerCycle;
    WidthStepToggle m_widthStep;
    bool m_failureDialogs = true;
    bool m_started = false;
    bool m_placementApplied = false;
    bool m_settingsIgnored = false; // setting.ini was not read, so it is not written
    QSize m_restoredOuter;
    QString m_settingsPath;
    QString m_programFolder;
    QString m_lastFailureText;
    EditorRoundTrip* m_roundTrip = nullptr;
    QString m_journalProblem;      // of the running walk's start point
    bool m_journalWaived = false;  // the user chose to rename without the journal
    QStringList m_pendingRecovery; // interrupted batches not yet asked about
    QPointer<JournalHistoryDialog> m_history;
    std::unique_ptr<FallbackEditorFinder> m_fallbackEditor;
    int m_commandDepth = 0;
    bool m_commandWroteStatus = false; // panel 1 got a message during the command
    QString m_failingNote;             // the count this window last put in panel 1
    WalkRunner* m_walks = nullptr;
    bool m_closeAfterWalk = false; // a close asked for during a walk waits for its end
    QString m_progressText;        // the last progress shown, removed when its walk ends
};
