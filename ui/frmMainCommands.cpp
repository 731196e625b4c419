// The dispatch tables of the buttons and menu entries, the common frame in
// which every button command runs, and the list's own commands.
#include "core/CommandError.h"
#include "core/ListOps.h"
#include "core/SystemErrorText.h"
#include "intake/PathIntake.h"
#include "ops/Deletion.h"
#include "ops/ExtensionDetection.h"
#include "ops/InsertionCommand.h"
#include "ops/PropertyNames.h"
#include "ops/SearchReplace.h"
#include "platform/IconTable.h"
#include "ui/CycleHints.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"
#include "ui/StatusPanel.h"
#include "ui/frmMain.h"
#include "ui/frmSet.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>

void frmMain::buildDispatch()
{
    auto& c = m_commands;
    c[0].click = [this] { clearList(); };
    if (m_roundTrip) {
        c[1].click = [this] { startEditorRoundTrip(); };
        c[1].rightClick = [this] { chooseEditor(); };
    }
    if (m_services.renamer) {
        c[10].click = [this] { renameRows(RenameWalk::UndoAll); };
        c[11].click = [this] { renameRows(RenameWalk::All); };
    }
    c[12].click = [this] { MoveRowUp(m_list); };
    c[13].click = [this] { MoveRowDown(m_list); };
    c[18].click = [this] { removeSelected(); };
    // Deletion: a left click continues from the new names once any is set
    // and stops at a row it cannot shorten; a right click starts again from
    // the current names and skips such rows.
    c[3].click = [this] { DeleteFirstCharacter(m_list, LeftClickDeletionMode(m_list)); };
    c[3].rightClick = [this] { DeleteFirstCharacter(m_list, DeletionMode::Restart); };
    c[4].click = [this] { DeleteLastCharacter(m_list, LeftClickDeletionMode(m_list)); };
    c[4].rightClick = [this] { DeleteLastCharacter(m_list, DeletionMode::Restart, FailingRow::Skip); };
    for (int index = 5; index <= 8; ++index)
        c[static_cast<size_t>(index)].click = [this, index] { insertText(index); };
    c[9].click = [this] { m_widthStep.click(m_list); };
    if (m_services.detector)
        c[2].click = [this] { DetectExtension(m_list, *m_services.detector); };
    c[16].click = [this] { NameFromTitle(m_list, *m_services.details); };
    c[16].rightClick = [this] { showButtonMenu(16, QStringLiteral("mnuP")); };
    c[14].click = [this] { m_upperCycle.click(m_list); };
    c[14].rightClick = [this] { showButtonMenu(14, QStringLiteral("mnuU")); };
    c[15].click = [this] { m_lowerCycle.click(m_list); };
    c[15].rightClick = [this] { showButtonMenu(15, QStringLiteral("mnuL")); };
    c[17].click = [this] { replaceInNames(false); };
    c[17].rightClick = [this] { showButtonMenu(17, QStringLiteral("mnuR")); };

    for (size_t index = 0; index < m_commands.size(); ++index)
        m_buttons.at(index)->setEnabled(static_cast<bool>(m_commands.at(index).click));

    auto press = [this](int index) { return [this, index] { pressButton(index); }; };
    auto framed = [this](std::function<void()> command) { return [this, command] { runInFrame(command); }; };
    m_menuCommands = {
        {QStringLiteral("mnuUItem_0"),
         framed([this] { ApplyUpperCase(m_list, UpperCaseVariant::AllCharacters); })},
        {QStringLiteral("mnuUItem_1"),
         framed([this] { ApplyUpperCase(m_list, UpperCaseVariant::FirstCharacterOnly); })},
        {QStringLiteral("mnuUItem_2"),
         framed([this] { ApplyUpperCase(m_list, UpperCaseVariant::BaseNameOnly); })},
        {QStringLiteral("mnuUItem_3"),
         framed([this] { ApplyUpperCase(m_list, UpperCaseVariant::ExtensionOnly); })},
        {QStringLiteral("mnuLItem_0"),
         framed([this] { ApplyLowerCase(m_list, LowerCaseVariant::AllCharacters); })},
        {QStringLiteral("mnuLItem_1"),
         framed([this] { ApplyLowerCase(m_list, LowerCaseVariant::ExtensionOnly); })},
        {QStringLiteral("mnuRItem_0"), framed([this] { replaceInNames(true); })},
        {QStringLiteral("mnuPItem_0"), framed([this] { NameFromTitle(m_list, *m_services.details); })},
        {QStringLiteral("mnuPItem_1"), framed([this] { NameFromTrackNumber(m_list, *m_services.details); })},
        {QStringLiteral("mnuFileItem_0"), [this] { chooseFolder(); }},
        {QStringLiteral("mnuFileItem_1"), press(0)},
        {QStringLiteral("mnuFileItem_6"), [this] { close(); }},
        {QStringLiteral("mnuViewItem_0"), [this] { toggleTopmost(); }},
        {QStringLiteral("mnuViewItem_1"), [this] { toggleIcons(); }},
        {QStringLiteral("mnuOptItem_1"), [] {}}, // the check mark is the option
        {QStringLiteral("mnuOptItem_2"), [] {}},
        {QStringLiteral("mnuPopItem_0"), press(12)},
        {QStringLiteral("mnuPopItem_1"), press(13)},
        {QStringLiteral("mnuPopItem_2"), [this] { removeSelected(); }},
        {QStringLiteral("mnuPopItem_6"), [this] { openRowFolder(); }},
        {QStringLiteral("mnuOptItem_10"), [this] { chooseEditor(); }},
        {QStringLiteral("mnuOptItem_12"), [this] { frmSet::showModal(this); }},
        {QStringLiteral("mnuHelpItem_0"), [this] { openReadMe(); }},
        {QStringLiteral("mnuHelpItem_1"), [this] { openHomepage(); }},
        {QStringLiteral("mnuHelpItem_2"), [this] { showVersion(); }},
        {QStringLiteral("mnuHelpItem_99"), [this] { startUpdater(); }},
    };
    if (m_services.renamer) {
        m_menuCommands.insert(QStringLiteral("mnuPopItem_8"),
                              framed([this] { renameRows(RenameWalk::Selected); }));
        m_menuCommands.insert(QStringLiteral("mnuPopItem_9"),
                              framed([this] { renameRows(RenameWalk::UndoSelected); }));
        if (m_services.journal)
            m_menuCommands.insert(QStringLiteral("mnuFileItem_2"), [this] { showRenameHistory(); });
    }
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (!(*it)->isSeparator())
            (*it)->setEnabled(m_menuCommands.contains(it.key()));
    }
    // The read-me and the updater are usable only while their files exist.
    connect(menu(QStringLiteral("mnuHelp")), &QMenu::aboutToShow, this, &frmMain::updateHelpMenu);
    updateHelpMenu();
}

