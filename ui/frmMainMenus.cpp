// The menu bar and the popup menus, built from the one menu table.
#include "ui/MenuTable.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("frmMainMenuBar"));
    int commandId = 0;
    for (const MenuEntry& entry : MenuEntries()) {
        ++commandId;
        const QString name = QString::fromLatin1(entry.objectName);
        const QString caption = QString::fromUtf16(entry.caption);
        if (entry.kind == MenuKind::Title) {
            auto* menu = new QMenu(caption, this);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name + QStringLiteral("_title"));
            menu->menuAction()->setStatusTip(QString());
            // A closing menu clears the hint line.
            connect(menu, &QMenu::aboutToHide, this, [this] { setStatusText(QString()); });
            // A menu opened as a popup sends the hints of its entries to
            // itself; the window takes them from there (eventFilter).
            menu->installEventFilter(this);
            if (entry.inMenuBar)
                bar->addMenu(menu);
            m_menus.insert(name, menu);
            continue;
        }
        QMenu* owner = m_menus.value(QString::fromLatin1(entry.menu));
        QAction* item = entry.kind == MenuKind::Separator ? owner->addSeparator() : owner->addAction(caption);
        if (entry.placeBefore)
            owner->insertAction(m_actions.value(QString::fromLatin1(entry.placeBefore)), item);
        item->setObjectName(name);
        item->setCheckable(entry.checkable);
        item->setVisible(entry.visible);
        item->setStatusTip(MenuHintText(commandId));
        m_actions.insert(name, item);
        if (entry.kind == MenuKind::Item)
            connect(item, &QAction::triggered, this, [this, name] { onMenuAction(name); });
    }
    // The Delete key reaches the list, which removes the row; the entry only
    // shows the key.
    action(QStringLiteral("mnuPopItem_2"))->setShortcut(QKeySequence(Qt::Key_Delete));
    action(QStringLiteral("mnuPopItem_2"))->setShortcutContext(Qt::WidgetShortcut);
}

void frmMain::onMenuAction(const QString& objectName)
{
    const auto command = m_menuCommands.constFind(objectName);
    if (command != m_menuCommands.constEnd() && *command)
        (*command)();
}
