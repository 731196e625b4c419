#pragma once

#include <QString>

// The program as the user sees it on the desktop, where files are dropped on
// it: the executable "Quorvane.exe" on Windows, the launcher "Quorvane"
// elsewhere.
[[nodiscard]] QString ProgramFileName();
