#include "platform/DesktopServices.h"

#include "platform/DetachedStart.h"

#include "core/Paths.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

bool SystemKeyboard::isShiftDown() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

void SystemDesktopShell::showInFileManager(const QString& path)
{
    const QUrl folderUrl = QUrl::fromLocalFile(QFileInfo(path).absolutePath());
#ifdef Q_OS_WIN
    // Explorer opens the folder with the file selected. Its switch is read
    // as one piece, so the quoted path follows the comma directly.
    QProcess explorer;
    explorer.setProgram(QStringLiteral("explorer.exe"));
    explorer.setNativeArguments(QStringLiteral("/select,\"%1\"").arg(QDir::toNativeSeparators(path)));
    if (!explorer.startDetached())
        QDesktopServices::openUrl(folderUrl);
#else
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        QDesktopServices::openUrl(folderUrl);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [folderUrl](QDBusPendingCallWatcher* w) {
                         if (w->isError())
                             QDesktopServices::openUrl(folderUrl);
                         w->deleteLater();
                     });
#endif
}

bool SystemDesktopShell::open(const QString& pathOrUrl)
{
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

bool SystemDesktopShell::start(const QString& program, const QString& workingFolder, QString* reason)
{
    return StartDetached(program, workingFolder, reason);
}
