#include "tests/ui/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList newNames(const RenameList& list)
{
    QStringList names;
    for (const RenameEntry& entry : list.rows())
        names.append(entry.newName);
    return names;
}

struct OperationsWindow : WindowFixture {
    OperationsWindow()
    {
        window->startUp({makeFile(QStringLiteral("a.jpg")), makeFile(QStringLiteral("b.jpg")),
                         makeFile(QStringLiteral("c.png"))});
    }
    void click(int index) { QTest::mouseClick(window->button(index), Qt::LeftButton); }
    void rightClick(int index) { QTest::mouseClick(window->button(index), Qt::RightButton); }
    QString hintOf(int index)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(window->button(index), &move);
        return window->statusText();
    }
    QStringList names() const { return newNames(window->renameList()); }
};

TEST(OperationsWindow, TemplateButtonsFillNewNamesAndTheHistory)
{
    OperationsWindow f;
    auto* combo = f.window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->setEditText(QStringLiteral("IMG_<001>"));
    f.click(7);
    EXPECT_EQ(f.names(), (QStringList{QStringLiteral("IMG_001.jpg"), QStringLiteral("IMG_002.jpg"),
                                      QStringLiteral("IMG_003.png")}));
    combo->setEditText(QStringLiteral("txt"));
    f.click(8);
    EXPECT_EQ(f.names().first(), QStringLiteral("a.txt"));
    combo->setEditText(QStringLiteral("IMG_<001>"));
    f.click(5);
    EXPECT_EQ(f.names().first(), QStringLiteral("IMG_001a.jpg"));
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("IMG_<001>"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("txt"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("IMG_<001>"));

    // A start value outside the range fails at the first row: nothing changes
    // and the reason is in panel 1.
    combo->setEditText(QStringLiteral("<40000>"));
    f.click(6);
    EXPECT_EQ(f.names().first(), QStringLiteral("IMG_001a.jpg"));
    EXPECT_FALSE(f.window->statusText().isEmpty());
    EXPECT_TRUE(f.window->isEnabled());
}

TEST(OperationsWindow, CaseButtonCyclesWithItsHoverHints)
{
    OperationsWindow f;
    QPushButton* upper = f.window->button(14);
    const QStringList hints = {
        QStringLiteral("全文字を大文字にします"), QStringLiteral("先頭文字のみ大文字にします"),
        QStringLiteral("ファイル名のみ大文字にします"), QStringLiteral("拡張子のみ大文字にします")};
    for (const QString& hint : hints) {
        QTest::mouseMove(upper);
        EXPECT_EQ(f.hintOf(14), hint);
        f.click(14);
    }
    EXPECT_EQ(f.names().first(), QStringLiteral("a.JPG")); // the fourth variant: extension only
    EXPECT_EQ(f.hintOf(11), hints.last());                 // the rename button leaves the hint line alone
    EXPECT_EQ(f.hintOf(15), QStringLiteral("全文字を小文字にします"));
    f.click(15);
    EXPECT_EQ(f.hintOf(15), QStringLiteral("拡張子のみ小文字にします"));

    f.window->action(QStringLiteral("mnuUItem_0"))->trigger();
    EXPECT_EQ(f.names().first(), QStringLiteral("A.JPG"));
    f.window->action(QStringLiteral("mnuLItem_1"))->trigger();
    EXPECT_EQ(f.names().first(), QStringLiteral("a.jpg"));
}

TEST(OperationsWindow, ReplaceDeleteAndWidthThroughTheirButtons)
{
    OperationsWindow f;
    f.window->findChild<QLineEdit*>(QStringLiteral("txtEdit_0"))->setText(QStringLiteral("JPG"));
    f.window->findChild<QLineEdit*>(QStringLiteral("txtEdit_1"))->setText(QStringLiteral("jpeg"));
    f.click(17);
    EXPECT_EQ(f.names().first(), QStringLiteral("a.jpg")); // case matters by default
    f.window->findChild<QCheckBox*>(QStringLiteral("chkCase"))->setChecked(true);
    f.click(17);
    EXPECT_EQ(f.names().first(), QStringLiteral("a.jpeg"));

    f.click(3); // continues from the new names
    EXPECT_EQ(f.names().first(), QStringLiteral(".jpeg"));
    f.rightClick(3); // starts again from the current names
    EXPECT_EQ(f.names().first(), QStringLiteral(".jpg"));
    f.rightClick(4); // nothing left before the extension: the row is skipped
    EXPECT_EQ(f.names().first(), QStringLiteral(".jpg"));

    EXPECT_EQ(f.hintOf(9), QStringLiteral("ファイル名を半角にします"));
    f.click(9); // half width first, then full width
    EXPECT_EQ(f.names().first(), QStringLiteral("a.jpg"));
    EXPECT_EQ(f.hintOf(9), QStringLiteral("ファイル名を全角にします"));
    f.click(9);
    EXPECT_EQ(f.names().first(), QStringLiteral("ａ.jpg")); // the extension never widens
}

} // namespace
