#include "tests/ui/WindowFixture.h"
#include "ui/MenuTable.h"
#include "ui/RenameListView.h"

#include <QAction>
#include <QDialog>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

TEST(Smoke, EveryEntryAndButtonIsUsableAndRuns)
{
    WindowFixture f;
    f.window->startUp({f.makeFile(QStringLiteral("a.txt")), f.makeFile(QStringLiteral("b.txt"))});
    f.window->show();
    for (const ButtonDesign& design : ButtonDesigns()) {
        if (design.command == ButtonCommand::DetectExtension)
            continue; // shown only with the content-type library, which this window was not given
        EXPECT_TRUE(f.window->button(design.command)->isEnabled()) << SlotOf(design.command);
    }
    // Entries that open a file dialog or end the program are left out of the run.
    const QStringList interactive = {QStringLiteral("mnuFileItem_0"), QStringLiteral("mnuOptItem_10"),
                                     QStringLiteral("mnuFileItem_6"), QStringLiteral("mnuHelpItem_0"),
                                     QStringLiteral("mnuHelpItem_99")};
    for (const MenuEntry& entry : MenuEntries()) {
        if (entry.kind != MenuKind::Item)
            continue;
        const QString name = QString::fromLatin1(entry.objectName);
        QAction* item = f.window->action(name);
        // The read-me and updater items follow their files; a hidden entry
        // reports itself disabled.
        const bool exempt = name == QStringLiteral("mnuHelpItem_0") ||
                            name == QStringLiteral("mnuHelpItem_99") || !entry.visible;
        if (!exempt) {
            EXPECT_TRUE(item->isEnabled()) << entry.objectName;
        }
        if (!interactive.contains(name))
            item->trigger();
        f.window->renameList().setSelectedRow(0);
    }
    EXPECT_TRUE(f.window->isEnabled());
    // The hidden auto-rename item opened its dialog.
    EXPECT_NE(f.window->findChild<QDialog*>(QStringLiteral("frmSet")), nullptr);
}

TEST(Smoke, FilesDroppedOnTheListArriveThroughTheWidget)
{
    WindowFixture f;
    f.window->startUp({});
    f.window->show();
    auto* view = f.window->findChild<RenameListView*>(QStringLiteral("ListView1"));
    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile(f.makeFile(QStringLiteral("dropped.jpg"))),
         QUrl::fromLocalFile(f.makeFile(QStringLiteral("dir/inner.jpg"))).adjusted(QUrl::RemoveFilename)});
    const QPoint at = view->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    EXPECT_EQ(f.currentNames(), (QStringList{QStringLiteral("dropped.jpg"), QStringLiteral("inner.jpg")}));
    EXPECT_EQ(f.window->countText(), QStringLiteral("総数：2"));

    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDropEvent textDrop(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &textDrop);
    EXPECT_EQ(f.currentNames().size(), 2);
}

TEST(Smoke, NamesThatAreNotTextAreLeftOutAndCounted)
{
    WindowFixture f;
    f.makeFile(QStringLiteral("mixed/good.txt"));
    const QByteArray bad = QFile::encodeName(f.path(QStringLiteral("mixed"))) + "/bad\xff\xfe.txt";
    const int fd = ::open(bad.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    f.window->startUp({f.path(QStringLiteral("mixed"))});
    EXPECT_EQ(f.currentNames(), QStringList{QStringLiteral("good.txt")});
    EXPECT_TRUE(f.window->statusText().contains(QStringLiteral("1 件")));
}

} // namespace
