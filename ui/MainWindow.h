#pragma once

#include "app/Command.h"
#include "app/RenameSession.h"
#include "ui/Twips.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class IconTable;
class JournalHistoryDialog;
class RenameListModel;
class RenameListView;
class StatusPanel;

// The main window: the list, the button bar, the text boxes, the menus and
// the two-panel status bar. It builds the widgets, maps each control to a
// command of the session and shows what the session tells it.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(std::unique_ptr<RenameSession> session, IconTable& icons, QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] RenameSession& session() const { return *m_session; }
    // Start-up: settings and placement, then the paths of the command line.
    // Runs once, before the window is first shown.
    void startUp(const GivenPaths& paths);

    [[nodiscard]] QString statusText() const;
    [[nodiscard]] QString countText() const;
    // The panel that counts the rows the rename would fail on.
    [[nodiscard]] QString failingText() const;
    [[nodiscard]] QPushButton* button(Command command) const { return m_buttons.at(SlotOf(command)); }
    [[nodiscard]] QAction* action(Command command) const { return m_actions.value(command); }
    [[nodiscard]] QMenu* menu(const QString& objectName) const { return m_menus.value(objectName); }
    // A click (or right click) on the button, as the user gives it.
    void pressButton(Command command, bool rightClick = false);
    // Tests switch the summary dialog of failed renames off.
    void setFailureDialogsEnabled(bool enabled) { m_failureDialogs = enabled; }
    void addDroppedPaths(const QStringList& paths, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    void fitRestoredFrame();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // MainWindow.cpp: the widgets and their places.
    void buildControls();
    void buildButtons(QWidget* central);
    void buildStatusBar();
    void layoutPanel();
    void updateMinimumSize();
    [[nodiscard]] qreal dpi() const { return logicalDpiX() > 0 ? logicalDpiX() : 96.0; }
    [[nodiscard]] int px(int twips) const { return TwipsToPixels(twips, dpi()); }
    void setTopmost(bool on);

    // MainWindowCommands.cpp: menus, buttons and the commands the window
    // runs itself with a dialog.
    void buildMenus();
    void trigger(Command command);
    void updateAvailable();
    void showMenuAt(const QString& name, const QPoint& globalPos);
    void showButtonMenu(Command button, const QString& menuName);
    [[nodiscard]] QString buttonHint(Command button) const;
    void chooseFolder();
    void chooseEditor();
    [[nodiscard]] QString dialogFolder() const;
    void showNextFailingRow();
    void addShortcuts();
    void showEditorMissing(const QString& text);
    void showRenameHistory();
    void showVersion();

    // MainWindowSession.cpp: what the session says, shown.
    void connectSession();
    void connectList();
    void showOptions(const Options& options);
    void showInsertionHistory(const QStringList& history, const QString& current);
    void showWalkReport(const RenameReport& report);
    void showFailingCount(const QString& text);
    void fitColumns();

    std::unique_ptr<RenameSession> m_session;
    RenameList& m_list;
    RenameListModel* m_model = nullptr;
    RenameListView* m_view = nullptr;
    QWidget* m_panel = nullptr;
    StatusPanel* m_status = nullptr;
    StatusPanel* m_count = nullptr;
    StatusPanel* m_failing = nullptr;
    QComboBox* m_insertionBox = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QLineEdit* m_replaceBox = nullptr;
    QLineEdit* m_editorPathBox = nullptr;
    QCheckBox* m_ignoreCaseBox = nullptr;
    std::array<QPushButton*, ButtonCount> m_buttons{};
    QHash<Command, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QPointer<JournalHistoryDialog> m_history;
    bool m_failureDialogs = true;
    bool m_started = false;
    bool m_placementApplied = false;
    bool m_closeAfterTask = false; // a close asked for during a task waits for its end
    QSize m_restoredOuter;
    QString m_lastDialogFolder; // where the last file or folder dialog was left
    bool m_fitColumnsWhenShown = false;
};
