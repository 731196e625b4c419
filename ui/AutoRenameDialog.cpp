#include "ui/AutoRenameDialog.h"

#include "ui/Twips.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

const std::array<SetButtonDesign, SetButtonCount>& SetButtonDesigns()
{
    static const std::array<SetButtonDesign, SetButtonCount> designs{{
        {0, u"OK", 5400, 1440, 1215, 255, SetButtonAction::Nothing},
        {1, u"キャンセル", 6720, 1440, 1215, 255, SetButtonAction::Close},
        {2, u"追加", 120, 120, 975, 255, SetButtonAction::Nothing},
        {3, u"編集", 1200, 120, 975, 255, SetButtonAction::Nothing},
        {4, u"削除", 2280, 120, 975, 255, SetButtonAction::Nothing},
        {5, u"↑", 3360, 120, 975, 255, SetButtonAction::Nothing},
        {6, u"↓", 4440, 120, 975, 255, SetButtonAction::Nothing},
    }};
    return designs;
}

namespace {
struct ColumnHeading {
    const char16_t* caption;
    int widthTwips;
};
constexpr std::array<ColumnHeading, 3> kColumns{{{u"条件", 1440}, {u"処理", 1440}, {u"詳細", 2500}}};

// Keyboard focus follows the panel as it is read: the editing row, then
// "OK" and "キャンセル".
constexpr std::array<int, SetButtonCount> kTabOrder{2, 3, 4, 5, 6, 0, 1};
} // namespace

AutoRenameDialog::AutoRenameDialog(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(QStringLiteral("autoRenameDialog"));
    setWindowTitle(QStringLiteral("自動リネーム設定"));
    if (owner)
        setWindowIcon(owner->window()->windowIcon());
    buildControls();
    resize(px(SetClientWidthTwips), px(SetClientHeightTwips));
    // Never so small that the panel is cut or the list's height would be
    // negative: the panel and the rightmost button always fit.
    int rightmost = 0;
    for (const SetButtonDesign& design : SetButtonDesigns())
        rightmost = std::max(rightmost, design.left + design.width);
    setMinimumSize(px(rightmost), px(SetPanelHeightTwips));
    layoutControls();
}

AutoRenameDialog* AutoRenameDialog::showModal(QWidget* owner)
{
    auto* dialog = new AutoRenameDialog(owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

qreal AutoRenameDialog::dpi() const
{
    return logicalDpiX() > 0 ? logicalDpiX() : 96.0;
}

int AutoRenameDialog::px(int twips) const
{
    return TwipsToPixels(twips, dpi());
}

void AutoRenameDialog::buildControls()
{
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ruleList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAccessibleName(windowTitle());
    // The columns keep their designed widths, as a report view does; the
    // last one does not stretch over the rest of the list.
    m_list->header()->setStretchLastSection(false);
    QStringList captions;
    for (const ColumnHeading& column : kColumns)
        captions.append(QString::fromUtf16(column.caption));
    m_list->setHeaderLabels(captions);
    for (int column = 0; column < static_cast<int>(kColumns.size()); ++column)
        m_list->setColumnWidth(column, px(kColumns.at(static_cast<size_t>(column)).widthTwips));

    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("editPanel"));
    for (const SetButtonDesign& design : SetButtonDesigns()) {
        auto* button = new QPushButton(QString::fromUtf16(design.caption), m_panel);
        button->setObjectName(QStringLiteral("ruleButton_%1").arg(design.index));
        button->setAccessibleName(button->text());
        button->setGeometry(TwipsRect(design.left, design.top, design.width, design.height, dpi()));
        // Enter must not press a button the user has not chosen.
        button->setAutoDefault(false);
        const int index = design.index;
        connect(button, &QPushButton::clicked, this, [this, index] { onButton(index); });
        m_buttons.at(static_cast<size_t>(design.index)) = button;
    }

    QWidget* previous = m_list;
    for (int index : kTabOrder) {
        setTabOrder(previous, button(index));
        previous = button(index);
    }
    m_list->setFocus();
}

void AutoRenameDialog::layoutControls()
{
    // The panel keeps its height along the bottom edge; the list takes the
    // rest of the client area above it.
    const int panelHeight = px(SetPanelHeightTwips);
    const int listHeight = std::max(0, height() - panelHeight);
    m_list->setGeometry(0, 0, width(), listHeight);
    m_panel->setGeometry(0, height() - panelHeight, width(), panelHeight);
}

void AutoRenameDialog::onButton(int index)
{
    switch (SetButtonDesigns().at(static_cast<size_t>(index)).click) {
    case SetButtonAction::Close:
        close();
        break;
    case SetButtonAction::Nothing:
        break;
    }
}

void AutoRenameDialog::reject()
{
    if (m_closing)
        QDialog::reject();
}

void AutoRenameDialog::closeEvent(QCloseEvent* event)
{
    // QDialog closes through reject(); let it through for this close only.
    m_closing = true;
    QDialog::closeEvent(event);
    m_closing = false;
}

void AutoRenameDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

void AutoRenameDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layoutControls();
}
