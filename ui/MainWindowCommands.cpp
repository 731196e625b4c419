// The menus and the buttons as commands: one action per menu command, each
// button bound to its command, and the commands the window runs itself
// because they need a dialog.
#include "ui/AutoRenameDialog.h"
#include "ui/ButtonTable.h"
#include "ui/JournalHistoryDialog.h"
#include "ui/MainWindow.h"
#include "ui/MenuTable.h"
#include "ui/RenameListView.h"
#include "ui/StatusPanel.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QTimer>

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    QHash<QString, QAction*> byName;
    for (const MenuEntry& entry : MenuEntries()) {
        const QString name = QString::fromLatin1(entry.objectName);
        const QString caption = QString::fromUtf16(entry.caption);
        if (entry.kind == MenuKind::Title) {
            auto* menu = new QMenu(caption, this);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QStringLiteral("Title"));
            menu->menuAction()->setStatusTip(QString());
            // A closing menu clears the hint line.
            connect(menu, &QMenu::aboutToHide, this, [this] { m_session->setStatusText(QString()); });
            // A menu opened as a popup sends the hints of its entries to
            // itself; the window takes them from there (eventFilter).
            menu->installEventFilter(this);
            connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateAvailable);
            // A hint too long for panel 1 is shortened there; the entry's
            // tooltip then gives it whole.
            menu->setToolTipsVisible(true);
            connect(menu, &QMenu::aboutToShow, this, [this, menu] {
                const int room = m_status->contentsRect().width() - 2 * m_status->margin();
                for (QAction* item : menu->actions()) {
                    const QString hint = item->statusTip();
                    item->setToolTip(m_status->fontMetrics().horizontalAdvance(hint) > room ? hint
                                                                                            : QString());
                }
            });
            if (entry.inMenuBar)
                bar->addMenu(menu);
            // A title held by another menu is its submenu.
            if (QMenu* owner = m_menus.value(QString::fromLatin1(entry.menu));
                owner && qstrcmp(entry.menu, entry.objectName) != 0) {
                owner->addMenu(menu);
                menu->menuAction()->setStatusTip(HintOf(entry));
            }
            m_menus.insert(name, menu);
            continue;
        }
        QMenu* owner = m_menus.value(QString::fromLatin1(entry.menu));
        QAction* item = entry.kind == MenuKind::Separator ? owner->addSeparator() : owner->addAction(caption);
        if (entry.placeBefore)
            owner->insertAction(byName.value(QString::fromLatin1(entry.placeBefore)), item);
        item->setObjectName(name);
        item->setCheckable(entry.checkable);
        item->setVisible(entry.visible);
        item->setStatusTip(HintOf(entry));
        byName.insert(name, item);
        if (!entry.command)
            continue;
        const Command command = *entry.command;
        m_actions.insert(command, item);
        // A check mark is all an option's entry does: its toggle is the command.
        if (entry.checkable)
            connect(item, &QAction::toggled, this,
                    [this, command](bool on) { m_session->setOption(command, on); });
        else
            connect(item, &QAction::triggered, this, [this, command] { trigger(command); });
    }
    // The Delete key reaches the list, which removes the row; the entry only
    // shows the key.
    action(Command::RemoveRow)->setShortcut(QKeySequence(Qt::Key_Delete));
    action(Command::RemoveRow)->setShortcutContext(Qt::WidgetShortcut);
    // F8 works wherever the focus is in the window, not only in the popup.
    QAction* nextFailing = action(Command::NextFailingRow);
    nextFailing->setShortcut(QKeySequence(Qt::Key_F8));
    nextFailing->setShortcutContext(Qt::WindowShortcut);
    addAction(nextFailing);
    // The popup tells before "選択ファイルのみリネーム" when that rename would fail.
    QMenu* rowMenu = menu(QStringLiteral("rowMenu"));
    rowMenu->setToolTipsVisible(true);
    QAction* renameSelected = action(Command::RenameSelected);
    connect(rowMenu, &QMenu::aboutToShow, this, [this, renameSelected, hint = renameSelected->statusTip()] {
        const QString reason = m_session->renameSelectedProblem();
        renameSelected->setStatusTip(reason.isEmpty() ? hint : QStringLiteral("%1。%2").arg(hint, reason));
        renameSelected->setToolTip(reason);
    });
    updateAvailable();
}

