// The main window's widgets, their places and their events.
#include "ui/MainWindow.h"

#include "ui/ButtonTable.h"
#include "ui/MainLayout.h"
#include "ui/MenuTable.h"
#include "ui/PathBoxFilter.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"
#include "ui/StatusPanel.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QUrl>

void MainWindow::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    setCentralWidget(central);

    auto* listCaption = new QLabel(QStringLiteral("リネームするファイル"), central);
    listCaption->setObjectName(QStringLiteral("listCaption"));
    listCaption->setGeometry(TwipsRect(120, 80, 1815, 255, dpi()));

    m_view = new RenameListView(central);
    m_view->setModel(m_model);
    m_view->setAccessibleName(QStringLiteral("リネームするファイル"));
    const int designWidths[] = {2000, 2000, 2000, 5000};
    for (int column = 0; column < 4; ++column)
        m_view->setColumnWidth(column, px(designWidths[column]));

    m_panel = new QWidget(central);
    m_panel->setObjectName(QStringLiteral("commandPanel"));
    m_panel->installEventFilter(this);

    auto addLabel = [this](const QString& name, const QString& caption, QRect place) {
        auto* label = new QLabel(caption, m_panel);
        label->setObjectName(name);
        label->setGeometry(place);
        return label;
    };
    auto addLineEdit = [this](const QString& name, const QString& tip, QRect place) {
        auto* edit = new QLineEdit(m_panel);
        edit->setObjectName(name);
        edit->setToolTip(tip);
        edit->setAccessibleName(tip);
        edit->setAccessibleDescription(tip);
        edit->setGeometry(place);
        return edit;
    };

    m_insertionBox = new QComboBox(m_panel);
    m_insertionBox->setObjectName(QStringLiteral("insertionBox"));
    m_insertionBox->setEditable(true);
    m_insertionBox->setInsertPolicy(QComboBox::NoInsert);
    // The history is a list to pick from: what the user types stays exactly
    // what was typed, never completed from an earlier entry.
    m_insertionBox->setCompleter(nullptr);
    m_insertionBox->setToolTip(QStringLiteral("追加・変更したい文字を入力して下さい"));
    m_insertionBox->setAccessibleName(m_insertionBox->toolTip());
    m_insertionBox->setAccessibleDescription(m_insertionBox->toolTip());
    m_insertionBox->setGeometry(TwipsRect(120, 400, 2895, 300, dpi()));

    QLabel* searchLabel = addLabel(QStringLiteral("searchCaption"), QStringLiteral("検索"),
                                   TwipsRect(120, 805, 375, 255, dpi()));
    m_searchBox = addLineEdit(QStringLiteral("searchBox"), QStringLiteral("検索文字列を入力して下さい"),
                              TwipsRect(500, 770, 1040, 270, dpi()));
    QLabel* replaceLabel = addLabel(QStringLiteral("replaceCaption"), QStringLiteral("置換"),
                                    TwipsRect(1590, 805, 375, 255, dpi()));
    m_replaceBox = addLineEdit(QStringLiteral("replaceBox"), QStringLiteral("置換文字列を入力して下さい"),
                               TwipsRect(1960, 770, 1040, 270, dpi()));
    searchLabel->setBuddy(m_searchBox);
    replaceLabel->setBuddy(m_replaceBox);

    m_ignoreCaseBox = new QCheckBox(QStringLiteral("大文字と小文字を区別しない"), m_panel);
    m_ignoreCaseBox->setObjectName(QStringLiteral("ignoreCaseBox"));
    // The designed height is too short for a check box's text; it grows
    // downwards from its designed top. Its width follows its text where the
    // right-hand group leaves room (layoutPanel).
    const QRect casePlace = TwipsRect(4080, 770, CaseBoxWidthTwips, 285, dpi());
    m_ignoreCaseBox->setGeometry(
        casePlace.adjusted(0, 0, 0, std::max(0, m_ignoreCaseBox->sizeHint().height() - casePlace.height())));

    m_editorPathBox =
        addLineEdit(QStringLiteral("editorPathBox"), QStringLiteral("使用するエディタのパスを指定して下さい"),
                    TwipsRect(7200, 770, 3075, 270, dpi()));
    m_editorPathBox->setPlaceholderText(QStringLiteral("オプション → エディタの指定"));
    new PathBoxFilter(m_editorPathBox);

    buildStatusBar();
}

