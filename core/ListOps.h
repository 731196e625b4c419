#pragma once
// How paths become rows, and the list-management commands.

#include "core/RenameList.h"
#include "core/Services.h"

struct ScanSummary {
    int added = 0;
    int undecodable = 0; // entries left out because their names cannot be shown faithfully
};

// Appends one row for a full path and returns its index; no duplicate test.
// Trailing separators are dropped; a path without a name (the root) adds
// nothing and gives -1.
int AddPathRow(RenameList& list, const QString& path, IconIndexer& icons);
[[nodiscard]] bool IsPathListed(const RenameList& list, const QString& path);

// Appends a row for every accepted entry of one folder, in listing order:
// never ".", "..", hidden or system entries; folders only when includeFolders.
// The folder text is kept as given, trailing separator included.
ScanSummary ScanFolder(RenameList& list, const QString& folder, const QString& pattern, bool includeFolders,
                       FolderLister& lister, IconIndexer& icons);

// The moves trade two whole entries and keep the moved entry selected; they
// return false when there was nothing to do.
bool MoveRowUp(RenameList& list);
bool MoveRowDown(RenameList& list);
bool RemoveSelectedRow(RenameList& list);

// Text of status panel 2.
[[nodiscard]] QString CountText(int rows);
