#include "platform/SystemFolderLister.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

// "*" and "*.*" match every entry, as on Windows; other patterns match the
// whole name as a wildcard.
bool matchesEverything(const QString& pattern)
{
    return pattern.isEmpty() || pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
}

// Names whose bytes are not valid UTF-8 cannot be shown or typed faithfully,
// and a rename through the decoded text would address another file.
bool decodesFaithfully(const char* bytes, const QString& name)
{
    if (!name.contains(QChar::ReplacementCharacter))
        return true;
    return name.toUtf8() == QByteArray(bytes);
}

} // namespace

FolderListing SystemFolderLister::list(const QString& folder, const QString& pattern)
{
    FolderListing listing;
    const QByteArray encoded = QFile::encodeName(folder.isEmpty() ? QStringLiteral("/") : folder);
    DIR* dir = ::opendir(encoded.constData());
    if (!dir)
        return listing;
    const bool all = matchesEverything(pattern);
    const QRegularExpression wildcard =
        all ? QRegularExpression() : QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
    const int dirFd = ::dirfd(dir);
    while (const dirent* found = ::readdir(dir)) {
        ListedEntry entry;
        entry.name = QFile::decodeName(found->d_name);
        if (!decodesFaithfully(found->d_name, entry.name)) {
            ++listing.undecodable;
            continue;
        }
        if (!all && !wildcard.match(entry.name).hasMatch())
            continue;
        entry.hidden = found->d_name[0] == '.';
        if (found->d_type == DT_DIR) {
            entry.directory = true;
        } else if (found->d_type == DT_UNKNOWN || found->d_type == DT_LNK) {
            // Only file systems that do not tell the type, and links, cost a stat.
            struct stat info {};
            if (::fstatat(dirFd, found->d_name, &info, 0) == 0)
                entry.directory = S_ISDIR(info.st_mode);
        }
        listing.entries.append(std::move(entry));
    }
    ::closedir(dir);
    return listing;
}
