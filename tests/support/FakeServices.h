#pragma once
// Small in-memory stand-ins for the system services.

#include "core/Services.h"
#include "tests/support/QtPrinters.h"

#include <QHash>

class FakeFolderLister final : public FolderLister {
public:
    QHash<QString, FolderListing> folders;
    FolderListing list(const QString& folder, const QString&) override { return folders.value(folder); }
};

// Gives every name the index of its length, so tests can tell icons apart.
class FakeIcons final : public IconIndexer {
public:
    int indexFor(const QString& name, bool directory) override
    {
        return directory ? 1000 : static_cast<int>(name.size());
    }
    int indexOfPath(const QString& path) override { return static_cast<int>(path.size()); }
};
