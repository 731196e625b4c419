#include "platform/DurableFiles.h"

#include "core/NameBytes.h"
#include "core/SystemErrorText.h"
#include "platform/RenameReasons.h"

#include <QFile>
#include <QHash>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope, unless taken.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] int take() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray NameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

bool Identify(const QString& path, struct stat& info)
{
    return ::lstat(EncodeFileName(path).constData(), &info) == 0;
}

bool IsSameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    return Identify(a, first) && Identify(b, second) && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// The entry `path` names, from the folder `at` (or AT_FDCWD), not what a
// symbolic link there points to.
FileIdentity IdentityAt(int at, const QByteArray& path)
{
    struct statx info {};
    if (::statx(at, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_INO | STATX_BTIME, &info) != 0)
        return {};
    const bool born = (info.stx_mask & STATX_BTIME) != 0;
    return {::makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino,
            static_cast<quint32>(info.stx_mode & S_IFMT),
            born ? qint64(info.stx_btime.tv_sec) * 1000000000 + info.stx_btime.tv_nsec : 0};
}

class PosixJournalDisk final : public JournalDisk {
public:
    ~PosixJournalDisk() override
    {
        for (const int fd : std::as_const(m_held))
            ::close(fd);
    }

    QString create(const QString& path, const Pieces& pieces) override
    {
        const QByteArray target = EncodeFileName(path);
        const QByteArray name = NameOf(target);
        Descriptor folder(::open(FolderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() < 0)
            return failure(path);
        // A fresh name that nothing can have put a link at: O_EXCL refuses
        // an existing name, O_NOFOLLOW a symbolic link.
        QByteArray temporary;
        int fd = -1;
        for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
            temporary = '.' + name + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
            fd = ::openat(folder.get(), temporary.constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0 && errno != EEXIST)
                break;
        }
        if (fd < 0)
            return failure(path);
        Descriptor file(fd);
        // The lock is taken before the file gets its name, so no other copy
        // of the program ever sees the batch unlocked while it runs. Where
        // the disk has no locks, the batch is written all the same.
        ::flock(file.get(), LOCK_EX | LOCK_NB);
        if (!WriteEachPiece(pieces, [&](const QByteArray& piece) { return WriteAll(file.get(), piece); }) ||
            ::fsync(file.get()) != 0 ||
            ::renameat(folder.get(), temporary.constData(), folder.get(), name.constData()) != 0) {
            const int error = errno;
            ::unlinkat(folder.get(), temporary.constData(), 0);
            errno = error;
            return failure(path);
        }
        if (::fsync(folder.get()) != 0)
            return failure(path);
        release(path);
        m_held.insert(path, file.take());
        return {};
    }

    QString append(const QString& path, const QByteArray& bytes, Step step) override
    {
        return write(path, -1, bytes, step);
    }

    QString overwrite(const QString& path, qint64 offset, const QByteArray& bytes, Step step) override
    {
        return write(path, offset, bytes, step);
    }

    // At `offset`, or at the end for -1.
    QString write(const QString& path, qint64 offset, const QByteArray& bytes, Step step)
    {
        const bool start = step == Step::Start;
        int fd = m_held.value(path, -1);
        if (fd < 0) {
            fd = ::open(EncodeFileName(path).constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0)
                return failure(path);
            if (start)
                ::flock(fd, LOCK_EX | LOCK_NB);
            m_held.insert(path, fd);
        }
        const bool written = (offset < 0 ? ::lseek(fd, 0, SEEK_END) : ::lseek(fd, offset, SEEK_SET)) >= 0 &&
                             WriteAll(fd, bytes) && (!start || ::fsync(fd) == 0);
        const int error = errno;
        if (!start || !written)
            release(path);
        errno = error;
        return written ? QString() : failure(path);
    }

    bool isHeld(const QString& path) override
    {
        if (m_held.contains(path))
            return true;
        Descriptor fd(::open(EncodeFileName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (fd.get() < 0)
            return false;
        if (::flock(fd.get(), LOCK_SH | LOCK_NB) == 0)
            return false; // closing the descriptor drops the probe's lock
        return errno == EWOULDBLOCK;
    }

    FileIdentity identityOf(const QString& path) override
    {
        return IdentityAt(AT_FDCWD, EncodeFileName(path));
    }

    QList<FileIdentity> identitiesIn(const QString& folder, const QList<NameText>& names) override
    {
        // Opened only to look up names in: a folder the user may search but
        // not list still answers.
        const Descriptor at(::open(EncodeFileName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (at.get() < 0)
            return JournalDisk::identitiesIn(folder, names);
        QList<FileIdentity> identities;
        identities.reserve(names.size());
        for (const NameText& name : names)
            identities.append(IdentityAt(at.get(), EncodeFileName(name)));
        return identities;
    }

    QStringList namesIn(const QString& folder) override
    {
        QStringList names;
        DIR* listing = ::opendir(EncodeFileName(folder).constData());
        if (!listing)
            return names;
        while (const dirent* entry = ::readdir(listing)) {
            const QByteArrayView name(entry->d_name);
            if (name != "." && name != "..")
                names.append(DecodeFileName(entry->d_name));
        }
        ::closedir(listing);
        return names;
    }

    RenameOutcome removeExtraName(const QString& keep, const QString& extra) override
    {
        if (!IsSameFile(keep, extra))
            return RenameRefused(RenameProblem::TargetExists, EEXIST);
        if (::unlink(EncodeFileName(extra).constData()) != 0) {
            const int error = errno;
            const bool denied = error == EACCES || error == EPERM;
            return RenameRefused(denied ? RenameProblem::AccessDenied : RenameProblem::Other, error);
        }
        return RenameOutcome::success();
    }

private:
    // Drops this process's lock of a file, if it has one.
    void release(const QString& path)
    {
        const auto held = m_held.constFind(path);
        if (held == m_held.constEnd())
            return;
        ::close(*held);
        m_held.erase(held);
    }

    static QString failure(const QString& path)
    {
        return QStringLiteral("「%1」を書き込めませんでした。%2")
            .arg(path, SystemErrorText(qt_error_string(errno)));
    }

    QHash<QString, int> m_held;
};

} // namespace

std::unique_ptr<JournalDisk> MakeSystemJournalDisk()
{
    return std::make_unique<PosixJournalDisk>();
}
