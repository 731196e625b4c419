// The operations themselves are the ops tables'; here each button, right
// click and popup entry reaches its own, with the options the window holds.
#include "tests/ui/WindowFixture.h"

namespace {

struct OperationsWindow : WindowFixture {
    OperationsWindow() { start("ab.jpg|b.jpg|c.png"); }
    QString hintOf(ButtonCommand command) const
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(window->button(command), &move);
        return window->statusText();
    }
    QString first() const { return newNames().first(); }
};

// In one sequence: the template buttons fill new names and the history; the
// case button cycles with its hover hints; replace, delete and width.
TEST(OperationsWindow, EachButtonReachesItsOperation)
{
    OperationsWindow f;
    auto* combo = f.child<QComboBox>("Combo1");
    combo->setEditText(QStringLiteral("IMG_<001>"));
    f.click(ButtonCommand::ChangeName);
    EXPECT_EQ(f.newNames().join(u'|'), QStringLiteral("IMG_001.jpg|IMG_002.jpg|IMG_003.png"));
    const std::pair<ButtonCommand, const char*> insertions[] = {
        {ButtonCommand::ChangeExtension, "ab.IMG_001"},
        {ButtonCommand::Prepend, "IMG_001ab.jpg"},
        {ButtonCommand::Append, "abIMG_001.jpg"}};
    for (const auto& [button, expected] : insertions) {
        f.click(button);
        EXPECT_EQ(f.first(), QString::fromUtf8(expected));
    }
    combo->setEditText(QStringLiteral("txt"));
    f.click(ButtonCommand::ChangeExtension);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("txt"));
    EXPECT_EQ(combo->currentText(), QStringLiteral("txt"));

    // A start value outside the range fails at the first row: nothing changes
    // and the reason is in panel 1.
    combo->setEditText(QStringLiteral("<40000>"));
    f.click(ButtonCommand::Append);
    EXPECT_EQ(f.first(), QStringLiteral("ab.txt"));
    EXPECT_FALSE(f.window->statusText().isEmpty());

    const QStringList hints = {
        QStringLiteral("全文字を大文字にします"), QStringLiteral("先頭文字のみ大文字にします"),
        QStringLiteral("ファイル名のみ大文字にします"), QStringLiteral("拡張子のみ大文字にします")};
    for (const QString& hint : hints) {
        EXPECT_EQ(f.hintOf(ButtonCommand::UpperCase), hint);
        f.click(ButtonCommand::UpperCase);
    }
    EXPECT_EQ(f.first(), QStringLiteral("ab.JPG"));           // the fourth variant: extension only
    EXPECT_EQ(f.hintOf(ButtonCommand::Rename), hints.last()); // the rename button leaves the hint line alone
    f.click(ButtonCommand::LowerCase);
    EXPECT_EQ(f.hintOf(ButtonCommand::LowerCase), QStringLiteral("拡張子のみ小文字にします"));
    f.trigger("mnuUItem_0");
    EXPECT_EQ(f.first(), QStringLiteral("AB.JPG"));
    f.trigger("mnuLItem_1"); // from the current names, as the buttons
    EXPECT_EQ(f.first(), QStringLiteral("ab.jpg"));

    f.child<QLineEdit>("txtEdit_0")->setText(QStringLiteral("B"));
    f.child<QLineEdit>("txtEdit_1")->setText(QStringLiteral("x"));
    f.click(ButtonCommand::Replace);
    EXPECT_EQ(f.first(), QStringLiteral("ab.jpg")); // case matters by default
    f.child<QCheckBox>("chkCase")->setChecked(true);
    f.click(ButtonCommand::Replace);
    EXPECT_EQ(f.first(), QStringLiteral("ax.jpg"));

    f.click(ButtonCommand::DeleteFirst); // continues from the new names
    EXPECT_EQ(f.first(), QStringLiteral("x.jpg"));
    f.click(ButtonCommand::DeleteLast, Qt::RightButton); // starts again from the current names
    EXPECT_EQ(f.first(), QStringLiteral("a.jpg"));

    f.click(ButtonCommand::Width); // half width first, from the current names
    EXPECT_EQ(f.first(), QStringLiteral("ab.jpg"));
    EXPECT_EQ(f.hintOf(ButtonCommand::Width), QStringLiteral("ファイル名を全角にします"));
}

} // namespace
