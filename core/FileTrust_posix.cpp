// The trust checks on POSIX: the path is opened once without following a
// symbolic link, and everything is learned from the descriptor.
#include "core/FileTrust.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void FillFacts(FileFacts& facts, const struct stat& info)
{
    facts.exists = true;
    facts.symbolicLink = S_ISLNK(info.st_mode);
    facts.regularFile = S_ISREG(info.st_mode);
    facts.folder = S_ISDIR(info.st_mode);
    facts.owner = info.st_uid;
    facts.writableByGroupOrOthers = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Up to `maxBytes` + 1 bytes: one more than allowed tells a file too large.
bool ReadAll(int fd, QByteArray& bytes, qint64 maxBytes)
{
    bytes.clear();
    char buffer[65536];
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, got);
    }
    return false;
}

FileFacts OpenedFacts(const QString& path, QByteArray* contents, qint64 maxBytes)
{
    FileFacts facts;
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: a pipe planted under the name must not hold up the start.
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // What cannot be opened is described from its entry, never followed.
        struct stat info {};
        if (::lstat(name.constData(), &info) == 0)
            FillFacts(facts, info);
        return facts;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        FillFacts(facts, info);
        if (contents && facts.regularFile && info.st_size <= maxBytes)
            facts.read = ReadAll(fd, *contents, maxBytes);
    }
    ::close(fd);
    return facts;
}

} // namespace

FileTrustProbe SystemFileTrustProbe()
{
    return {OpenedFacts, static_cast<uint>(::geteuid())};
}
