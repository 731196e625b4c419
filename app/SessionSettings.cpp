// The options, setting.ini at start-up and shutdown, the start-up itself,
// and the Help menu's read-me, updater and version message.
#include "app/ProductInfo.h"
#include "app/RenameSession.h"
#include "core/FileTrust.h"
#include "core/Log.h"
#include "core/Paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// The options that are a menu entry's check mark.
constexpr std::pair<Command, bool Options::*> kToggles[] = {
    {Command::StayOnTop, &Options::topMost},
    {Command::ShowIcons, &Options::iconsShown},
    {Command::EditorAtStart, &Options::editorAtStart},
    {Command::FoldersAsRows, &Options::foldersAsRows},
    {Command::ChainOperations, &Options::chainOperations},
    {Command::RenameCycles, &Options::renameCycles},
};

} // namespace

void RenameSession::setOption(Command toggle, bool on)
{
    const auto* found = std::find_if(std::cbegin(kToggles), std::cend(kToggles),
                                     [toggle](const auto& entry) { return entry.first == toggle; });
    if (found == std::cend(kToggles) || m_options.*(found->second) == on)
        return;
    m_options.*(found->second) = on;
    Q_EMIT optionsChanged(m_options);
}

void RenameSession::setIgnoreCase(bool on)
{
    if (m_options.ignoreCaseInSearch == on)
        return;
    m_options.ignoreCaseInSearch = on;
    Q_EMIT optionsChanged(m_options);
}

StoredSettings RenameSession::loadSettings(const QList<int>& designColumnWidths)
{
    QString ignoredReason;
    StoredSettings stored = m_settingsPath.isEmpty()
                                ? StoredSettings{}
                                : LoadStoredSettings(m_settingsPath, designColumnWidths, &ignoredReason);
    // A file that was not read is not saved over at shutdown either.
    m_settingsIgnored = !ignoredReason.isEmpty();
    if (m_settingsIgnored)
        setStatusText(ignoredReason);
    m_options = stored.options;
    Q_EMIT optionsChanged(m_options);
    // A saved editor that is gone stays in the box until a fallback is found;
    // with none installed it stays for good. Without a saved one the box
    // stays empty until the fallback answers, and says where to choose one.
    if (!stored.editorPath.isEmpty())
        setEditorPath(stored.editorPath);
    if (!IsExistingFile(stored.editorPath))
        useFallbackEditor(false);
    m_insertionHistory = stored.insertionHistory;
    Q_EMIT insertionHistoryChanged(m_insertionHistory, QString());
    return stored;
}

void RenameSession::saveSettings(StoredSettings stored)
{
    if (m_settingsPath.isEmpty() || m_settingsIgnored)
        return;
    // The save keeps the file's other lines.
    stored.editorPath = m_editorPath;
    stored.options = m_options;
    stored.insertionHistory = m_insertionHistory;
    QString error;
    if (!SaveStoredSettings(m_settingsPath, stored, &error))
        qCWarning(lcQuorvane, "settings not saved: %s", qPrintable(error));
}

void RenameSession::openReadMe()
{
    if (const QString path = ReadMePath(m_programFolder); !path.isEmpty())
        m_services.shell->open(path);
}

void RenameSession::startUpdater()
{
    const QString path = UpdaterPath(m_programFolder);
    if (path.isEmpty())
        return;
    // Anyone who may change the file beside the executable (in a shared
    // folder anyone may put one there) would choose what runs as this user.
    const FileTrust trust = CheckProgramFile(path);
    if (trust == FileTrust::Missing)
        return;
    if (trust != FileTrust::Trusted) {
        setStatusText(QStringLiteral("自動更新を起動しませんでした。「%1」は%2。")
                          .arg(QDir::toNativeSeparators(path), DistrustText(trust)) +
                      DistrustRemedyText(trust, path));
        return;
    }
    // Run, not opened: opening an executable hands it to a viewer. It is
    // left to run; the program goes on.
    QString reason;
    if (!m_services.shell->start(path, m_programFolder, &reason))
        setStatusText(QStringLiteral("自動更新を起動できませんでした。%1。「%2」を確かめてください。")
                          .arg(reason, QDir::toNativeSeparators(path)));
}

QString RenameSession::versionText() const
{
    const bool loaded = m_services.detector && m_services.detector->isAvailable();
    return VersionMessageText(CurrentVersion(), AuthorLine(), QStringLiteral("libmagic"),
                              loaded ? m_services.detector->version() : 0);
}
