// What a desktop user meets in the real window: hints in popup menus, the
// keyboard, and the status panels as a screen reader sees them.
#include "tests/ui/WindowFixture.h"
#include "ui/ButtonTable.h"
#include "ui/MenuTable.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QLabel>

namespace {

struct ShownWindow : WindowFixture {
    ShownWindow()
    {
        start("a.jpg|b.jpg");
        unshownMinimum = window->minimumSize();
        window->move(0, 0);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    RenameListView* list() const { return child<RenameListView>("fileList"); }
    QSize unshownMinimum;
};

// Popups open at the mouse and their entries show hints; Tab leaves the
// list while the arrows move in it.
TEST(DesktopWindow, PopupsOpenAtTheMouseAndTabLeavesTheList)
{
    ShownWindow f;
    // The right button released over a row or a button, away from its centre.
    const std::pair<const char*, QWidget*> popups[] = {
        {"rowMenu", f.list()->viewport()},
        {"upperCaseMenu", f.window->button(Command::UpperCase)},
        {"lowerCaseMenu", f.window->button(Command::LowerCase)},
        {"propertyMenu", f.window->button(Command::Title)},
        {"replaceMenu", f.window->button(Command::Replace)},
        {"widthMenu", f.window->button(Command::Width)},
    };
    for (const auto& [name, opener] : popups) {
        QMenu* popup = f.window->menu(QString::fromLatin1(name));
        QCursor::setPos(opener->mapToGlobal(QPoint(6, 6)));
        QTest::mouseClick(opener, Qt::RightButton, {}, QPoint(6, 6));
        ASSERT_TRUE(popup->isVisible()) << name;
        EXPECT_EQ(popup->pos(), opener->mapToGlobal(QPoint(6, 6))) << name;
        QTest::keyClick(popup, Qt::Key_Down);
        EXPECT_EQ(f.window->statusText(), popup->activeAction()->statusTip()) << name;
        QTest::keyClick(popup, Qt::Key_Escape);
        EXPECT_EQ(f.window->statusText(), QString()) << "a closed popup clears the hint";
    }
    RenameListView* list = f.list();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.window->button(Command::DeleteFirst));
    EXPECT_EQ(f.window->session().list().selectedRow(), 1) << "the arrow moved, Tab did not";
}

// Screen readers name every button, tell what each text box is for and
// read each status panel's text under the panel's name; every button works.
TEST(DesktopWindow, ScreenReadersNameEveryControl)
{
    ShownWindow f;
    f.window->session().setStatusText(QStringLiteral("ヒント"));
    const std::tuple<const char*, const char*, const char*> panels[] = {
        {"messagePanel", "ヒント", "メッセージ"}, {"countPanel", "総数：2", "総数"}};
    EXPECT_EQ(f.child<QLabel>("messagePanel")->toolTip(), QString()); // shown whole: no tooltip
    for (const auto& [label, name, caption] : panels) {
        QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(f.child<QLabel>(label));
        EXPECT_EQ(panel->text(QAccessible::Name), U(name));
        EXPECT_EQ(panel->text(QAccessible::Description), U(caption));
    }
    // Every button is named and usable (detection needs the content-type
    // library, which this window was not given).
    for (const ButtonDesign& design : ButtonDesigns())
        EXPECT_TRUE(
            !f.window->button(design.command)->accessibleName().isEmpty() &&
            (f.window->button(design.command)->isEnabled() || design.command == Command::DetectExtension))
            << SlotOf(design.command);
    for (const char* name : {"insertionBox", "searchBox", "replaceBox", "editorPathBox"}) {
        auto* widget = f.child<QWidget>(name);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->accessibleDescription(), widget->toolTip()) << name;
    }
}

// The smallest outer size stays as designed once the frame is known, and the
// right-hand group of the panel keeps to the window's right edge.
TEST(DesktopWindow, KeepsItsSmallestSizeAndTheRightGroupAtTheRightEdge)
{
    ShownWindow f;
    EXPECT_EQ(f.unshownMinimum - f.window->minimumSize(),
              f.window->frameGeometry().size() - f.window->size());
    EXPECT_EQ(f.list()->x(), 0);
    const int renameLeft = f.window->button(Command::Rename)->x();
    f.window->resize(f.window->width() + 150, f.window->height());
    EXPECT_NEAR(f.window->button(Command::Rename)->x(), renameLeft + 150, 1);
}

// What is typed in the template box stays exactly as typed, by keys or by an
// input method: the history is a list to pick from, never a completion.
// Enter in the box changes the names as "変更" does; Ctrl+R renames.
TEST(DesktopWindow, TheTemplateBoxKeepsWhatIsTypedAndTheKeysRunTheirCommands)
{
    ShownWindow f;
    auto* box = f.child<QComboBox>("insertionBox");
    box->setEditText(QStringLiteral("旅行_<1>"));
    f.click(Command::Prepend);
    ASSERT_EQ(box->count(), 1); // in the history now
    box->setEditText(QString());
    QLineEdit* edit = box->lineEdit();
    edit->setFocus();
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("旅"));
    QApplication::sendEvent(edit, &composed);
    EXPECT_EQ(edit->text(), QStringLiteral("旅"));
    // A key that types a kanji, as the X server sends it without an input method.
    QKeyEvent press(QEvent::KeyPress, 0x884c, Qt::NoModifier, QStringLiteral("行"));
    QApplication::sendEvent(edit, &press);
    EXPECT_EQ(edit->text(), QStringLiteral("旅行"));
    EXPECT_FALSE(edit->hasSelectedText());

    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(f.newNames(), QStringList({QStringLiteral("旅行.jpg"), QStringLiteral("旅行.jpg")}));
    box->setEditText(QStringLiteral("旅行<1>"));
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(f.newNames(), QStringList({QStringLiteral("旅行1.jpg"), QStringLiteral("旅行2.jpg")}));
    QTest::keyClick(f.list(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(f.currentNames(), QStringList({QStringLiteral("旅行1.jpg"), QStringLiteral("旅行2.jpg")}));
    EXPECT_TRUE(f.window->button(Command::Rename)->toolTip().endsWith(QStringLiteral("（Ctrl+R）")));
}

} // namespace
