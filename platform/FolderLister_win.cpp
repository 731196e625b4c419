#include "platform/SystemFolderLister.h"
#include "platform/WindowsPaths.h"

namespace {

// The system matches the pattern itself, as FindFirstFile always did: "*" and
// "*.*" give every entry, and names match without regard to case.
class WindowsFolderReader final : public FolderReader {
public:
    WindowsFolderReader(const QString& folder, const QString& pattern)
        : m_search(folder, pattern)
    {}

    bool next(FolderEntry& entry) override
    {
        if (!m_search.next())
            return false;
        const DWORD attributes = m_search.entry().dwFileAttributes;
        entry.name = m_search.name();
        entry.directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        entry.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
        return true;
    }
    bool unreadable() const override { return m_search.failed(); }

private:
    FolderSearch m_search;
};

} // namespace

std::unique_ptr<FolderReader> SystemFolderLister::open(const QString& folder, const QString& pattern)
{
    return std::make_unique<WindowsFolderReader>(folder, pattern);
}
