#pragma once

#include <QStringList>

// The paths the program was started with. On POSIX each argument is one path;
// a relative one is taken from the folder the program was started in. On
// Windows the shell's raw argument text is split by the quoting rules of a
// drop on the executable.
[[nodiscard]] QStringList CommandLinePaths();