void frmMain::connectList()
{
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_model->isChanging())
                    m_list.setSelectedRow(current.isValid() ? current.row() : -1);
            });
    connect(m_model, &RenameListModel::selectedRowChanged, this, [this](int row) {
        const QModelIndex wanted = row >= 0 ? m_model->index(row, 0) : QModelIndex();
        if (m_view->currentIndex() != wanted)
            m_view->selectionModel()->setCurrentIndex(wanted, QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
    });
    connect(m_view, &RenameListView::pathsDropped, this, &frmMain::addDroppedPaths);
    connect(m_view, &RenameListView::deletePressed, this, [this] {
        if (!m_list.isEmpty() && m_list.hasSelection())
            removeSelected();
    });
    connect(m_view, &RenameListView::rightButtonReleased, this, [this](const QPoint& at, bool overRow) {
        showMenuAt(overRow ? QStringLiteral("mnuPop") : QStringLiteral("mnuFile"), at);
    });
    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmMain::sortByColumn);
}

void frmMain::pressButton(int index, bool rightClick)
{
    const ButtonCommand& command = m_commands.at(static_cast<size_t>(index));
    const auto& run = rightClick ? command.rightClick : command.click;
    if (!run || !m_buttons.at(static_cast<size_t>(index))->isEnabled())
        return;
    runInFrame(run);
}

void frmMain::beginCommand()
{
    if (m_commandDepth++ == 0)
        m_commandWroteStatus = false;
}

void frmMain::endCommand()
{
    if (--m_commandDepth == 0)
        Q_EMIT listCommandFinished();
}

void frmMain::runInFrame(const std::function<void()>& command)
{
    const CommandScope scope(*this);
    try {
        command();
    } catch (const CommandError& error) {
        setStatusText(error.reason());
    } catch (const std::exception& error) {
        setStatusText(ExceptionText(error));
    }
    // The common epilogue: the window is usable again, whatever happened.
    setEnabled(true);
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize) {
        layoutPanel();
        return false;
    }
    if (watched == m_editorPath)
        return editorPathEvent(event);
    if (event->type() == QEvent::StatusTip && qobject_cast<QMenu*>(watched)) {
        setStatusText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    auto* pressed = qobject_cast<QPushButton*>(watched);
    if (!pressed)
        return QMainWindow::eventFilter(watched, event);
    const int index =
        static_cast<int>(std::find(m_buttons.cbegin(), m_buttons.cend(), pressed) - m_buttons.cbegin());
    if (index >= ButtonCount)
        return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        const QString hint = buttonHint(index);
        if (!hint.isNull())
            setStatusText(hint);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (pressed->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            pressButton(index, true);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmMain::editorPathEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        // Selected on focus, so a new path is typed over the old one.
        QTimer::singleShot(0, m_editorPath, &QLineEdit::selectAll);
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!drag->mimeData()->hasUrls())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> urls = drop->mimeData()->urls();
        if (urls.isEmpty() || !urls.first().isLocalFile())
            return false;
        m_editorPath->setText(QDir::toNativeSeparators(urls.first().toLocalFile()));
        drop->acceptProposedAction();
        return true;
    }
    default:
        return false;
    }
}

