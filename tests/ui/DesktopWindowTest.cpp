// What a desktop user meets in the real window: hints in popup menus, the
// keyboard, text that must fit, and the status panels as a screen reader
// sees them.
#include "tests/ui/WindowFixture.h"
#include "ui/MenuTable.h"
#include "ui/RenameListView.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

int CommandIdOf(const QString& objectName)
{
    const auto entries = MenuEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (QLatin1String(entries[i].objectName) == objectName)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

struct ShownWindow : WindowFixture {
    ShownWindow()
    {
        window->startUp({makeFile(QStringLiteral("a.jpg")), makeFile(QStringLiteral("b.jpg"))});
        window->move(0, 0);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    RenameListView* list() const { return window->findChild<RenameListView*>(QStringLiteral("ListView1")); }
};

TEST(DesktopWindow, PopupEntriesShowTheirHintsAndOpenAtTheMouse)
{
    ShownWindow f;
    // How the user opens each popup: the right button over a row, or
    // released over a button, at a point away from its centre.
    const std::vector<std::pair<const char*, QWidget*>> popups = {
        {"mnuPop", f.list()->viewport()}, {"mnuU", f.window->button(14)}, {"mnuL", f.window->button(15)},
        {"mnuP", f.window->button(16)},   {"mnuR", f.window->button(17)},
    };
    for (const auto& [name, opener] : popups) {
        QMenu* popup = f.window->menu(QString::fromLatin1(name));
        const QPoint mouse = opener->mapToGlobal(QPoint(6, 6));
        QCursor::setPos(mouse);
        f.window->setStatusText(QStringLiteral("before"));
        QTest::mouseClick(opener, Qt::RightButton, {}, QPoint(6, 6));
        ASSERT_TRUE(popup->isVisible()) << name;
        EXPECT_EQ(popup->pos(), mouse) << name;

        const QList<QAction*> items = popup->actions();
        const auto entries =
            std::count_if(items.begin(), items.end(), [](QAction* a) { return !a->isSeparator(); });
        for (qsizetype k = 0; k < entries; ++k) {
            QTest::keyClick(popup, Qt::Key_Down);
            const QAction* highlighted = popup->activeAction();
            ASSERT_NE(highlighted, nullptr) << name;
            EXPECT_EQ(f.window->statusText(), MenuHintText(CommandIdOf(highlighted->objectName())))
                << highlighted->objectName().toStdString();
        }
        QTest::keyClick(popup, Qt::Key_Escape);
        EXPECT_FALSE(popup->isVisible()) << name;
        EXPECT_EQ(f.window->statusText(), QString()) << "a closed popup clears the hint";
    }
}

TEST(DesktopWindow, TabLeavesTheListWhileArrowsMoveInIt)
{
    ShownWindow f;
    RenameListView* list = f.list();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(f.window->renameList().selectedRow(), 1);
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), f.window->button(3));
    EXPECT_EQ(f.window->renameList().selectedRow(), 1) << "Tab must not move the selection";
    QTest::keyClick(f.window->button(3), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST(DesktopWindow, CaseBoxShowsItsWholeTextWhereThereIsRoom)
{
    const QFont usual = QApplication::font();
    const struct {
        qreal fontScale;
        int windowWidth; // 0: the minimum
    } cases[] = {{1.0, 0}, {1.5, 1200}, {2.5, 0}};
    for (const auto& c : cases) {
        QFont font = usual;
        font.setPointSizeF(usual.pointSizeF() * c.fontScale);
        QApplication::setFont(font);
        WindowFixture f;
        f.window->show();
        f.window->resize(c.windowWidth, f.window->height());
        QApplication::processEvents();
        auto* box = f.window->findChild<QCheckBox*>(QStringLiteral("chkCase"));
        const bool room = box->x() + box->sizeHint().width() < f.window->button(1)->x();
        if (room) {
            EXPECT_GE(box->width(), box->sizeHint().width()) << c.fontScale;
            EXPECT_GE(box->height(), box->sizeHint().height()) << c.fontScale;
        }
        EXPECT_LT(box->geometry().right(), f.window->button(1)->x()) << c.fontScale;
        EXPECT_TRUE(room || c.fontScale > 2) << "the usual fonts fit: " << c.fontScale;
    }
    QApplication::setFont(usual);
}

TEST(DesktopWindow, StatusPanelsKeepTheirPlaceAndNameTheirText)
{
    ShownWindow f;
    auto* bar = f.window->findChild<QStatusBar*>(QStringLiteral("st"));
    auto* message = f.window->findChild<QLabel*>(QStringLiteral("st_panel1"));
    auto* count = f.window->findChild<QLabel*>(QStringLiteral("st_panel2"));
    const int countWidth = count->width();
    const int windowWidth = f.window->width();

    QString hint;
    for (int i = 0; i < 40; ++i)
        hint += QStringLiteral("とても長いヒント%1、").arg(i);
    f.window->setStatusText(hint);
    f.window->addDroppedPaths({f.makeFile(QStringLiteral("c.jpg"))}, Qt::NoModifier);
    QApplication::processEvents();

    EXPECT_EQ(f.window->width(), windowWidth);
    EXPECT_EQ(count->width(), countWidth);
    EXPECT_LE(count->geometry().right(), bar->width()) << "the count panel stays inside the bar";
    EXPECT_LE(message->geometry().right(), count->x());
    EXPECT_TRUE(message->text().endsWith(QChar(0x2026))) << message->text().toStdString();
    EXPECT_EQ(message->toolTip(), hint);
    EXPECT_EQ(f.window->statusText(), hint);

    const struct {
        QLabel* panel;
        QString name;
        const char* description;
    } panels[] = {{message, hint, "メッセージ"}, {count, QStringLiteral("総数：3"), "総数"}};
    for (const auto& p : panels) {
        QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(p.panel);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->text(QAccessible::Name), p.name);
        EXPECT_EQ(panel->text(QAccessible::Description), QString::fromUtf8(p.description));
    }
}

} // namespace
