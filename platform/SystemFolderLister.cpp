// What the system lister does the same way everywhere: the listing is read
// from the system's own entry stream (open(), one file per system).
#include "platform/SystemFolderLister.h"

#include "platform/SystemCollation.h"

FolderListing SystemFolderLister::list(const QString& folder, const QString& pattern)
{
    FolderListing listing;
    const std::unique_ptr<FolderReader> reader = open(folder, pattern);
    FolderEntry entry;
    while (reader->next(entry))
        listing.entries.append({entry.name.toString(), entry.directory, entry.hidden, entry.system});
    listing.unreadable = reader->unreadable();
    return listing;
}

std::unique_ptr<CollationKeyWriter> SystemFolderLister::openNameCollation()
{
    return OpenSystemCollation();
}