void frmMain::clearList()
{
    const CommandScope scope(*this);
    m_list.clear();
    setStatusText(QString());
    m_count->setFullText(QString());
}

void frmMain::removeSelected()
{
    const CommandScope scope(*this);
    RemoveSelectedRow(m_list);
}

void frmMain::addDroppedPaths(const QStringList& paths, Qt::KeyboardModifiers modifiers)
{
    // Shift alone adds a dropped folder as one row; with Ctrl or Alt as well
    // its files are added, as without any key.
    const bool shiftAlone =
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
        Qt::ShiftModifier;
    intakePaths(paths, [shiftAlone] { return shiftAlone; });
}

void frmMain::intakePaths(const QStringList& paths, const std::function<bool()>& addFolderAsRow)
{
    const CommandScope scope(*this);
    const IntakeResult result =
        IntakePaths(m_list, paths, addFolderAsRow, isChecked(QStringLiteral("mnuOptItem_2")),
                    *m_services.lister, *m_services.icons);
    refreshCount();
    reportLeftOut(result.undecodable);
}

void frmMain::chooseFolder()
{
    const CommandScope scope(*this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダの参照"));
    if (!folder.isEmpty()) {
        m_list.clear();
        const ScanSummary summary =
            ScanFolder(m_list, QDir::toNativeSeparators(folder), QStringLiteral("*"),
                       isChecked(QStringLiteral("mnuOptItem_2")), *m_services.lister, *m_services.icons);
        reportLeftOut(summary.undecodable);
    }
    refreshCount();
    QApplication::restoreOverrideCursor();
}

void frmMain::sortByColumn(int column)
{
    const CommandScope scope(*this);
    m_sort = NextSortState(m_sort, column);
    SortRows(m_list, m_sort);
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    m_view->horizontalHeader()->setSortIndicator(column,
                                                 m_sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void frmMain::openRowFolder()
{
    if (m_list.hasSelection())
        m_services.shell->showInFileManager(FullPathOf(m_list.at(m_list.selectedRow())));
}

void frmMain::toggleTopmost()
{
    const bool on = isChecked(QStringLiteral("mnuViewItem_0"));
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show(); // changing the flag hides the window
}

void frmMain::toggleIcons()
{
    m_model->setIconsShown(isChecked(QStringLiteral("mnuViewItem_1")));
}

QString frmMain::buttonHint(int index) const
{
    switch (index) {
    case 1:
    case 10:
    case 11:
        return {};
    case 9:
        return NextClickHint(m_widthStep.nextStep());
    case 14:
        return NextClickHint(m_upperCycle.nextVariant());
    case 15:
        return NextClickHint(m_lowerCycle.nextVariant());
    default:
        return m_buttons.at(static_cast<size_t>(index))->toolTip();
    }
}

void frmMain::replaceInNames(bool spareExtension)
{
    ReplaceInNames(m_list, m_search->text(), m_replace->text(), MatchCaseOfTick(m_caseBox->isChecked()),
                   spareExtension ? ReplaceScope::SpareExtension : ReplaceScope::WholeName);
}

void frmMain::insertText(int buttonIndex)
{
    const QString text = m_combo->currentText();
    if (text.isEmpty())
        return;
    QStringList history;
    for (int i = 0; i < m_combo->count(); ++i)
        history.append(m_combo->itemText(i));
    // The history is kept also when the walk stops at a failing row.
    auto refillHistory = qScopeGuard([&] {
        m_combo->clear();
        m_combo->addItems(history);
        m_combo->setCurrentIndex(0);
        m_combo->setEditText(text);
    });
    RunInsertionCommand(m_list, static_cast<InsertionKind>(buttonIndex), text, history, *m_services.details,
                        SystemClock(), QLocale::system());
}

void frmMain::showButtonMenu(int index, const QString& menuName)
{
    // At the mouse, where the right button was released over the button; a
    // press that came from elsewhere (no mouse over the button) opens the
    // menu on the button.
    QPushButton* pressed = button(index);
    const QPoint mouse = QCursor::pos();
    const bool overButton = pressed->rect().contains(pressed->mapFromGlobal(mouse));
    showMenuAt(menuName, overButton ? mouse : pressed->mapToGlobal(pressed->rect().center()));
}
