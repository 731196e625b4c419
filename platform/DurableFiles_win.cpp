#include "platform/DurableFiles.h"

#include "core/SystemErrorText.h"
#include "platform/RenameReasons.h"
#include "platform/WindowsPaths.h"

#include <QDir>
#include <QHash>
#include <QRandomGenerator>

namespace {

// The byte the lock covers: far past any journal's end, so that the lock,
// which Windows enforces, never stops a reader of the journal itself.
constexpr DWORD kLockOffsetHigh = 0x40000000;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The type bits a POSIX mode would carry, so that identities read the same
// in the journal on both systems.
constexpr quint32 kKindFolder = 0040000;
constexpr quint32 kKindFile = 0100000;
constexpr quint32 kKindLink = 0120000;

// Told as every other system error is: a missing journal folder reads as a
// missing settings folder does, and as it does on Linux.
QString ErrorText(DWORD error)
{
    return SystemErrorText(qt_error_string(static_cast<int>(error)));
}

QString NameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

QString FolderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('\\')) + 1);
}

bool WriteAll(HANDLE file, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(qMin<qsizetype>(bytes.size() - done, 1 << 30));
        if (!WriteFile(file, bytes.constData() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// Takes the journal's lock without waiting; false when another handle has it.
bool Lock(HANDLE file)
{
    OVERLAPPED at{};
    at.OffsetHigh = kLockOffsetHigh;
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
}

// Opens an existing file for writing, never through a link: a reparse
// point is opened as itself and then refused.
HANDLE OpenForWriting(const QString& path)
{
    ScopedHandle file(CreateFileW(Wide(ExtendedPath(path)), GENERIC_WRITE | GENERIC_READ, kShareAll, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.isValid())
        return INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return file.take();
}

qint64 NanosecondsSinceEpoch(const FILETIME& time)
{
    // FILETIME counts 100-nanosecond steps from 1601-01-01.
    constexpr qint64 kEpochDifference = 116444736000000000LL;
    const qint64 ticks = (qint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return ticks == 0 ? 0 : (ticks - kEpochDifference) * 100;
}

FileIdentity IdentityOf(const QString& path)
{
    const ScopedHandle handle(CreateFileW(Wide(ExtendedPath(path)), 0, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                          nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.isValid() || !GetFileInformationByHandle(handle.get(), &info))
        return {};
    const quint32 kind = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? kKindLink
                         : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0   ? kKindFolder
                                                                                     : kKindFile;
    return {info.dwVolumeSerialNumber, (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow, kind,
            NanosecondsSinceEpoch(info.ftCreationTime)};
}

class WindowsJournalDisk final : public JournalDisk {
public:
    ~WindowsJournalDisk() override
    {
        for (const HANDLE file : std::as_const(m_held))
            CloseHandle(file);
    }

    QString create(const QString& nativePath, const Pieces& pieces) override
    {
        const QString path = QDir::toNativeSeparators(nativePath);
        // A fresh name: CREATE_NEW refuses an existing name or link.
        QString temporary;
        ScopedHandle file;
        for (int attempt = 0; attempt < 16 && !file.isValid(); ++attempt) {
            temporary = FolderOf(path) + QLatin1Char('.') + NameOf(path) + QStringLiteral(".tmp-") +
                        QString::number(QRandomGenerator::global()->generate(), 16);
            file.reset(CreateFileW(Wide(ExtendedPath(temporary)), GENERIC_WRITE | GENERIC_READ, kShareAll,
                                   nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file.isValid() && GetLastError() != ERROR_FILE_EXISTS)
                break;
        }
        if (!file.isValid())
            return failure(path);
        // The lock is taken before the file gets its name, so no other copy
        // of the program ever sees the batch unlocked while it runs.
        Lock(file.get());
        // An old file of that name is let go first: Windows does not
        // replace a file that is open.
        release(path);
        // The rename is written through to the disk before it returns, which
        // stands in for flushing the folder.
        if (!WriteEachPiece(pieces, [&](const QByteArray& piece) { return WriteAll(file.get(), piece); }) ||
            !FlushFileBuffers(file.get()) ||
            !MoveFileExW(Wide(ExtendedPath(temporary)), Wide(ExtendedPath(path)),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = GetLastError();
            file.reset();
            DeleteFileW(Wide(ExtendedPath(temporary)));
            return failure(path, error);
        }
        m_held.insert(path, file.take());
        return {};
    }

    QString append(const QString& path, const QByteArray& bytes, Step step) override
    {
        return write(QDir::toNativeSeparators(path), -1, bytes, step);
    }

    QString overwrite(const QString& path, qint64 offset, const QByteArray& bytes, Step step) override
    {
        return write(QDir::toNativeSeparators(path), offset, bytes, step);
    }

    bool isHeld(const QString& nativePath) override
    {
        const QString path = QDir::toNativeSeparators(nativePath);
        if (m_held.contains(path))
            return true;
        const ScopedHandle probe(CreateFileW(Wide(ExtendedPath(path)), GENERIC_READ, kShareAll, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!probe.isValid())
            return false;
        if (Lock(probe.get())) {
            OVERLAPPED at{};
            at.OffsetHigh = kLockOffsetHigh;
            UnlockFileEx(probe.get(), 0, 1, 0, &at);
            return false;
        }
        return GetLastError() == ERROR_LOCK_VIOLATION;
    }

    FileIdentity identityOf(const QString& path) override { return IdentityOf(path); }

    QStringList namesIn(const QString& folder) override
    {
        QStringList names;
        FolderSearch search(folder, QStringLiteral("*"));
        while (search.next()) {
            const QStringView name = search.name();
            if (name != u"." && name != u"..")
                names.append(name.toString());
        }
        return names;
    }

    RenameOutcome removeExtraName(const QString& keep, const QString& extra) override
    {
        if (!IdentityOf(keep).matches(IdentityOf(extra)))
            return RenameRefused(RenameProblem::TargetExists, ERROR_ALREADY_EXISTS);
        if (!DeleteFileW(Wide(ExtendedPath(extra)))) {
            const DWORD error = GetLastError();
            return RenameRefused(error == ERROR_ACCESS_DENIED ? RenameProblem::AccessDenied
                                                              : RenameProblem::Other,
                                 static_cast<int>(error));
        }
        return RenameOutcome::success();
    }

private:
    // At `offset`, or at the end for -1.
    QString write(const QString& path, qint64 offset, const QByteArray& bytes, Step step)
    {
        const bool start = step == Step::Start;
        HANDLE file = m_held.value(path, INVALID_HANDLE_VALUE);
        if (file == INVALID_HANDLE_VALUE) {
            file = OpenForWriting(path);
            if (file == INVALID_HANDLE_VALUE)
                return failure(path);
            if (start)
                Lock(file);
            m_held.insert(path, file);
        }
        LARGE_INTEGER at{};
        at.QuadPart = offset < 0 ? 0 : offset;
        const bool written = SetFilePointerEx(file, at, nullptr, offset < 0 ? FILE_END : FILE_BEGIN) &&
                             WriteAll(file, bytes) && (!start || FlushFileBuffers(file));
        const DWORD error = GetLastError();
        if (!start || !written)
            release(path);
        return written ? QString() : failure(path, error);
    }

    // Drops this process's hold of a file, if it has one.
    void release(const QString& path)
    {
        const auto held = m_held.constFind(path);
        if (held == m_held.constEnd())
            return;
        CloseHandle(*held);
        m_held.erase(held);
    }

    static QString failure(const QString& path, DWORD error = GetLastError())
    {
        return QStringLiteral("「%1」を書き込めませんでした。%2").arg(path, ErrorText(error));
    }

    QHash<QString, HANDLE> m_held;
};

} // namespace

std::unique_ptr<JournalDisk> MakeSystemJournalDisk()
{
    return std::make_unique<WindowsJournalDisk>();
}
