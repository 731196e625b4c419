#include "core/Services.h"

#include "core/Paths.h"

#include <QFileInfo>

namespace {

// Hands out the entries of a finished listing one by one.
class ListingReader final : public FolderReader {
public:
    explicit ListingReader(FolderListing listing)
        : m_listing(std::move(listing))
    {}

    bool next(FolderEntry& entry) override
    {
        if (m_next >= m_listing.entries.size())
            return false;
        const ListedEntry& listed = m_listing.entries.at(m_next++);
        entry = {listed.name, listed.directory, listed.hidden, listed.system};
        return true;
    }
    bool unreadable() const override { return m_listing.unreadable; }
    qsizetype sizeHint() const override { return m_listing.entries.size(); }

private:
    FolderListing m_listing;
    qsizetype m_next = 0;
};

} // namespace

std::unique_ptr<FolderReader> FolderLister::open(const QString& folder, const QString& pattern)
{
    return std::make_unique<ListingReader>(list(folder, pattern));
}

QDateTime DetailSource::dateTaken(const QString& folder, const QString& fileName)
{
    Q_UNUSED(folder);
    Q_UNUSED(fileName);
    return {};
}

QDateTime DetailSource::modificationTime(const QString& folder, const QString& fileName)
{
    const QFileInfo info(JoinPath(folder, fileName));
    return info.exists() ? info.lastModified() : QDateTime();
}
