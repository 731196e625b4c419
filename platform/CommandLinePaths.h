#pragma once

#include <QStringList>

// The paths the program was started with. On POSIX each argument is one path;
// on Windows the shell's raw argument text is split by the quoting rules of a
// drop on the executable. Each is cleaned by CleanCommandLinePaths.
[[nodiscard]] QStringList CommandLinePaths();

// Each piece made absolute against currentFolder and cleaned, in the
// platform's separators, so that the duplicate check sees one file as one
// path ("a.txt" and "./a.txt") and "." names the folder itself, not
// "folder/.". An empty piece stays empty.
[[nodiscard]] QStringList CleanCommandLinePaths(const QStringList& pieces, const QString& currentFolder);