void MainWindow::buildStatusBar()
{
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setSizeGripEnabled(true);
    m_status = new StatusPanel(QStringLiteral("メッセージ"), bar);
    m_status->setObjectName(QStringLiteral("messagePanel"));
    m_count = new StatusPanel(QStringLiteral("総数"), bar);
    m_count->setObjectName(QStringLiteral("countPanel"));
    m_count->setFixedWidth(px(CountPanelWidthTwips));
    m_count->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    // The rows the rename would fail on are counted beside the hint line, so
    // no hint or message hides the count; F8 goes to them.
    m_failing = new StatusPanel(QStringLiteral("リネームできない行"), bar);
    m_failing->setObjectName(QStringLiteral("failingPanel"));
    m_failing->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_failing->hide();
    bar->addWidget(m_status, 1);
    bar->addPermanentWidget(m_failing);
    bar->addPermanentWidget(m_count);
    bar->setFixedHeight(std::max(px(StatusHeightTwips), bar->sizeHint().height()));
    setStatusBar(bar);
}

QString MainWindow::statusText() const
{
    return m_status->fullText();
}

QString MainWindow::countText() const
{
    return m_count->fullText();
}

QString MainWindow::failingText() const
{
    return m_failing->fullText();
}

void MainWindow::showFailingCount(const QString& text)
{
    m_failing->setFullText(text);
    if (!text.isEmpty()) {
        const int padding = 2 * m_failing->margin() + m_failing->fontMetrics().averageCharWidth() * 2;
        m_failing->setFixedWidth(m_failing->fontMetrics().horizontalAdvance(text) + padding);
    }
    m_failing->setVisible(!text.isEmpty());
}

void MainWindow::updateMinimumSize()
{
    const QSize frameExtra = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    const QSize minimum(px(MinimumOuterWidthTwips), px(MinimumOuterHeightTwips));
    setMinimumSize(minimum - frameExtra);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (isMinimized())
        return;
    // The list takes all the room between its top and the bottom panel.
    QWidget* client = centralWidget();
    const int listTop = px(ListTopTwips);
    const int panelHeight = px(PanelHeightTwips);
    m_panel->setGeometry(0, client->height() - panelHeight, client->width(), panelHeight);
    m_view->setGeometry(0, listTop, client->width(), std::max(0, client->height() - listTop - panelHeight));
}

void MainWindow::layoutPanel()
{
    const RightGroupLefts lefts = RightGroupLayout(PixelsToTwips(m_panel->width(), dpi()));
    auto moveLeft = [this](QWidget* widget, int leftTwips) { widget->move(px(leftTwips), widget->y()); };
    moveLeft(button(Command::Rename), lefts.renameButton);
    moveLeft(button(Command::Undo), lefts.undoButton);
    moveLeft(button(Command::EditorRename), lefts.editorButton);
    moveLeft(m_editorPathBox, lefts.editorPathBox);
    // The case box is as wide as its text needs (fonts and scales differ),
    // never narrower than designed, and stops short of the editor button.
    const int designed = px(CaseBoxWidthTwips);
    const int room = button(Command::EditorRename)->x() - px(ButtonGapTwips) - m_ignoreCaseBox->x();
    m_ignoreCaseBox->resize(
        std::clamp(m_ignoreCaseBox->sizeHint().width(), designed, std::max(designed, room)),
        m_ignoreCaseBox->height());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    fitRestoredFrame();
    if (m_fitColumnsWhenShown)
        QTimer::singleShot(0, this, &MainWindow::fitColumns);
}

// The saved size is the outer one; once the window manager has framed the
// window (on X11 only after it is shown, when it moves it into the frame),
// the client gets what is left of it, once.
void MainWindow::fitRestoredFrame()
{
    updateMinimumSize();
    if (m_placementApplied || !m_restoredOuter.isValid() || windowState() != Qt::WindowNoState)
        return;
    const QSize frameExtra = frameGeometry().size() - size();
    if (frameExtra.isNull())
        return;
    m_placementApplied = true;
    resize(m_restoredOuter - frameExtra);
}

bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        fitRestoredFrame();
    // Hints of menu entries (their status tips) go to panel 1; an entry
    // without a hint, a highlighted bar title or a closing menu clears it.
    if (event->type() == QEvent::StatusTip) {
        // While a walk goes on, panel 1 shows its progress.
        if (!m_session->isBusy())
            m_session->setStatusText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}
