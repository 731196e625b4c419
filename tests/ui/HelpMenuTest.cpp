#include "core/FileTrust.h"
#include "tests/ui/WindowFixture.h"

namespace {

// The updater beside the executable; it is started by the fake shell only,
// so on Windows an empty file will do.
QString MakeUpdater(WindowFixture& f)
{
    QDir().mkpath(f.path(QStringLiteral("bin")));
#ifdef Q_OS_WIN
    const QString path = f.path(QStringLiteral("bin/Update.exe"));
    WriteBytes(path, {});
    return path;
#else
    return WriteScript(f.path(QStringLiteral("bin/quorvane-update")), "#!/bin/sh\n");
#endif
}

TEST(HelpMenu, ReadMeAndUpdaterFollowTheirFilesAtEveryOpening)
{
    WindowFixture f;
    f.window->session().setProgramFolder(f.path(QStringLiteral("bin")));
    QMenu* help = f.window->menu(QStringLiteral("helpMenu"));
    QAction* readMe = f.window->action(Command::OpenReadMe);
    QAction* updater = f.window->action(Command::StartUpdater);
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
    EXPECT_EQ(f.shell.started, QStringList{updaterPath + QLatin1Char('|') + f.path(QStringLiteral("bin"))});
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
        bool startFails;
        const char* status; // part of panel 1's text; empty: it ran
    } const cases[] = {
        {"root's runs", 0, false, false, ""},
        {"another user's", 1001, false, false, "quorvane-update」はほかのユーザーのファイルです。"},
        {"writable by others", 0, true, false, "quorvane-update」はほかのユーザーも書き込めるファイルです。"},
        {"cannot start", 0, false, true, "自動更新を起動できませんでした。理由。"},
    };
    for (const auto& c : cases) {
        if (!FilesHaveOwners() && (c.owner != 0 || c.writableByOthers))
            continue; // Windows: no owners or modes that the program checks

        WindowFixture f;
        f.window->session().setProgramFolder(f.path(QStringLiteral("bin")));
        const QString path = MakeUpdater(f);
        f.shell.startFailure = c.startFails ? QStringLiteral("理由") : QString();
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
        Q_EMIT f.window->menu(QStringLiteral("helpMenu"))->aboutToShow();
        f.window->action(Command::StartUpdater)->trigger();
        // Each part of the text has its style checked by JapaneseTexts.
        EXPECT_TRUE(f.window->statusText().contains(U(c.status))) << c.name;
        EXPECT_EQ(f.shell.started.size(), *c.status && !c.startFails ? 0 : 1) << c.name;
    }
}

} // namespace
