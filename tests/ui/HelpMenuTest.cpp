#include "tests/ui/WindowFixture.h"
#include "ui/ProductInfo.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace {

TEST(VersionMessage, NamesTheProgramAndTheLibraryWhenLoaded)
{
    struct {
        const char* name;
        ProgramVersion version;
        int libraryVersion;
        const char* expected;
    } const cases[] = {
        {"without library", {3, 4, 0}, 0, "Quorvane   Ver3.4.0\tA"},
        {"library 1.05", {0, 1, 12}, 105, "Quorvane   Ver0.1.12\tA\r\nlibmagic  Ver1.05"},
        {"library 0.12", {1, 0, 0}, 12, "Quorvane   Ver1.0.0\tA\r\nlibmagic  Ver0.12"},
        {"library 5.44", {1, 0, 0}, 544, "Quorvane   Ver1.0.0\tA\r\nlibmagic  Ver5.44"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            VersionMessageText(c.version, QStringLiteral("A"), QStringLiteral("libmagic"), c.libraryVersion),
            QString::fromUtf8(c.expected))
            << c.name;
    }
}

TEST(HelpMenu, ReadMeAndUpdaterFollowTheirFilesAtEveryOpening)
{
    WindowFixture f;
    f.window->setProgramFolder(f.path(QStringLiteral("bin")));
    QMenu* help = f.window->menu(QStringLiteral("mnuHelp"));
    QAction* readMe = f.window->action(QStringLiteral("mnuHelpItem_0"));
    QAction* updater = f.window->action(QStringLiteral("mnuHelpItem_99"));
    auto open = [&] { Q_EMIT help->aboutToShow(); };
    open();
    EXPECT_FALSE(readMe->isEnabled());
    EXPECT_FALSE(updater->isEnabled());

    const QString readMePath = f.makeFile(QStringLiteral("share/quorvane/ReadMe.txt")); // an installed tree
    const QString updaterPath = f.makeFile(QStringLiteral("bin/quorvane-update"));
    open();
    EXPECT_TRUE(readMe->isEnabled());
    EXPECT_TRUE(updater->isEnabled());
    readMe->trigger();
    updater->trigger();
    EXPECT_EQ(
        f.shell.opened,
        (QStringList{
            QDir(f.path(QStringLiteral("bin"))).filePath(QStringLiteral("../share/quorvane/ReadMe.txt")),
            updaterPath}));

    QFile::remove(updaterPath);
    open();
    EXPECT_FALSE(updater->isEnabled());
    EXPECT_TRUE(f.window->versionText().startsWith(QStringLiteral("Quorvane   Ver")));
}

} // namespace
