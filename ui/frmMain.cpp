#include "ui/frmMain.h"

#include "core/CommandError.h"
#include "core/ListOps.h"
#include "platform/EditorPlatform.h"
#include "platform/IconTable.h"
#include "ui/MainLayout.h"
#include "ui/MenuTable.h"
#include "ui/NoDetails.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"
#include "ui/StatusPanel.h"
#include "ui/Twips.h"
#include "ui/WalkRunner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>

namespace {
QString text(const char16_t* utf16)
{
    return QString::fromUtf16(utf16);
}
} // namespace

frmMain::frmMain(const AppServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_programFolder(QCoreApplication::applicationDirPath())
    , m_fallbackEditor(std::make_unique<FallbackEditorFinder>())
{
    Q_ASSERT(m_services.lister && m_services.icons && m_services.keyboard && m_services.shell);
    static NoDetails noDetails;
    if (!m_services.details)
        m_services.details = &noDetails;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvane"));
    m_walks = new WalkRunner(this);
    buildControls();
    buildMenus();
    buildEditorRoundTrip();
    buildDispatch();
    connectList();
    connectPreview();
    resize(px(10800), px(5505) + menuBar()->sizeHint().height() + px(StatusHeightTwips));
    updateMinimumSize();
}

frmMain::~frmMain() = default;

qreal frmMain::dpi() const
{
    return logicalDpiX() > 0 ? logicalDpiX() : 96.0;
}

int frmMain::px(int twips) const
{
    return TwipsToPixels(twips, dpi());
}

void frmMain::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(central);

    auto* listCaption = new QLabel(QStringLiteral("リネームするファイル"), central);
    listCaption->setObjectName(QStringLiteral("Label1_1"));
    listCaption->setGeometry(TwipsRect(120, 80, 1815, 255, dpi()));

    m_view = new RenameListView(central);
    m_model = new RenameListModel(m_list, *m_services.icons, this);
    m_view->setModel(m_model);
    m_view->setAccessibleName(QStringLiteral("リネームするファイル"));
    const int designWidths[] = {2000, 2000, 2000, 5000};
    for (int column = 0; column < 4; ++column)
        m_view->setColumnWidth(column, px(designWidths[column]));

    m_panel = new QWidget(central);
    m_panel->setObjectName(QStringLiteral("Picture1"));
    m_panel->installEventFilter(this);

    for (const ButtonSpec& spec : ButtonSpecs()) {
        auto* button = new QPushButton(text(spec.caption), spec.inPanel ? m_panel : central);
        button->setObjectName(QStringLiteral("cmdMenu_%1").arg(spec.index));
        button->setToolTip(text(spec.tooltip));
        button->setAccessibleName(text(spec.caption));
        button->setAccessibleDescription(text(spec.tooltip));
        button->setGeometry(TwipsRect(spec.left, spec.top, spec.width, spec.height, dpi()));
        button->setMouseTracking(true);
        button->setAutoDefault(false);
        button->installEventFilter(this);
        const int index = spec.index;
        connect(button, &QPushButton::clicked, this, [this, index] { pressButton(index); });
        m_buttons.at(static_cast<size_t>(spec.index)) = button;
    }

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

    m_combo = new QComboBox(m_panel);
    m_combo->setObjectName(QStringLiteral("Combo1"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->setToolTip(QStringLiteral("追加・変更したい文字を入力して下さい"));
    m_combo->setAccessibleName(m_combo->toolTip());
    m_combo->setAccessibleDescription(m_combo->toolTip());
    m_combo->setGeometry(TwipsRect(120, 400, 2895, 300, dpi()));

    QLabel* searchLabel =
        addLabel(QStringLiteral("Label1_0"), QStringLiteral("検索"), TwipsRect(120, 805, 375, 255, dpi()));
    m_search = addLineEdit(QStringLiteral("txtEdit_0"), QStringLiteral("検索文字列を入力して下さい"),
                           TwipsRect(500, 770, 1040, 270, dpi()));
    QLabel* replaceLabel =
        addLabel(QStringLiteral("Label1_2"), QStringLiteral("置換"), TwipsRect(1590, 805, 375, 255, dpi()));
    m_replace = addLineEdit(QStringLiteral("txtEdit_1"), QStringLiteral("置換文字列を入力して下さい"),
                            TwipsRect(1960, 770, 1040, 270, dpi()));
    searchLabel->setBuddy(m_search);
    replaceLabel->setBuddy(m_replace);

    m_caseBox = new QCheckBox(QStringLiteral("大文字と小文字を区別しない"), m_panel);
    m_caseBox->setObjectName(QStringLiteral("chkCase"));
    // The designed height is too short for a check box's text; it grows
    // downwards from its designed top. Its width follows its text where the
    // right-hand group leaves room (layoutPanel).
    const QRect casePlace = TwipsRect(4080, 770, CaseBoxWidthTwips, 285, dpi());
    m_caseBox->setGeometry(
        casePlace.adjusted(0, 0, 0, std::max(0, m_caseBox->sizeHint().height() - casePlace.height())));

    m_editorPath =
        addLineEdit(QStringLiteral("txtName"), QStringLiteral("使用するエディタのパスを指定して下さい"),
                    TwipsRect(7200, 770, 3075, 270, dpi()));
    m_editorPath->setText(QStringLiteral("notepad.exe"));
    m_editorPath->installEventFilter(this);

    QWidget* previous = nullptr;
    for (const QString& name : TabOrder()) {
        QWidget* next = findChild<QWidget*>(name);
        if (previous && next)
            setTabOrder(previous, next);
        previous = next;
    }

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("st"));
    bar->setSizeGripEnabled(true);
    m_status = new StatusPanel(QStringLiteral("メッセージ"), bar);
    m_status->setObjectName(QStringLiteral("st_panel1"));
    m_count = new StatusPanel(QStringLiteral("総数"), bar);
    m_count->setObjectName(QStringLiteral("st_panel2"));
    m_count->setFixedWidth(px(CountPanelWidthTwips));
    m_count->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    bar->addWidget(m_status, 1);
    bar->addPermanentWidget(m_count);
    bar->setFixedHeight(std::max(px(StatusHeightTwips), bar->sizeHint().height()));
    setStatusBar(bar);
}

QString frmMain::statusText() const
{
    return m_status->fullText();
}

QString frmMain::countText() const
{
    return m_count->fullText();
}

void frmMain::setStatusText(const QString& text)
{
    if (m_commandDepth > 0)
        m_commandWroteStatus = true;
    m_status->setFullText(text);
}

void frmMain::refreshCount()
{
    m_count->setFullText(CountText(m_list.count()));
}

void frmMain::updateMinimumSize()
{
    const QSize frameExtra = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    const QSize minimum(px(MinimumOuterWidthTwips), px(MinimumOuterHeightTwips));
    setMinimumSize(minimum - frameExtra);
}

void frmMain::resizeEvent(QResizeEvent* event)
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

void frmMain::layoutPanel()
{
    const RightGroupLefts lefts = RightGroupLayout(PixelsToTwips(m_panel->width(), dpi()));
    auto moveLeft = [this](QWidget* widget, int leftTwips) { widget->move(px(leftTwips), widget->y()); };
    moveLeft(button(11), lefts.renameButton);
    moveLeft(button(10), lefts.undoButton);
    moveLeft(button(1), lefts.editorButton);
    moveLeft(m_editorPath, lefts.editorPathBox);
    // The case box is as wide as its text needs (fonts and scales differ),
    // never narrower than designed, and stops short of the editor button.
    const int designed = px(CaseBoxWidthTwips);
    const int room = button(1)->x() - px(ButtonGapTwips) - m_caseBox->x();
    m_caseBox->resize(std::clamp(m_caseBox->sizeHint().width(), designed, std::max(designed, room)),
                      m_caseBox->height());
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    updateMinimumSize();
    // The saved size is the outer one; once the frame is known, the client
    // gets what is left of it.
    if (!m_placementApplied && m_restoredOuter.isValid() && windowState() == Qt::WindowNoState) {
        m_placementApplied = true;
        const QSize frameExtra = frameGeometry().size() - size();
        if (!frameExtra.isNull())
            resize(m_restoredOuter - frameExtra);
    }
}

bool frmMain::event(QEvent* event)
{
    // Hints of menu entries (their status tips) go to panel 1; an entry
    // without a hint, a highlighted bar title or a closing menu clears it.
    if (event->type() == QEvent::StatusTip) {
        // While a walk goes on, panel 1 shows its progress.
        if (!isWalking())
            setStatusText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void frmMain::showMenuAt(const QString& name, const QPoint& globalPos)
{
    if (QMenu* popup = m_menus.value(name))
        popup->popup(globalPos);
}

bool frmMain::isChecked(const QString& actionName) const
{
    const QAction* item = m_actions.value(actionName);
    return item && item->isChecked();
}

void frmMain::reportLeftOut(const IntakeResult& result)
{
    QStringList texts;
    const QStringList& unreadable = result.unreadableFolders;
    if (unreadable.size() == 1)
        texts.append(QStringLiteral("フォルダ「%1」を読み取れませんでした").arg(unreadable.first()));
    else if (unreadable.size() > 1)
        texts.append(QStringLiteral("フォルダ「%1」ほか %2 件を読み取れませんでした")
                         .arg(unreadable.first())
                         .arg(unreadable.size() - 1));
    if (result.undecodable > 0)
        texts.append(QStringLiteral("名前の文字コードを読み取れない %1 件は追加しませんでした（名前を UTF-8 "
                                    "に変換すると追加できます）")
                         .arg(result.undecodable));
    if (!texts.isEmpty())
        setStatusText(texts.join(QStringLiteral("。")));
}
