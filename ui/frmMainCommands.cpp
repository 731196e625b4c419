// The dispatch tables of the buttons and menu entries, the common frame in
// which every button command runs, and the list's own commands.
#include "core/CommandError.h"
#include "core/ListOps.h"
#include "core/NewNameWalk.h"
#include "editor/EditorRoundTrip.h"
#include "intake/PathIntake.h"
#include "ops/Deletion.h"
#include "ops/ExtensionDetection.h"
#include "ops/InsertionCommand.h"
#include "ops/PropertyNames.h"
#include "ops/SearchReplace.h"
#include "platform/IconTable.h"
#include "platform/SystemCollation.h"
#include "ui/CycleHints.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"
#include "ui/StatusPanel.h"
#include "ui/WalkRunner.h"
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
    using B = ButtonCommand;
    auto handlers = [this](ButtonCommand command) -> ButtonHandlers& {
        return m_commands.at(SlotOf(command));
    };
    handlers(B::ClearList).click = [this] { clearList(); };
    if (m_roundTrip) {
        handlers(B::EditorRename).click = [this] { startEditorRoundTrip(); };
        handlers(B::EditorRename).rightClick = [this] { chooseEditor(); };
    }
    if (m_services.renamer) {
        handlers(B::Undo).click = [this] { renameRows(RenameWalkKind::UndoAll); };
        handlers(B::Rename).click = [this] { renameRows(RenameWalkKind::All); };
    }
    handlers(B::MoveUp).click = [this] { MoveRowUp(m_list); };
    handlers(B::MoveDown).click = [this] { MoveRowDown(m_list); };
    handlers(B::RemoveRow).click = [this] { removeSelected(); };
    // Deletion: a left click continues from the new names once any is set
    // and stops at a row it cannot shorten; a right click starts again from
    // the current names and skips such rows.
    handlers(B::DeleteFirst).click = [this] {
        walkNames([](RenameList& list) { DeleteFirstCharacter(list, LeftClickDeletionMode(list)); });
    };
    handlers(B::DeleteFirst).rightClick = [this] {
        walkNames([](RenameList& list) { DeleteFirstCharacter(list, DeletionMode::Restart); });
    };
    handlers(B::DeleteLast).click = [this] {
        walkNames([](RenameList& list) { DeleteLastCharacter(list, LeftClickDeletionMode(list)); });
    };
    handlers(B::DeleteLast).rightClick = [this] {
        walkNames(
            [](RenameList& list) { DeleteLastCharacter(list, DeletionMode::Restart, FailingRow::Skip); });
    };
    handlers(B::Prepend).click = [this] { insertText(InsertionKind::Prepend); };
    handlers(B::Append).click = [this] { insertText(InsertionKind::Append); };
    handlers(B::ChangeName).click = [this] { insertText(InsertionKind::ChangeName); };
    handlers(B::ChangeExtension).click = [this] { insertText(InsertionKind::ChangeExtension); };
    // The toggles and cycles move on only in the walk; the window reads their
    // hints again only once it has ended.
    handlers(B::Width).click = [this] { walkNames([this](RenameList& list) { m_widthStep.click(list); }); };
    if (m_services.detector) {
        handlers(B::DetectExtension).click = [this] {
            walkNames(
                [detector = m_services.detector](RenameList& list) { DetectExtension(list, *detector); });
        };
    }
    handlers(B::Title).click = [this] { propertyNames(&NameFromTitle); };
    handlers(B::Title).rightClick = [this] { showButtonMenu(B::Title, QStringLiteral("mnuP")); };
    handlers(B::UpperCase).click = [this] {
        walkNames([this](RenameList& list) { m_upperCycle.click(list); });
    };
    handlers(B::UpperCase).rightClick = [this] { showButtonMenu(B::UpperCase, QStringLiteral("mnuU")); };
    handlers(B::LowerCase).click = [this] {
        walkNames([this](RenameList& list) { m_lowerCycle.click(list); });
    };
    handlers(B::LowerCase).rightClick = [this] { showButtonMenu(B::LowerCase, QStringLiteral("mnuL")); };
    handlers(B::Replace).click = [this] { replaceInNames(false); };
    handlers(B::Replace).rightClick = [this] { showButtonMenu(B::Replace, QStringLiteral("mnuR")); };

    for (size_t slot = 0; slot < m_commands.size(); ++slot)
        m_buttons.at(slot)->setEnabled(static_cast<bool>(m_commands.at(slot).click));

    auto press = [this](ButtonCommand command) { return [this, command] { pressButton(command); }; };
    auto framed = [this](std::function<void()> command) { return [this, command] { runInFrame(command); }; };
    auto upper = [this, framed](UpperCaseVariant variant) {
        return framed(
            [this, variant] { walkNames([variant](RenameList& list) { ApplyUpperCase(list, variant); }); });
    };
    auto lower = [this, framed](LowerCaseVariant variant) {
        return framed(
            [this, variant] { walkNames([variant](RenameList& list) { ApplyLowerCase(list, variant); }); });
    };
    m_menuCommands = {
        {QStringLiteral("mnuUItem_0"), upper(UpperCaseVariant::AllCharacters)},
        {QStringLiteral("mnuUItem_1"), upper(UpperCaseVariant::FirstCharacterOnly)},
        {QStringLiteral("mnuUItem_2"), upper(UpperCaseVariant::BaseNameOnly)},
        {QStringLiteral("mnuUItem_3"), upper(UpperCaseVariant::ExtensionOnly)},
        {QStringLiteral("mnuLItem_0"), lower(LowerCaseVariant::AllCharacters)},
        {QStringLiteral("mnuLItem_1"), lower(LowerCaseVariant::ExtensionOnly)},
        {QStringLiteral("mnuRItem_0"), framed([this] { replaceInNames(true); })},
        {QStringLiteral("mnuPItem_0"), framed([this] { propertyNames(&NameFromTitle); })},
        {QStringLiteral("mnuPItem_1"), framed([this] { propertyNames(&NameFromTrackNumber); })},
        {QStringLiteral("mnuFileItem_0"), framed([this] { chooseFolder(); })},
        {QStringLiteral("mnuFileItem_1"), press(B::ClearList)},
        {QStringLiteral("mnuFileItem_6"), [this] { close(); }},
        {QStringLiteral("mnuPopItem_0"), press(B::MoveUp)},
        {QStringLiteral("mnuPopItem_1"), press(B::MoveDown)},
        {QStringLiteral("mnuPopItem_2"), framed([this] { removeSelected(); })},
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
                              framed([this] { renameRows(RenameWalkKind::Selected); }));
        m_menuCommands.insert(QStringLiteral("mnuPopItem_9"),
                              framed([this] { renameRows(RenameWalkKind::UndoSelected); }));
        if (m_services.journal)
            m_menuCommands.insert(QStringLiteral("mnuFileItem_2"), [this] { showRenameHistory(); });
    }
    bindOptions();
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
            runInFrame([this] { removeSelected(); });
    });
    connect(m_view, &RenameListView::rightButtonReleased, this, [this](const QPoint& at, bool overRow) {
        showMenuAt(overRow ? QStringLiteral("mnuPop") : QStringLiteral("mnuFile"), at);
    });
    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { runInFrame([this, column] { sortByColumn(column); }); });

    connect(m_walks, &WalkRunner::busyChanged, this, [this](bool busy) {
        if (busy) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
            if (m_status->fullText() == std::exchange(m_progressText, {}))
                m_status->setFullText(QString());
        }
        updateEnabled();
    });
    connect(m_walks, &WalkRunner::progress, this, &frmMain::showProgress);
    connect(m_walks, &WalkRunner::failed, this, &frmMain::setStatusText);
}

