#include "core/SettingsPath.h"

#include "core/FileTrust.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString FileIn(const QString& folder, const QString& name)
{
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + name);
}

bool IsUnder(const QString& folder, const QString& prefix)
{
    const QString cleanFolder = QDir::cleanPath(folder);
    const QString cleanPrefix = QDir::cleanPath(prefix);
    return cleanFolder == cleanPrefix || cleanFolder.startsWith(cleanPrefix + QLatin1Char('/'));
}

bool IsPortableCopy(const QString& folder, const QStringList& installPrefixes)
{
    for (const QString& prefix : installPrefixes) {
        if (!prefix.isEmpty() && IsUnder(folder, prefix))
            return false;
    }
    const QString settings = folder + QStringLiteral("/setting.ini");
    const FileTrust folderTrust = CheckUserFolder(folder);
    const FileTrust fileTrust = CheckUserFile(settings);
    if (fileTrust == FileTrust::Missing)
        return false; // a portable copy is made by putting a setting.ini there
    if (folderTrust != FileTrust::Trusted || fileTrust != FileTrust::Trusted) {
        ReportIgnoredFile(fileTrust != FileTrust::Trusted ? settings : folder,
                          fileTrust != FileTrust::Trusted ? fileTrust : folderTrust);
        return false;
    }
    return true;
}

// Made with mode 0700 when missing; a folder that cannot be made shows up
// later as a failed save, which is reported there.
void MakeOwnFolder(const QString& folder)
{
    if (folder.isEmpty() || QFileInfo::exists(folder))
        return;
    QDir().mkpath(QFileInfo(folder).absolutePath());
    QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// %APPDATA%\Quorvane on Windows (it roams with the user's profile), the
// configuration folder elsewhere.
QString UserSettingsFolder()
{
#ifdef Q_OS_WIN
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
#endif
}

// Where files have no owners, a folder beside the executable is taken when
// the user can write there and no other user can.
bool IsOwnWritableFolder(const QString& folder)
{
#ifdef Q_OS_WIN
    return CanCreateFilesIn(folder) && !OthersMayWriteIn(folder);
#else
    return CanCreateFilesIn(folder);
#endif
}

} // namespace

QString ChooseSettingsFolder(const QString& configDirVariable, const QString& executableFolder,
                             const QString& userConfigFolder, const QStringList& installPrefixes,
                             const std::function<bool(const QString&)>& isWritableFolder)
{
    if (!configDirVariable.isEmpty())
        return configDirVariable;
    if (executableFolder.isEmpty())
        return userConfigFolder;
    if (!FilesHaveOwners())
        return isWritableFolder(executableFolder) ? executableFolder : userConfigFolder;
    return IsPortableCopy(executableFolder, installPrefixes) ? executableFolder : userConfigFolder;
}

bool CanCreateFilesIn(const QString& folder)
{
    if (folder.isEmpty() || !QDir(folder).exists())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.quorvane-probe-XXXXXX"));
    return probe.open();
}

QString SettingsFolder()
{
    const QString executableFolder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    // The prefix this copy was built for, and the system's own (a package
    // installs into /usr whatever the build's prefix was).
    const QStringList installPrefixes{QStringLiteral(QUORVANE_INSTALL_PREFIX), QStringLiteral("/usr")};
    const QString folder = ChooseSettingsFolder(qEnvironmentVariable("QUORVANE_CONFIG_DIR"), executableFolder,
                                                UserSettingsFolder(), installPrefixes, IsOwnWritableFolder);
    MakeOwnFolder(folder);
    return folder;
}

QString SettingsPath(const QString& folder)
{
    return FileIn(folder, QStringLiteral("setting.ini"));
}

QString ExchangeFilePath(const QString& folder)
{
    return FileIn(folder, QStringLiteral("ReName.txt"));
}
