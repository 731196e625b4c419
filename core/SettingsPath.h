#pragma once
// Where the settings file and the editor exchange file live. Like the
// original portable program they sit beside the executable when that folder
// can be written to; an installed copy keeps them in the user's configuration
// folder instead. QUORVANE_CONFIG_DIR overrides both (tests always set it).

#include <QString>

#include <functional>

// The choice itself, with every input given, so that it can be tested: a
// non-empty configDirVariable wins; else executableFolder when it is not empty
// and isWritableFolder says so; else userConfigFolder.
[[nodiscard]] QString ChooseSettingsFolder(const QString& configDirVariable, const QString& executableFolder,
                                           const QString& userConfigFolder,
                                           const std::function<bool(const QString&)>& isWritableFolder);

// True when a file can really be created in folder (a probe file is created
// and removed), which also covers read-only mounts and access lists.
[[nodiscard]] bool CanCreateFilesIn(const QString& folder);

// The folder for this process, created when it is missing. Needs the
// application object (for the executable's folder and the application name).
[[nodiscard]] QString SettingsFolder();
// SettingsFolder() followed by "setting.ini", in the platform's separators.
[[nodiscard]] QString SettingsPath();
// SettingsFolder() followed by "ReName.txt", in the platform's separators.
[[nodiscard]] QString ExchangeFilePath();
