// What the session says, shown: panel texts, the busy pointer, options,
// the preview, the questions of the rename journal; and the window's own
// part of the settings, its placement.
#include "ui/JournalHistoryDialog.h"
#include "ui/MainLayout.h"
#include "ui/MainWindow.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"
#include "ui/RenameReportDialog.h"
#include "ui/StatusPanel.h"
#include "ui/Twips.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

QList<int> ColumnWidths(const RenameListView* view)
{
    QList<int> widths;
    for (int column = 0; column < 4; ++column)
        widths.append(view->columnWidth(column));
    return widths;
}

// The primary screen's area first: a window that is on no screen goes there.
QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
}

QMessageBox* OpenBox(QWidget* owner, QMessageBox::Icon icon, const char* name, const QString& text,
                     const QString& details)
{
    auto* box = new QMessageBox(icon, QStringLiteral("Quorvane"), text, QMessageBox::NoButton, owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setInformativeText(details);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

} // namespace

void MainWindow::connectSession()
{
    RenameSession* session = m_session.get();
    connect(session, &RenameSession::statusChanged, m_status, &StatusPanel::setFullText);
    connect(session, &RenameSession::countChanged, m_count, &StatusPanel::setFullText);
    connect(session, &RenameSession::walkingChanged, this, [](bool walking) {
        if (walking)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    connect(session, &RenameSession::usableChanged, this, &QWidget::setEnabled);
    connect(session, &RenameSession::previewChanged, this,
            [this] { m_model->setPreview(m_session->preview()); });
    connect(session, &RenameSession::optionsChanged, this, &MainWindow::showOptions);
    connect(session, &RenameSession::editorPathChanged, m_editorPathBox, &QLineEdit::setText);
    connect(session, &RenameSession::insertionHistoryChanged, this, &MainWindow::showInsertionHistory);
    connect(session, &RenameSession::sorted, this, [this](int column, bool ascending) {
        m_view->horizontalHeader()->setSortIndicatorShown(true);
        m_view->horizontalHeader()->setSortIndicator(column,
                                                     ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    connect(session, &RenameSession::walkReported, this, &MainWindow::showWalkReport);
    connect(session, &RenameSession::journalUnwritable, this, &MainWindow::askToRenameWithoutJournal);
    connect(session, &RenameSession::recoveryQuestion, this, &MainWindow::askRecovery);
    connect(session, &RenameSession::setAsideFound, this, &MainWindow::showSetAside);
    connect(session, &RenameSession::historyChanged, this, [this] {
        if (m_history)
            m_history->setBatches(m_session->history());
    });
    connect(session, &RenameSession::commandFinished, this, [this] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        if (std::exchange(m_closeAfterWalk, false))
            QTimer::singleShot(0, this, &QWidget::close);
    });
    connect(m_insertionBox, &QComboBox::editTextChanged, session, &RenameSession::setInsertionText);
    connect(m_searchBox, &QLineEdit::textChanged, session, &RenameSession::setSearchText);
    connect(m_replaceBox, &QLineEdit::textChanged, session, &RenameSession::setReplaceText);
    connect(m_editorPathBox, &QLineEdit::textChanged, session, &RenameSession::setEditorPath);
    connect(m_ignoreCaseBox, &QCheckBox::toggled, session, &RenameSession::setIgnoreCase);
    m_editorPathBox->setText(session->editorPath());
    connect(session, &RenameSession::hideRequested, this, &QWidget::hide);
    connect(session, &RenameSession::showRequested, this, &QWidget::show);
    connect(session, &RenameSession::raiseRequested, this, [this] {
        raise();
        activateWindow();
    });
    connect(session, &RenameSession::captionChanged, this, &QWidget::setWindowTitle);
}

void MainWindow::connectList()
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
    connect(m_view, &RenameListView::pathsDropped, this, &MainWindow::addDroppedPaths);
    connect(m_view, &RenameListView::deletePressed, this, [this] {
        if (!m_list.isEmpty() && m_list.hasSelection())
            m_session->run(Command::RemoveRow);
    });
    connect(m_view, &RenameListView::rightButtonReleased, this, [this](const QPoint& at, bool overRow) {
        showMenuAt(overRow ? QStringLiteral("rowMenu") : QStringLiteral("fileMenu"), at);
    });
    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        // A million rows take a second: the sort cannot be cut into slices,
        // so the pointer says the window is busy.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_session->sortBy(column);
        QApplication::restoreOverrideCursor();
    });
}

void MainWindow::showOptions(const Options& options)
{
    action(Command::EditorAtStart)->setChecked(options.editorAtStart);
    action(Command::FoldersAsRows)->setChecked(options.foldersAsRows);
    action(Command::StayOnTop)->setChecked(options.topMost);
    action(Command::ShowIcons)->setChecked(options.iconsShown);
    m_ignoreCaseBox->setChecked(options.ignoreCaseInSearch);
    // The window's look follows at once, also when settings set it.
    if (options.topMost != windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        setTopmost(options.topMost);
    m_model->setIconsShown(options.iconsShown);
}

void MainWindow::showInsertionHistory(const QStringList& history, const QString& current)
{
    m_insertionBox->clear();
    m_insertionBox->addItems(history);
    m_insertionBox->setCurrentIndex(current.isEmpty() ? -1 : 0);
    if (!current.isEmpty())
        m_insertionBox->setEditText(current);
}

void MainWindow::showWalkReport(const RenameReport& report)
{
    if (!m_failureDialogs)
        return;
    // One summary after the walk, never one per file; over the rename
    // history when that is open.
    QWidget* modal = QApplication::activeModalWidget();
    RenameReportDialog::openFor(report, modal ? modal : this);
}

void MainWindow::askToRenameWithoutJournal(RenameWalkKind kind, const QString& problem)
{
    QMessageBox* box = OpenBox(
        this, QMessageBox::Warning, "journalUnwritable",
        QStringLiteral("リネーム履歴を保存できないため、リネームしませんでした。"),
        QStringLiteral("理由：%1%2履歴なしでリネームすると、途中で異常終了したときに元に戻す手段がなく、"
                       "リネーム履歴からも元に戻せません。空き容量や書き込み権限を確かめてから、"
                       "もう一度リネームしてください。このまま履歴なしでリネームしますか？")
            .arg(problem, QStringLiteral("\n\n")));
    QPushButton* goOn = box->addButton(QStringLiteral("履歴なしでリネーム"), QMessageBox::AcceptRole);
    box->setDefaultButton(box->addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole));
    connect(box, &QDialog::finished, this, [this, box, goOn, kind] {
        if (box->clickedButton() == goOn)
            m_session->renameWithoutJournal(kind);
    });
    box->open();
}

void MainWindow::askRecovery(const QString& batchId, const QString& text, const QString& details)
{
    QMessageBox* box = OpenBox(this, QMessageBox::Question, "journalRecovery", text, details);
    QPushButton* putBack = box->addButton(QStringLiteral("元に戻す"), QMessageBox::YesRole);
    // Also what Escape and closing the box answer: keeping is what the
    // history can still undo.
    box->addButton(QStringLiteral("そのままにする"), QMessageBox::NoRole);
    box->setDefaultButton(putBack);
    connect(box, &QDialog::finished, this, [this, box, putBack, batchId] {
        m_session->answerRecovery(batchId, box->clickedButton() == putBack);
    });
    box->open();
}

void MainWindow::showSetAside(const QStringList& paths)
{
    QMessageBox* box = OpenBox(this, QMessageBox::Warning, "journalSetAside",
                               QStringLiteral("読み取れないリネーム履歴がありました。"),
                               QStringLiteral("壊れているか、別の版のQuorvaneで書かれているため使いません。"
                                              "次の名前で残してあります。") +
                                   QLatin1Char('\n') + paths.join(QLatin1Char('\n')));
    box->setStandardButtons(QMessageBox::Ok);
    connect(box, &QDialog::finished, m_session.get(), &RenameSession::setAsideSeen);
    box->open();
}

void MainWindow::startUp(const QStringList& paths, int undecodable)
{
    if (std::exchange(m_started, true))
        return;
    applyPlacement(m_session->loadSettings(ColumnWidths(m_view)));
    button(Command::DetectExtension)->setVisible(m_session->isAvailable(Command::DetectExtension));
    m_session->startUp(paths, undecodable);
}

void MainWindow::applyPlacement(const StoredSettings& stored)
{
    // The outer rectangle in twips, never below the minimum and never beyond
    // the screens; the frame's share is taken off once the window manager
    // has framed it.
    const QSize outer = EnforceMinimumOuterSize({stored.width, stored.height});
    const QRect placed =
        PlaceOnScreen(QRect(px(stored.left), px(stored.top), px(outer.width()), px(outer.height())),
                      AvailableScreenAreas(), QSize(px(MinimumOuterWidthTwips), px(MinimumOuterHeightTwips)));
    m_restoredOuter = placed.size();
    move(placed.topLeft());
    resize(m_restoredOuter);
    if (stored.windowState == WindowState::Maximised)
        setWindowState(Qt::WindowMaximized);
    else if (stored.windowState == WindowState::Minimised)
        setWindowState(Qt::WindowMinimized);
    for (int column = 0; column < stored.columnWidths.size() && column < 4; ++column)
        m_view->setColumnWidth(column, stored.columnWidths.at(column));
}

StoredSettings MainWindow::placement() const
{
    // For a maximised window the file keeps the last normal rectangle.
    StoredSettings stored;
    stored.windowState = isMinimized()   ? WindowState::Minimised
                         : isMaximized() ? WindowState::Maximised
                                         : WindowState::Normal;
    if (stored.windowState == WindowState::Normal) {
        const QRect frame = PlaceOnScreen(frameGeometry(), AvailableScreenAreas(), QSize());
        stored.left = PixelsToTwips(frame.x(), dpi());
        stored.top = PixelsToTwips(frame.y(), dpi());
        stored.height = PixelsToTwips(frame.height(), dpi());
        stored.width = PixelsToTwips(frame.width(), dpi());
    }
    stored.columnWidths = ColumnWidths(m_view);
    return stored;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The shutdown never runs under a walk: the window closes once it ends.
    if (m_session->isWalking()) {
        m_closeAfterWalk = true;
        event->ignore();
        return;
    }
    m_model->setIconsShown(false);
    m_session->saveSettings(placement());
    QMainWindow::closeEvent(event);
}

void MainWindow::setTopmost(bool on)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show(); // changing the flag hides the window
}
