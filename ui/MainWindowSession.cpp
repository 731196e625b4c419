// The window put together over its session, and what the session says,
// shown: panel texts, the busy pointer, options, the preview, the reports of
// walks; and the window's own part of the settings, its placement and
// column widths.
#include "ui/JournalHistoryDialog.h"
#include "ui/JournalPrompts.h"
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
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

namespace {

QList<int> ColumnWidths(const RenameListView* view)
{
    QList<int> widths;
    for (int column = 0; column < 4; ++column)
        widths.append(view->columnWidth(column));
    return widths;
}

} // namespace

MainWindow::MainWindow(std::unique_ptr<RenameSession> session, IconTable& icons, QWidget* parent)
    : QMainWindow(parent)
    , m_session(std::move(session))
    , m_list(m_session->list())
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Quorvane"));
    m_model = new RenameListModel(m_list, icons, this);
    buildControls();
    buildButtons(centralWidget());
    buildMenus();
    connectSession();
    connectList();
    resize(px(10800), px(5505) + menuBar()->sizeHint().height() + px(StatusHeightTwips));
    updateMinimumSize();
}

MainWindow::~MainWindow()
{
    // The list's view and model watch the session's rows: they go before the
    // session does, not with the other children after it.
    delete m_view;
    delete m_model;
}

void MainWindow::connectSession()
{
    RenameSession* session = m_session.get();
    connect(session, &RenameSession::statusChanged, m_status, &StatusPanel::setFullText);
    connect(session, &RenameSession::countChanged, m_count, &StatusPanel::setFullText);
    connect(session, &RenameSession::failingCountChanged, this, &MainWindow::showFailingCount);
    connect(session, &RenameSession::intakeEnded, this, &MainWindow::fitColumns);
    connect(session, &RenameSession::editorMissing, this, &MainWindow::showEditorMissing);
    connect(session, &RenameSession::busyChanged, this, [](bool walking) {
        if (walking)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    // The status bar stays enabled: the progress reads as normal text, and
    // "中止" can be clicked while a long walk runs.
    connect(session, &RenameSession::usableChanged, this, [this](bool usable) {
        centralWidget()->setEnabled(usable);
        menuBar()->setEnabled(usable);
    });
    auto* stop = new QPushButton(QStringLiteral("中止"), statusBar());
    stop->setObjectName(QStringLiteral("stopButton"));
    stop->setToolTip(QStringLiteral("処理中のファイルを終えたところで止めます"));
    stop->setAutoDefault(false);
    stop->setMaximumHeight(statusBar()->maximumHeight());
    stop->hide();
    statusBar()->insertPermanentWidget(1, stop); // after panel 1, before the count
    connect(stop, &QPushButton::clicked, session, &RenameSession::stopTask);
    connect(session, &RenameSession::stoppableChanged, this, [stop](bool stoppable) {
        stop->setVisible(stoppable);
        // The pointer says the program is busy but still takes the click.
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(stoppable ? Qt::BusyCursor : Qt::WaitCursor);
    });
    connect(session, &RenameSession::previewChanged, this,
            [this] { m_model->setPreview(m_session->preview()); });
    connect(session, &RenameSession::optionsChanged, this, &MainWindow::showOptions);
    connect(session, &RenameSession::editorPathChanged, m_editorPathBox, &QLineEdit::setText);
    connect(session, &RenameSession::insertionHistoryChanged, this, &MainWindow::showInsertionHistory);
    connect(session, &RenameSession::sortMarkChanged, this, [this](int column, bool ascending) {
        QHeaderView* header = m_view->horizontalHeader();
        header->setSortIndicatorShown(column >= 0);
        if (column >= 0)
            header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    });
    connect(session, &RenameSession::walkReported, this, &MainWindow::showWalkReport);
    new JournalPrompts(*session, this);
    connect(session, &RenameSession::historyChanged, this, [this] {
        if (m_history)
            m_history->setBatches(m_session->history());
    });
    connect(session, &RenameSession::commandFinished, this, [this] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        if (std::exchange(m_closeAfterTask, false))
            QTimer::singleShot(0, this, &QWidget::close);
    });
    connect(m_insertionBox, &QComboBox::editTextChanged, session, &RenameSession::setInsertionText);
    // Enter in the template box gives the template to the names, as "変更" does.
    connect(m_insertionBox->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { pressButton(Command::ChangeName); });
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
    // The model keeps the list's selected row and the view's current row in step.
    QItemSelectionModel* const viewsOwn = m_view->selectionModel();
    m_view->setSelectionModel(m_model->selectionModel());
    delete viewsOwn;
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
    action(Command::ChainOperations)->setChecked(options.chainOperations);
    action(Command::RenameCycles)->setChecked(options.renameCycles);
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

// Once after rows come in, the columns take the width their texts need,
// within limits: never narrower than their captions, none of the first three
// wider than a third of the list, and the folder takes what is left. The new
// and previous names, still empty then, get room for names as long as the
// current ones. A window not yet shown fits them once it is.
void MainWindow::fitColumns()
{
    if (!m_view->isVisible()) {
        m_fitColumnsWhenShown = true;
        return;
    }
    m_fitColumnsWhenShown = false;
    QHeaderView* header = m_view->horizontalHeader();
    const int widest = std::max(px(2000), m_view->viewport()->width() / 3);
    int names = 0;
    for (int column = 0; column < header->count() - 1; ++column) {
        m_view->resizeColumnToContents(column);
        names = std::max(names, m_view->columnWidth(column));
        // A new name the rename would fail on carries a warning icon.
        const int mark = column == 1 ? m_view->iconSize().width() +
                                           m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) * 2 + 4
                                     : 0;
        const int fitted = std::max({names + mark, header->sectionSizeHint(column), px(1200)});
        m_view->setColumnWidth(column, std::min(fitted, widest));
    }
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

void MainWindow::startUp(const GivenPaths& paths)
{
    if (std::exchange(m_started, true))
        return;
    const StoredSettings stored = m_session->loadSettings(ColumnWidths(m_view));
    m_restoredOuter = RestorePlacement(*this, stored, dpi());
    for (int column = 0; column < stored.columnWidths.size() && column < 4; ++column)
        m_view->setColumnWidth(column, stored.columnWidths.at(column));
    button(Command::DetectExtension)->setVisible(m_session->isAvailable(Command::DetectExtension));
    m_session->startUp(paths);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The shutdown never runs under a walk: the window closes once it ends.
    if (m_session->isBusy()) {
        m_closeAfterTask = true;
        event->ignore();
        return;
    }
    m_model->setIconsShown(false);
    StoredSettings stored = CurrentPlacement(*this, dpi());
    stored.columnWidths = ColumnWidths(m_view);
    m_session->saveSettings(stored);
    QMainWindow::closeEvent(event);
}

void MainWindow::setTopmost(bool on)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show(); // changing the flag hides the window
}