void frmMain::pressButton(ButtonCommand command, bool rightClick)
{
    const ButtonHandlers& handlers = m_commands.at(SlotOf(command));
    const auto& run = rightClick ? handlers.rightClick : handlers.click;
    if (!run || !button(command)->isEnabled())
        return;
    runInFrame(run);
}

void frmMain::runInFrame(const std::function<void()>& command)
{
    // Nothing may change the rows under a walk: every command waits for it.
    if (isWalking())
        return;
    const CommandScope scope(*this);
    try {
        command();
    } catch (const std::exception& error) {
        setStatusText(WalkRunner::failureText(error));
    }
}

void frmMain::beginCommand()
{
    if (m_commandDepth++ == 0)
        m_commandWroteStatus = false;
}

void frmMain::endCommand()
{
    if (--m_commandDepth == 0)
        finishCommand();
}

void frmMain::runWalk(std::unique_ptr<SlicedWalk> walk, const QString& label, std::function<void()> finish)
{
    // A walk that goes on in slices holds its command open until it ends.
    beginCommand();
    m_walks->run(std::move(walk), label, [this, finish = std::move(finish)] {
        const QScopeGuard ended([this] { endCommand(); });
        if (finish)
            finish();
    });
}

void frmMain::showProgress(const QString& text)
{
    // Progress is no message of the command: it goes when the walk ends.
    m_progressText = text;
    m_status->setFullText(text);
}

