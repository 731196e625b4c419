#pragma once
// Where the settings file and the editor exchange file live: a folder that
// belongs to the user, since whatever it holds decides which program the
// editor command starts. QUORVANE_CONFIG_DIR wins (tests always set it).
// Otherwise, where files have owners, the folder beside the executable is
// used only as an opt-in portable copy: it already holds a setting.ini, and
// folder and file are the user's own and writable by nobody else; else the
// user's configuration folder (~/.config/Quorvane, created 0700). A folder
// under an installation prefix is never taken. Where files have no owners
// (Windows) the executable's folder is used whenever it can be written to,
// as the portable program always did.

#include <QString>
#include <QStringList>

#include <functional>

// The choice itself, with every input given, so that it can be tested; the
// ownership checks go through the file-trust probe (core/FileTrust.h).
// installPrefixes are folders whose subfolders are never a portable copy.
[[nodiscard]] QString ChooseSettingsFolder(const QString& configDirVariable, const QString& executableFolder,
                                           const QString& userConfigFolder,
                                           const QStringList& installPrefixes,
                                           const std::function<bool(const QString&)>& isWritableFolder);

// True when a file can really be created in folder (a probe file is created
// and removed), which also covers read-only mounts and access lists.
[[nodiscard]] bool CanCreateFilesIn(const QString& folder);

// The folder for this process, created when it is missing (the user's
// configuration folder with mode 0700). Needs the application object (for
// the executable's folder and the application name).
[[nodiscard]] QString SettingsFolder();
// The folder (SettingsFolder() unless given) followed by "setting.ini", in
// the platform's separators.
[[nodiscard]] QString SettingsPath(const QString& folder = SettingsFolder());
// The folder followed by "ReName.txt", in the platform's separators: the
// exchange file a window takes when no other window holds it.
[[nodiscard]] QString ExchangeFilePath(const QString& folder = SettingsFolder());
