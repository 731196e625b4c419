#pragma once
// Paths from the command line or a drop becoming rows.

#include "core/ListOps.h"

#include <functional>

struct IntakeResult {
    int undecodable = 0; // paths or entries left out because their names are not valid text
};

// For each path in order: a folder is scanned for its files unless
// addFolderAsRow() says the folder itself is wanted (Shift held); anything
// else becomes a row unless that exact path is listed already. Paths that do
// not exist still become rows (their rename will fail with its reason).
IntakeResult IntakePaths(RenameList& list, const QStringList& paths,
                         const std::function<bool()>& addFolderAsRow, bool includeSubfolders,
                         FolderLister& lister, IconIndexer& icons);

// A path decoded from bytes that are not valid UTF-8 carries replacement
// characters; when no file answers to that text it names nothing we can rename.
[[nodiscard]] bool IsUndecodablePath(const QString& path);
