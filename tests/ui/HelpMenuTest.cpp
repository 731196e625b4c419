#include "core/FileTrust.h"
#include "tests/ui/WindowFixture.h"

namespace {

// An updater that leaves a mark when it runs.
QString MakeUpdater(WindowFixture& f, const QByteArray& interpreter = "/bin/sh")
{
    QDir().mkpath(f.path(QStringLiteral("bin")));
    return WriteScript(f.path(QStringLiteral("bin/quorvane-update")),
                       "#!" + interpreter + "\ntouch \"" + f.path(QStringLiteral("ran")).toUtf8() + "\"\n");
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
    EXPECT_FALSE(readMe->isEnabled() || updater->isEnabled());

    f.makeFile(QStringLiteral("share/quorvane/ReadMe.txt")); // an installed tree
    const QString updaterPath = MakeUpdater(f);
    open();
    EXPECT_TRUE(readMe->isEnabled() && updater->isEnabled());
    readMe->trigger();
    updater->trigger();
    EXPECT_EQ(f.shell.opened, QStringList{f.path(QStringLiteral("bin/../share/quorvane/ReadMe.txt"))});
    // Run, not opened.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(f.path(QStringLiteral("ran"))); }, 5000));
    QFile::remove(updaterPath);
    open();
    EXPECT_FALSE(updater->isEnabled());
}

TEST(HelpMenu, OnlyAnUpdaterNobodyElseCanChangeIsStarted)
{
    struct {
        const char* name;
        uint owner; // 0: root's; otherwise the current user is someone else
        bool writableByOthers;
        const char* interpreter;
        const char* status; // the start of panel 1's text; empty: it ran
    } const cases[] = {
        {"root's runs", 0, false, "/bin/sh", ""},
        {"another user's", 1001, false, "/bin/sh",
         "自動更新を起動しませんでした（quorvane-update はほかのユーザーのファイルです）"},
        {"writable by others", 0, true, "/bin/sh",
         "自動更新を起動しませんでした（quorvane-update はほかのユーザーも書き込めるファイルです）"},
        {"cannot start", 0, false, "/nonexistent/interpreter", "自動更新を起動できませんでした（"},
    };
    for (const auto& c : cases) {
        WindowFixture f;
        f.window->setProgramFolder(f.path(QStringLiteral("bin")));
        const QString path = MakeUpdater(f, c.interpreter);
        if (c.writableByOthers)
            QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOther);
        FileTrustProbe probe = SystemFileTrustProbe();
        probe.currentUser = 4242; // the suite runs as root, who owns every file
        probe.factsOf = [real = probe.factsOf, owner = c.owner](const QString& file, QByteArray* bytes,
                                                                qint64 max) {
            FileFacts facts = real(file, bytes, max);
            facts.owner = owner;
            return facts;
        };
        const ScopedFileTrustProbe scoped(probe);
        Q_EMIT f.window->menu(QStringLiteral("mnuHelp"))->aboutToShow();
        f.window->action(QStringLiteral("mnuHelpItem_99"))->trigger();
        EXPECT_EQ(f.window->statusText().left(U(c.status).size()), U(c.status)) << c.name;
        const bool ran = QTest::qWaitFor([&] { return QFile::exists(f.path(QStringLiteral("ran"))); },
                                         *c.status ? 300 : 5000);
        EXPECT_EQ(ran, !*c.status) << c.name;
    }
}

} // namespace
