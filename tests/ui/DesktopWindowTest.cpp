// What a desktop user meets in the real window: hints in popup menus, the
// keyboard, text that must fit, and the status panels as a screen reader
// sees them.
#include "tests/ui/WindowFixture.h"

#include <QAccessible>
#include <QLabel>
#include <QStatusBar>

namespace {

struct ShownWindow : WindowFixture {
    ShownWindow()
    {
        start("a.jpg|b.jpg");
        window->move(0, 0);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    RenameListView* list() const { return child<RenameListView>("ListView1"); }
};

// Popups open at the mouse and their entries show hints; Tab leaves the
// list while the arrows move in it.
TEST(DesktopWindow, PopupsOpenAtTheMouseAndTabLeavesTheList)
{
    ShownWindow f;
    // The right button released over a row or a button, away from its centre.
    const std::pair<const char*, QWidget*> popups[] = {
        {"mnuPop", f.list()->viewport()},
        {"mnuU", f.window->button(ButtonCommand::UpperCase)},
        {"mnuL", f.window->button(ButtonCommand::LowerCase)},
        {"mnuP", f.window->button(ButtonCommand::Title)},
        {"mnuR", f.window->button(ButtonCommand::Replace)},
    };
    for (const auto& [name, opener] : popups) {
        QMenu* popup = f.window->menu(QString::fromLatin1(name));
        QCursor::setPos(opener->mapToGlobal(QPoint(6, 6)));
        QTest::mouseClick(opener, Qt::RightButton, {}, QPoint(6, 6));
        ASSERT_TRUE(popup->isVisible()) << name;
        EXPECT_EQ(popup->pos(), opener->mapToGlobal(QPoint(6, 6))) << name;
        for (const QAction* entry : popup->actions()) {
            if (entry->isSeparator())
                continue;
            QTest::keyClick(popup, Qt::Key_Down);
            EXPECT_EQ(popup->activeAction(), entry);
            EXPECT_EQ(f.window->statusText(), entry->statusTip()) << entry->objectName().toStdString();
        }
        QTest::keyClick(popup, Qt::Key_Escape);
        EXPECT_EQ(f.window->statusText(), QString()) << "a closed popup clears the hint";
    }
    RenameListView* list = f.list();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.window->button(ButtonCommand::DeleteFirst));
    EXPECT_EQ(f.window->renameList().selectedRow(), 1) << "the arrow moved, Tab did not";
}

TEST(DesktopWindow, CaseBoxShowsItsWholeTextWhereThereIsRoom)
{
    const QFont usual = QApplication::font();
    const std::pair<qreal, int> cases[] = {{1.0, 0}, {1.5, 1200}, {2.5, 0}}; // font scale, window width
    for (const auto& [scale, width] : cases) {
        QFont font = usual;
        font.setPointSizeF(usual.pointSizeF() * scale);
        QApplication::setFont(font);
        WindowFixture f;
        f.window->show();
        f.window->resize(width, f.window->height()); // 0: the minimum
        QApplication::processEvents();
        auto* box = f.child<QCheckBox>("chkCase");
        const int editorLeft = f.window->button(ButtonCommand::EditorRename)->x();
        // The usual fonts fit; a huge one stops short of the editor button.
        const QSize wanted = box->sizeHint();
        EXPECT_TRUE(scale > 2 || (box->width() >= wanted.width() && box->height() >= wanted.height()))
            << scale;
        EXPECT_LT(box->geometry().right(), editorLeft) << scale;
    }
    QApplication::setFont(usual);
}

TEST(DesktopWindow, StatusPanelsKeepTheirPlaceAndNameTheirText)
{
    ShownWindow f;
    auto* bar = f.child<QStatusBar>("st");
    auto* message = f.child<QLabel>("st_panel1");
    auto* count = f.child<QLabel>("st_panel2");
    const int countWidth = count->width();
    QString hint;
    for (int i = 0; i < 40; ++i)
        hint += QStringLiteral("とても長いヒント%1、").arg(i);
    f.window->setStatusText(hint);
    f.window->addDroppedPaths({f.makeFile(QStringLiteral("c.jpg"))}, Qt::NoModifier);
    QApplication::processEvents();

    EXPECT_EQ(count->width(), countWidth);
    EXPECT_LE(count->geometry().right(), bar->width()) << "the count panel stays inside the bar";
    EXPECT_TRUE(message->text().endsWith(QChar(0x2026))) << message->text().toStdString();
    EXPECT_EQ(message->toolTip(), hint);
    const std::tuple<QLabel*, QString, QString> panels[] = {
        {message, hint, QStringLiteral("メッセージ")},
        {count, QStringLiteral("総数：3"), QStringLiteral("総数")}};
    for (const auto& [label, name, caption] : panels) {
        QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(label);
        EXPECT_EQ(panel->text(QAccessible::Name), name);
        EXPECT_EQ(panel->text(QAccessible::Description), caption);
    }
}

} // namespace
