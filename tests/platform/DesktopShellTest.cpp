#include "platform/DesktopServices.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDesktopServices>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// A file manager on the bus: it answers ShowItems and keeps what it was asked.
struct FakeFileManager : QDBusVirtualObject {
    QVariantList asked;
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        asked = message.arguments();
        return bus.send(message.createReply());
    }
};

// Stands in for the desktop's opener of folders.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls.append(url); }
};

// The file manager is asked over the session bus to show the file itself;
// while no file manager answers there, the file's folder opens instead.
TEST(DesktopShell, AsksTheFileManagerToShowTheFileElseOpensItsFolder)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows has no session bus; Explorer is started with /select instead";
#endif
    // A private session bus in a folder of its own, so nothing reaches the
    // user's desktop and nothing of it stays behind.
    QTemporaryDir busFolder;
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                  QStringLiteral("--address=unix:path=") + busFolder.filePath(QStringLiteral("bus"))});
    ASSERT_TRUE(daemon.waitForReadyRead(5000)) << "the tests need dbus-daemon";
    const QByteArray address = daemon.readLine().trimmed();
    const ScopedEnvironment session{{"DBUS_SESSION_BUS_ADDRESS", address}};
    OpenedUrls opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    const auto endBus = qScopeGuard([&] {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fm"));
        daemon.terminate();
        daemon.waitForFinished();
    });
    SystemDesktopShell shell;
    const QString file = QStringLiteral("/tmp/写真/a.jpg");
    shell.showInFileManager(file);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.urls.isEmpty(); }, 5000));

    QDBusConnection fileManagerBus =
        QDBusConnection::connectToBus(QString::fromUtf8(address), QStringLiteral("fm"));
    FakeFileManager fileManager;
    ASSERT_TRUE(fileManagerBus.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    ASSERT_TRUE(
        fileManagerBus.registerVirtualObject(QStringLiteral("/org/freedesktop/FileManager1"), &fileManager));
    shell.showInFileManager(file);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fileManager.asked.isEmpty(); }, 5000));
    EXPECT_EQ(fileManager.asked,
              (QVariantList{QStringList{QUrl::fromLocalFile(file).toString()}, QString()}));
    EXPECT_EQ(opened.urls, QList{QUrl::fromLocalFile(QStringLiteral("/tmp/写真"))});
}

// A program is run on its own in the folder given, not opened; one that
// cannot start says why.
TEST(DesktopShell, StartsAProgramInItsFolder)
{
    QTemporaryDir dir;
#ifdef Q_OS_WIN
    const QString program = WriteBatchFile(dir.filePath(QStringLiteral("update.cmd")), "type nul > ran");
#else
    const QString program = WriteScript(dir.filePath(QStringLiteral("update")), "touch ran");
#endif
    SystemDesktopShell shell;
    QString reason;
    ASSERT_TRUE(shell.start(program, dir.path(), &reason));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.filePath(QStringLiteral("ran"))); }, 5000));
    EXPECT_FALSE(shell.start(dir.filePath(QStringLiteral("missing")), dir.path(), &reason));
    EXPECT_FALSE(reason.isEmpty());
}

} // namespace

#include "DesktopShellTest.moc"