void frmMain::finishCommand()
{
    // The common epilogue: the window is usable again, whatever happened.
    updateEnabled();
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    Q_EMIT listCommandFinished();
    if (std::exchange(m_closeAfterWalk, false))
        QTimer::singleShot(0, this, &QWidget::close);
}

void frmMain::updateEnabled()
{
    setEnabled(!isWalking() && !(m_roundTrip && m_roundTrip->isRunning()));
}

bool frmMain::isWalking() const
{
    return m_walks->isBusy();
}

void frmMain::setWalkSliceTimes(int firstSlice, int laterSlices)
{
    m_walks->setSliceTimes(firstSlice, laterSlices);
}

void frmMain::walkNames(std::function<void(RenameList&)> operation, std::function<void()> finish)
{
    runWalk(std::make_unique<NewNameWalk>(m_list, std::move(operation)),
            QStringLiteral("新しい名前を作成中…"), std::move(finish));
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
    const auto design =
        std::find_if(ButtonDesigns().cbegin(), ButtonDesigns().cend(),
                     [this, pressed](const ButtonDesign& d) { return button(d.command) == pressed; });
    if (design == ButtonDesigns().cend())
        return QMainWindow::eventFilter(watched, event);
    const ButtonCommand command = design->command;
    if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) && !isWalking()) {
        const QString hint = buttonHint(command);
        if (!hint.isNull())
            setStatusText(hint);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (pressed->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            pressButton(command, true);
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
    m_list.clear();
    setStatusText(QString());
    m_count->setFullText(QString());
}

void frmMain::removeSelected()
{
    RemoveSelectedRow(m_list);
}

void frmMain::addDroppedPaths(const QStringList& paths, Qt::KeyboardModifiers modifiers)
{
    // Shift alone adds a dropped folder as one row; with Ctrl or Alt as well
    // its files are added, as without any key.
    const bool shiftAlone =
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
        Qt::ShiftModifier;
    runInFrame([this, paths, shiftAlone] { intakePaths(paths, [shiftAlone] { return shiftAlone; }); });
}

void frmMain::intakePaths(const QStringList& paths, const std::function<bool()>& addFolderAsRow,
                          std::function<void()> then)
{
    auto walk = std::make_unique<PathIntake>(m_list, paths, addFolderAsRow, m_options.foldersAsRows,
                                             *m_services.lister, *m_services.icons);
    const PathIntake* intake = walk.get();
    runWalk(std::move(walk), QStringLiteral("追加中…"), [this, intake, then = std::move(then)] {
        refreshCount();
        reportLeftOut(intake->result());
        if (then)
            then();
    });
}

void frmMain::chooseFolder()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダの参照"));
    QApplication::restoreOverrideCursor();
    if (folder.isEmpty()) {
        refreshCount();
        return;
    }
    m_list.clear();
    auto walk = PathIntake::ofFolder(m_list, QDir::toNativeSeparators(folder), QStringLiteral("*"),
                                     m_options.foldersAsRows, *m_services.lister, *m_services.icons);
    const PathIntake* intake = walk.get();
    runWalk(std::move(walk), QStringLiteral("フォルダを読み込み中…"), [this, intake] {
        reportLeftOut(intake->result());
        refreshCount();
    });
}

