#pragma once

#include <QStringList>

struct StartPaths {
    QStringList paths;
};

// The paths the program was started with, from the arguments that remain
// after QApplication took its own. On POSIX each argument is one path, its
// bytes kept exactly when they are not UTF-8 (NameBytes.h). On Windows the
// shell's raw argument text is split by the quoting rules of a drop on the
// executable. Each is cleaned by CleanCommandLinePaths.
[[nodiscard]] StartPaths CommandLinePaths(int argc, const char* const* argv);

// Each piece made absolute against currentFolder and cleaned, in the
// platform's separators, so that the duplicate check sees one file as one
// path ("a.txt" and "./a.txt") and "." names the folder itself, not
// "folder/.". An empty piece stays empty.
[[nodiscard]] QStringList CleanCommandLinePaths(const QStringList& pieces, const QString& currentFolder);
