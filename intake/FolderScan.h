#pragma once
// A folder's entries becoming rows.

#include "core/RenameList.h"
#include "core/Services.h"
#include "core/SlicedTask.h"

#include <future>
#include <memory>

struct ScanSummary {
    int added = 0;
    bool unreadable = false; // the folder could not be read (an empty folder is readable)
};

// Reads one folder entry by entry straight into rows: never ".", "..",
// hidden or system entries; subfolders only when includeFolders. Once the
// folder is read, its rows are put in the natural order of their names, the
// order a header click on the name column gives (a system may list a folder
// in any order, ext4 in hash order). Every row shares one copy of the
// folder text, kept as given, trailing separator included. No duplicate test.
class FolderScan {
public:
    FolderScan(const QString& folder, const QString& pattern, bool includeFolders, FolderLister& lister,
               IconIndexer& icons);
    // Appends rows to `rows` until the folder is read (true) or the
    // deadline has passed (false, to be run again).
    [[nodiscard]] bool runFor(QDeadlineTimer deadline, QList<RenameEntry>& rows);
    [[nodiscard]] const ScanSummary& summary() const { return m_summary; }
    [[nodiscard]] const QString& folder() const { return m_folder; }

private:
    QString m_folder;
    NameText m_folderText;
    bool m_includeFolders;
    IconIndexer& m_icons;
    std::unique_ptr<FolderReader> m_reader;
    std::unique_ptr<CollationKeyWriter> m_collation;
    bool m_reserved = false;
    qsizetype m_first = 0;       // where this folder's rows start
    std::future<void> m_sorting; // waited for when the scan is destroyed: it writes the rows
    ScanSummary m_summary;
};

// Scans one folder into the list at once; the new rows arrive in one
// notification.
ScanSummary ScanFolder(RenameList& list, const QString& folder, const QString& pattern, bool includeFolders,
                       FolderLister& lister, IconIndexer& icons);