void frmMain::sortByColumn(int column)
{
    m_sort = NextSortState(m_sort, column);
    // A million rows take a second: the sort cannot be cut into slices, so
    // the pointer says the window is busy.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SortRows(m_list, m_sort, OpenSystemCollation().get());
    QApplication::restoreOverrideCursor();
    m_view->horizontalHeader()->setSortIndicatorShown(true);
    m_view->horizontalHeader()->setSortIndicator(column,
                                                 m_sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void frmMain::openRowFolder()
{
    if (m_list.hasSelection())
        m_services.shell->showInFileManager(FullPathOf(m_list.at(m_list.selectedRow())));
}

void frmMain::setTopmost(bool on)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show(); // changing the flag hides the window
}

QString frmMain::buttonHint(ButtonCommand command) const
{
    switch (command) {
    case ButtonCommand::EditorRename:
    case ButtonCommand::Undo:
    case ButtonCommand::Rename:
        return {};
    case ButtonCommand::Width:
        return NextClickHint(m_widthStep.nextStep());
    case ButtonCommand::UpperCase:
        return NextClickHint(m_upperCycle.nextVariant());
    case ButtonCommand::LowerCase:
        return NextClickHint(m_lowerCycle.nextVariant());
    default:
        return button(command)->toolTip();
    }
}

void frmMain::replaceInNames(bool spareExtension)
{
    const QString search = m_search->text();
    const QString replacement = m_replace->text();
    const MatchCase matchCase = MatchCaseOfTick(m_options.ignoreCaseInSearch);
    const ReplaceScope scope = spareExtension ? ReplaceScope::SpareExtension : ReplaceScope::WholeName;
    walkNames([search, replacement, matchCase, scope](RenameList& list) {
        ReplaceInNames(list, search, replacement, matchCase, scope);
    });
}

void frmMain::propertyNames(void (*fromDetails)(RenameList&, DetailSource&))
{
    walkNames([fromDetails, details = m_services.details](RenameList& list) { fromDetails(list, *details); });
}

void frmMain::insertText(InsertionKind kind)
{
    const QString text = m_combo->currentText();
    if (text.isEmpty())
        return;
    auto history = std::make_shared<QStringList>();
    for (int i = 0; i < m_combo->count(); ++i)
        history->append(m_combo->itemText(i));
    walkNames(
        [history, text, kind, details = m_services.details](RenameList& list) {
            RunInsertionCommand(list, kind, text, *history, *details, SystemClock(), QLocale::system());
        },
        // The history is kept also when the walk stops at a failing row.
        [this, history, text] {
            m_combo->clear();
            m_combo->addItems(*history);
            m_combo->setCurrentIndex(0);
            m_combo->setEditText(text);
        });
}

void frmMain::showButtonMenu(ButtonCommand command, const QString& menuName)
{
    QPushButton* pressed = button(command);
    // At the mouse, where the right button was released over the button; a
    // press that came from elsewhere (no mouse over the button) opens the
    // menu on the button.
    const QPoint mouse = QCursor::pos();
    const bool overButton = pressed->rect().contains(pressed->mapFromGlobal(mouse));
    showMenuAt(menuName, overButton ? mouse : pressed->mapToGlobal(pressed->rect().center()));
}
