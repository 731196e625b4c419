#include "ui/frmSet.h"
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
        owner->show();
        dialog = frmSet::showModal(owner.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    [[nodiscard]] int px(int twips) const { return TwipsToPixels(twips, dialog->logicalDpiX()); }
};

void Click(frmSet& dialog, int index)
{
    QTest::mouseClick(dialog.button(index), Qt::LeftButton);
}

// Only キャンセル and the close box close the dialog; a closed one is unloaded.
TEST(FrmSet, OnlyCancelAndTheCloseBoxCloseIt)
{
    const struct {
        const char* name;
        std::function<void(frmSet&)> act;
        bool closes;
    } cases[] = {
        {"OK", [](frmSet& s) { Click(s, 0); }, false},
        {"cancel", [](frmSet& s) { Click(s, 1); }, true},
        {"the editing buttons",
         [](frmSet& s) {
             for (int index = 2; index < SetButtonCount; ++index)
                 Click(s, index);
         },
         false},
        {"escape", [](frmSet& s) { QTest::keyClick(s.ruleList(), Qt::Key_Escape); }, false},
        {"close box", [](frmSet& s) { s.windowHandle()->close(); }, true},
    };
    for (const auto& c : cases) {
        OpenDialog d;
        ASSERT_TRUE(d.dialog);
        EXPECT_EQ(d.dialog->windowModality(), Qt::WindowModal);
        EXPECT_EQ(d.dialog->windowIcon().cacheKey(), d.owner->windowIcon().cacheKey());
        c.act(*d.dialog);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(d.dialog.isNull(), c.closes) << c.name;
        if (!c.closes) {
            EXPECT_EQ(d.dialog->ruleList()->topLevelItemCount(), 0) << c.name;
        }
    }
}

// The list fills the client above the panel, the panel keeps its height
// along the bottom and the buttons their places; shrinking stops where the
// rightmost button still fits.
TEST(FrmSet, ResizingMovesThePanelAndStretchesTheList)
{
    OpenDialog d;
    ASSERT_TRUE(d.dialog);
    frmSet& dialog = *d.dialog;
    const int panelHeight = d.px(1815);
    const QRect okBefore = dialog.button(0)->geometry();
    for (const QSize size : {dialog.size() + QSize(150, 120), QSize(10, 10)}) {
        dialog.resize(size);
        EXPECT_EQ(dialog.ruleList()->geometry(),
                  QRect(0, 0, dialog.width(), std::max(0, dialog.height() - panelHeight)));
        EXPECT_EQ(dialog.buttonPanel()->geometry(),
                  QRect(0, dialog.height() - panelHeight, dialog.width(), panelHeight));
        EXPECT_EQ(dialog.button(0)->geometry(), okBefore);
    }
    EXPECT_EQ(dialog.size(), QSize(d.px(6720 + 1215), panelHeight));
}

} // namespace
