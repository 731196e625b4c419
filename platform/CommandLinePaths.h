#pragma once

#include "core/GivenPaths.h"

#include <QStringList>

struct StartPaths {
    GivenPaths paths;
};

// The paths the program was started with, from the arguments that remain
// after QApplication took its own. On POSIX each argument is one path, read
// from its bytes, which are kept exactly when they are not UTF-8
// (NameBytes.h); the arguments must outlive the paths. On Windows the
// shell's raw argument text is split by the quoting rules of a drop on the
// executable. Each path is cleaned as CleanGivenPath does.
[[nodiscard]] StartPaths CommandLinePaths(int argc, const char* const* argv);

// Each piece made absolute against currentFolder and cleaned, in the
// platform's separators (CleanGivenPath), so that the duplicate check sees
// one file as one path ("a.txt" and "./a.txt") and "." names the folder
// itself, not "folder/.". An empty piece stays empty.
[[nodiscard]] QStringList CleanCommandLinePaths(const QStringList& pieces, const QString& currentFolder);
