#include "ui/AutoRenameDialog.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace {

// An owner window with the dialog opened on it the way the window opens it.
struct OpenDialog {
    std::unique_ptr<QWidget> owner = std::make_unique<QWidget>();
    QPointer<AutoRenameDialog> dialog;

    OpenDialog()
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::darkCyan);
        owner->setWindowIcon(QIcon(pixmap));
        owner->show();
        dialog = AutoRenameDialog::showModal(owner.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
};

void Click(AutoRenameDialog& dialog, int index)
{
    QTest::mouseClick(dialog.button(index), Qt::LeftButton);
}

// Only キャンセル and the close box close the dialog; a closed one is unloaded.
TEST(AutoRenameDialog, OnlyCancelAndTheCloseBoxCloseIt)
{
    for (const bool cancel : {false, true}) {
        OpenDialog d;
        ASSERT_TRUE(d.dialog);
        EXPECT_EQ(d.dialog->windowModality(), Qt::WindowModal);
        EXPECT_FALSE(d.dialog->ruleList()->rootIsDecorated()) << "a flat list of rules";
        EXPECT_EQ(d.dialog->windowIcon().cacheKey(), d.owner->windowIcon().cacheKey());
        for (int index = 0; index < SetButtonCount; ++index) {
            if (index != 1)
                Click(*d.dialog, index);
        }
        QTest::keyClick(d.dialog->ruleList(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_FALSE(d.dialog.isNull()) << "OK, the editing buttons and Esc keep it open";
        EXPECT_TRUE(d.dialog->isVisible());
        EXPECT_EQ(d.dialog->ruleList()->topLevelItemCount(), 0);
        cancel ? Click(*d.dialog, 1) : void(d.dialog->windowHandle()->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(d.dialog.isNull()) << cancel;
    }
}

} // namespace
