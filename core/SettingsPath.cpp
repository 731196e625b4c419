#include "core/SettingsPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString FileInSettingsFolder(const QString& name)
{
    return QDir::toNativeSeparators(SettingsFolder() + QLatin1Char('/') + name);
}

} // namespace

QString ChooseSettingsFolder(const QString& configDirVariable, const QString& executableFolder,
                             const QString& userConfigFolder,
                             const std::function<bool(const QString&)>& isWritableFolder)
{
    if (!configDirVariable.isEmpty())
        return configDirVariable;
    if (!executableFolder.isEmpty() && isWritableFolder(executableFolder))
        return executableFolder;
    return userConfigFolder;
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
    const QString folder = ChooseSettingsFolder(
        qEnvironmentVariable("QUORVANE_CONFIG_DIR"), executableFolder,
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), CanCreateFilesIn);
    // A folder that cannot be made shows up later as a failed save, which is
    // reported there.
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

QString SettingsPath()
{
    return FileInSettingsFolder(QStringLiteral("setting.ini"));
}

QString ExchangeFilePath()
{
    return FileInSettingsFolder(QStringLiteral("ReName.txt"));
}