void MainWindow::updateAvailable()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        (*it)->setEnabled(m_session->isAvailable(it.key()));
    for (const ButtonDesign& design : ButtonDesigns())
        button(design.command)->setEnabled(m_session->isAvailable(design.command));
}

void MainWindow::trigger(Command command)
{
    switch (command) {
    case Command::ChooseFolder:
        chooseFolder();
        return;
    case Command::ChooseEditor:
        chooseEditor();
        return;
    case Command::RenameHistory:
        showRenameHistory();
        return;
    case Command::ShowVersion:
        showVersion();
        return;
    case Command::AutoRenameSettings:
        AutoRenameDialog::showModal(this);
        return;
    case Command::NextFailingRow:
        showNextFailingRow();
        return;
    case Command::Quit:
        close();
        return;
    default:
        m_session->run(command);
    }
}

void MainWindow::pressButton(Command command, bool rightClick)
{
    if (!button(command)->isEnabled())
        return;
    const ButtonDesign& design = ButtonDesignOf(command);
    if (!rightClick)
        trigger(command);
    else if (design.rightClick)
        trigger(*design.rightClick);
    else if (design.rightMenu && !m_session->isBusy())
        showButtonMenu(command, QString::fromLatin1(design.rightMenu));
}

void MainWindow::showMenuAt(const QString& name, const QPoint& globalPos)
{
    if (QMenu* popup = m_menus.value(name))
        popup->popup(globalPos);
}

void MainWindow::showButtonMenu(Command button, const QString& menuName)
{
    QPushButton* pressed = this->button(button);
    // At the mouse, where the right button was released over the button; a
    // press that came from elsewhere (no mouse over the button) opens the
    // menu on the button.
    const QPoint mouse = QCursor::pos();
    const bool overButton = pressed->rect().contains(pressed->mapFromGlobal(mouse));
    showMenuAt(menuName, overButton ? mouse : pressed->mapToGlobal(pressed->rect().center()));
}

QString MainWindow::buttonHint(Command button) const
{
    const QString next = m_session->nextClickHint(button);
    return next.isNull() ? this->button(button)->toolTip() : next;
}

