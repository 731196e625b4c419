#pragma once

#include "core/Services.h"

// Lists a folder with the system's own calls, in the order the system gives
// (a scan then puts the entries in natural order with the system's collation).
// On POSIX a hidden entry is one whose name starts with "." and nothing is a
// system entry.
class SystemFolderLister final : public FolderLister {
public:
    [[nodiscard]] FolderListing list(const QString& folder, const QString& pattern) override;
    // Streams the entries: a plain ASCII name is handed over as the bytes
    // the system gave, without a conversion.
    [[nodiscard]] std::unique_ptr<FolderReader> open(const QString& folder, const QString& pattern) override;
    [[nodiscard]] std::unique_ptr<CollationKeyWriter> openNameCollation() override;
};
