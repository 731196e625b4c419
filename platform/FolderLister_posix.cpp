#include "platform/SystemFolderLister.h"

#include "core/NameBytes.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace {

// "*" and "*.*" match every entry, as on Windows; other patterns match the
// whole name as a wildcard.
bool matchesEverything(const QString& pattern)
{
    return pattern.isEmpty() || pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
}

bool isAscii(const char* bytes, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

class PosixFolderReader final : public FolderReader {
public:
    PosixFolderReader(const QString& folder, const QString& pattern)
        : m_all(matchesEverything(pattern))
    {
        const QByteArray encoded = EncodeFileName(folder.isEmpty() ? QStringLiteral("/") : folder);
        m_dir = ::opendir(encoded.constData());
        m_unreadable = m_dir == nullptr;
        struct stat info {};
        if (m_dir && ::fstat(::dirfd(m_dir), &info) == 0) {
            // A folder's size on disk grows with its entries; no entry takes
            // less than 16 bytes of it on the common file systems.
            m_sizeHint = std::min<qsizetype>(info.st_size / 16, 1 << 24);
        }
        if (!m_all)
            m_wildcard = QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
    }
    ~PosixFolderReader() override { close(); }
    PosixFolderReader(const PosixFolderReader&) = delete;
    PosixFolderReader& operator=(const PosixFolderReader&) = delete;

    bool next(FolderEntry& entry) override
    {
        while (m_dir) {
            errno = 0;
            const dirent* found = ::readdir(m_dir);
            if (!found) {
                m_unreadable = errno != 0; // stopped by an error, not at the end
                close();
                return false;
            }
            if (take(*found, entry))
                return true;
        }
        return false;
    }
    bool unreadable() const override { return m_unreadable; }
    qsizetype sizeHint() const override { return m_sizeHint; }
    void adviseRowRoom(void* begin, size_t bytes) const override
    {
#ifdef MADV_HUGEPAGE
        // Only whole large pages inside the range can be advised.
        constexpr std::uintptr_t LargePage = 2 * 1024 * 1024;
        const auto first = (reinterpret_cast<std::uintptr_t>(begin) + LargePage - 1) & ~(LargePage - 1);
        const auto end = (reinterpret_cast<std::uintptr_t>(begin) + bytes) & ~(LargePage - 1);
        if (end > first)
            ::madvise(reinterpret_cast<void*>(first), end - first,
                      MADV_HUGEPAGE); // a hint; failure costs nothing
#else
        Q_UNUSED(begin);
        Q_UNUSED(bytes);
#endif
    }

private:
    bool take(const dirent& found, FolderEntry& entry)
    {
        const size_t length = std::strlen(found.d_name);
        if (isAscii(found.d_name, length)) {
            entry.name = QUtf8StringView(found.d_name, static_cast<qsizetype>(length));
        } else {
            // A name that is not UTF-8 keeps its bytes (NameBytes.h).
            m_decoded = DecodeFileName(QByteArrayView(found.d_name, static_cast<qsizetype>(length)));
            entry.name = QStringView(m_decoded);
        }
        if (!m_all && !m_wildcard.match(entry.name.toString()).hasMatch())
            return false;
        entry.hidden = found.d_name[0] == '.';
        entry.system = false;
        entry.directory = found.d_type == DT_DIR;
        if (found.d_type == DT_UNKNOWN || found.d_type == DT_LNK) {
            // Only file systems that do not tell the type, and links, cost a stat.
            struct stat info {};
            entry.directory = ::fstatat(::dirfd(m_dir), found.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        return true;
    }

    void close()
    {
        if (m_dir)
            ::closedir(m_dir);
        m_dir = nullptr;
    }

    DIR* m_dir = nullptr;
    bool m_all;
    QRegularExpression m_wildcard;
    QString m_decoded; // the current entry's name when it is not ASCII
    bool m_unreadable = false;
    qsizetype m_sizeHint = 0;
};

} // namespace

std::unique_ptr<FolderReader> SystemFolderLister::open(const QString& folder, const QString& pattern)
{
    return std::make_unique<PosixFolderReader>(folder, pattern);
}