void MainWindow::showNextFailingRow()
{
    m_session->selectNextFailingRow();
    if (!m_list.hasSelection())
        return;
    m_view->scrollTo(m_view->model()->index(m_list.selectedRow(), 1), QAbstractItemView::PositionAtCenter);
    m_view->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::addDroppedPaths(const QStringList& paths, Qt::KeyboardModifiers modifiers)
{
    // Shift alone adds a dropped folder as one row; with Ctrl or Alt as well
    // its files are added, as without any key.
    const bool shiftAlone =
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
        Qt::ShiftModifier;
    m_session->addPaths(paths, shiftAlone);
}

void MainWindow::chooseFolder()
{
    if (m_session->isBusy())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダの参照"), dialogFolder());
    QApplication::restoreOverrideCursor();
    if (!folder.isEmpty())
        m_lastDialogFolder = folder;
    m_session->openFolder(folder);
}

// The dialogs open where the user works: the selected row's folder, else
// where the last dialog was left, never the folder the program was started in.
QString MainWindow::dialogFolder() const
{
    if (m_list.hasSelection()) {
        const QString folder = m_list.at(m_list.selectedRow()).folder.toString();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    if (!m_lastDialogFolder.isEmpty() && QFileInfo(m_lastDialogFolder).isDir())
        return m_lastDialogFolder;
    return QDir::homePath();
}

void MainWindow::chooseEditor()
{
    const QFileInfo current(m_editorPathBox->text());
    const QString start =
        current.isAbsolute() && current.dir().exists() ? current.absolutePath() : dialogFolder();
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("ファイルを開く"), start,
                                                        QStringLiteral("すべてのファイル(*)"));
    if (chosen.isEmpty())
        return;
    m_lastDialogFolder = QFileInfo(chosen).absolutePath();
    m_editorPathBox->setText(QDir::toNativeSeparators(chosen));
}

void MainWindow::showEditorMissing(const QString& text)
{
    if (!m_failureDialogs)
        return;
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Quorvane"), text, QMessageBox::Close, this);
    box->setObjectName(QStringLiteral("editorMissingBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* choose = box->addButton(QStringLiteral("エディタの指定..."), QMessageBox::AcceptRole);
    box->setDefaultButton(choose);
    connect(choose, &QPushButton::clicked, this, [this] { trigger(Command::ChooseEditor); });
    box->open();
}

void MainWindow::showRenameHistory()
{
    if (!m_history) {
        m_history = new JournalHistoryDialog(*m_session, this);
        m_history->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_history->setBatches(m_session->history());
    m_history->open();
}

void MainWindow::showVersion()
{
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Quorvane"), m_session->versionText(),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("versionBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::buildButtons(QWidget* central)
{
    for (const ButtonDesign& design : ButtonDesigns()) {
        auto* button =
            new QPushButton(QString::fromUtf16(design.caption), design.inPanel ? m_panel : central);
        button->setObjectName(QString::fromLatin1(design.objectName));
        button->setToolTip(QString::fromUtf16(design.tooltip));
        button->setAccessibleName(QString::fromUtf16(design.caption));
        button->setAccessibleDescription(QString::fromUtf16(design.tooltip));
        button->setGeometry(TwipsRect(design.left, design.top, design.width, design.height, dpi()));
        button->setMouseTracking(true);
        button->setAutoDefault(false);
        button->installEventFilter(this);
        const Command command = design.command;
        connect(button, &QPushButton::clicked, this, [this, command] { pressButton(command); });
        m_buttons.at(SlotOf(command)) = button;
    }
    addShortcuts();
    QWidget* previous = nullptr;
    for (const QString& name : TabOrder()) {
        QWidget* next = findChild<QWidget*>(name);
        if (previous && next)
            setTabOrder(previous, next);
        previous = next;
    }
}

// The rename and its undo from the keyboard, wherever the focus is in the
// window; in a text box Ctrl+Z still undoes the typing first.
void MainWindow::addShortcuts()
{
    const std::pair<Command, QKeySequence> keys[] = {
        {Command::Rename, QKeySequence(Qt::CTRL | Qt::Key_R)},
        {Command::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
    };
    for (const auto& [command, key] : keys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, command = command] { pressButton(command); });
        QPushButton* pressed = button(command);
        pressed->setToolTip(
            QStringLiteral("%1（%2）").arg(pressed->toolTip(), key.toString(QKeySequence::NativeText)));
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel && event->type() == QEvent::Resize) {
        layoutPanel();
        return false;
    }
    if (event->type() == QEvent::StatusTip && qobject_cast<QMenu*>(watched)) {
        m_session->setStatusText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    auto* pressed = qobject_cast<QPushButton*>(watched);
    const auto design =
        std::find_if(ButtonDesigns().cbegin(), ButtonDesigns().cend(),
                     [this, pressed](const ButtonDesign& d) { return button(d.command) == pressed; });
    if (!pressed || design == ButtonDesigns().cend())
        return QMainWindow::eventFilter(watched, event);
    if ((event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) && !m_session->isBusy()) {
        const QString hint = buttonHint(design->command);
        if (!hint.isNull())
            m_session->setStatusText(hint);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (pressed->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            pressButton(design->command, true);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
