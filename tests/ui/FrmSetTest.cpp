#include "ui/frmSet.h"
#include "tests/support/CaseName.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace {

// An owner window with the dialog opened on it the way the window opens it.
struct OpenDialog {
    std::unique_ptr<QWidget> owner = std::make_unique<QWidget>();
    QPointer<frmSet> dialog;

    OpenDialog()
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::darkCyan);
        owner->setWindowIcon(QIcon(pixmap));
        owner->resize(400, 300);
        owner->show();
        dialog = frmSet::showModal(owner.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    [[nodiscard]] int px(int twips) const { return TwipsToPixels(twips, dialog->logicalDpiX()); }
    // Runs the deletion a closed dialog asked for.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

struct CloseCase {
    std::string name;
    std::function<void(frmSet&)> act;
    bool closes;
};
void PrintTo(const CloseCase& row, std::ostream* out)
{
    *out << row.name;
}

class FrmSetClosing : public ::testing::TestWithParam<CloseCase> {};

TEST_P(FrmSetClosing, OnlyCancelAndTheCloseBoxCloseIt)
{
    OpenDialog d;
    ASSERT_TRUE(d.dialog);
    EXPECT_TRUE(d.dialog->isModal());
    EXPECT_EQ(d.dialog->windowModality(), Qt::WindowModal);
    GetParam().act(*d.dialog);
    if (GetParam().closes) {
        EXPECT_TRUE(d.dialog.isNull() || !d.dialog->isVisible());
        OpenDialog::settle();
        EXPECT_TRUE(d.dialog.isNull()) << "a closed dialog is unloaded";
    } else {
        OpenDialog::settle();
        ASSERT_FALSE(d.dialog.isNull());
        EXPECT_TRUE(d.dialog->isVisible());
        EXPECT_EQ(d.dialog->ruleList()->topLevelItemCount(), 0);
    }
}

void click(frmSet& dialog, int index)
{
    QTest::mouseClick(dialog.button(index), Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrmSetClosing,
    ::testing::Values(CloseCase{"ok", [](frmSet& s) { click(s, 0); }, false},
                      CloseCase{"cancel", [](frmSet& s) { click(s, 1); }, true},
                      CloseCase{"editing_buttons",
                                [](frmSet& s) {
                                    for (int index = 2; index <= 6; ++index)
                                        click(s, index);
                                },
                                false},
                      CloseCase{"enter_on_the_list",
                                [](frmSet& s) { QTest::keyClick(s.ruleList(), Qt::Key_Return); }, false},
                      CloseCase{"escape_on_the_dialog",
                                [](frmSet& s) { QTest::keyClick(&s, Qt::Key_Escape); }, false},
                      CloseCase{"escape_on_the_list",
                                [](frmSet& s) { QTest::keyClick(s.ruleList(), Qt::Key_Escape); }, false},
                      CloseCase{"reject", [](frmSet& s) { s.reject(); }, false},
                      CloseCase{"close", [](frmSet& s) { s.close(); }, true},
                      CloseCase{"close_box", [](frmSet& s) { s.windowHandle()->close(); }, true}),
    CaseName());

TEST(FrmSet, ShowsItsCaptionColumnsAndButtonsAsDesigned)
{
    OpenDialog d;
    ASSERT_TRUE(d.dialog);
    frmSet& dialog = *d.dialog;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmSet"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("自動リネーム設定"));
    EXPECT_EQ(dialog.windowIcon().cacheKey(), d.owner->windowIcon().cacheKey());
    EXPECT_EQ(dialog.parentWidget(), d.owner.get());
    EXPECT_EQ(dialog.size(), QSize(d.px(8070), d.px(4695)));

    QTreeWidget* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lv"));
    ASSERT_EQ(list, dialog.ruleList());
    const struct {
        const char16_t* caption;
        int twips;
    } columns[] = {{u"条件", 1440}, {u"処理", 1440}, {u"詳細", 2500}};
    ASSERT_EQ(list->columnCount(), 3);
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(list->headerItem()->text(column), QString::fromUtf16(columns[column].caption));
        EXPECT_EQ(list->columnWidth(column), d.px(columns[column].twips)) << column;
    }
    EXPECT_EQ(list->topLevelItemCount(), 0);

    QWidget* panel = dialog.findChild<QWidget*>(QStringLiteral("pic"));
    ASSERT_EQ(panel, dialog.buttonPanel());
    const struct {
        int index;
        const char16_t* caption;
        int left, top, width, height;
    } buttons[] = {
        {0, u"OK", 5400, 1440, 1215, 255}, {1, u"キャンセル", 6720, 1440, 1215, 255},
        {2, u"追加", 120, 120, 975, 255},  {3, u"編集", 1200, 120, 975, 255},
        {4, u"削除", 2280, 120, 975, 255}, {5, u"↑", 3360, 120, 975, 255},
        {6, u"↓", 4440, 120, 975, 255},
    };
    for (const auto& b : buttons) {
        auto* button = dialog.findChild<QPushButton*>(QStringLiteral("cmd_%1").arg(b.index));
        ASSERT_NE(button, nullptr) << b.index;
        EXPECT_EQ(button, dialog.button(b.index));
        EXPECT_EQ(button->parentWidget(), panel) << b.index;
        EXPECT_EQ(button->text(), QString::fromUtf16(b.caption)) << b.index;
        EXPECT_EQ(button->geometry(), QRect(d.px(b.left), d.px(b.top), d.px(b.width), d.px(b.height)))
            << b.index;
    }
}

// The list fills the client above the panel; the panel keeps its height
// along the bottom; the buttons keep their places inside the panel.
void ExpectLaidOut(const frmSet& dialog, int panelHeight)
{
    EXPECT_EQ(dialog.ruleList()->geometry(),
              QRect(0, 0, dialog.width(), std::max(0, dialog.height() - panelHeight)));
    EXPECT_EQ(dialog.buttonPanel()->geometry(),
              QRect(0, dialog.height() - panelHeight, dialog.width(), panelHeight));
}

TEST(FrmSet, ResizingMovesThePanelAndStretchesTheList)
{
    OpenDialog d;
    ASSERT_TRUE(d.dialog);
    frmSet& dialog = *d.dialog;
    const int panelHeight = d.px(1815);
    ExpectLaidOut(dialog, panelHeight);
    const QRect listBefore = dialog.ruleList()->geometry();
    QList<QRect> buttonsBefore;
    for (int index = 0; index < SetButtonCount; ++index)
        buttonsBefore.append(dialog.button(index)->geometry());

    dialog.resize(dialog.width() + 150, dialog.height() + 120);
    ExpectLaidOut(dialog, panelHeight);
    EXPECT_EQ(dialog.ruleList()->width(), listBefore.width() + 150);
    EXPECT_EQ(dialog.ruleList()->height(), listBefore.height() + 120);
    for (int index = 0; index < SetButtonCount; ++index)
        EXPECT_EQ(dialog.button(index)->geometry(), buttonsBefore.at(index)) << index;

    // Shrinking stops where the panel and its rightmost button still fit, so
    // the list never gets a negative height.
    dialog.resize(10, 10);
    EXPECT_EQ(dialog.size(), QSize(d.px(6720 + 1215), panelHeight));
    ExpectLaidOut(dialog, panelHeight);
    EXPECT_EQ(dialog.ruleList()->height(), 0);
    EXPECT_EQ(dialog.buttonPanel()->y(), 0);
}

} // namespace
