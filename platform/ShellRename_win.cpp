#include "platform/ShellRename.h"

#include "platform/RenameReasons.h"

#include <QDir>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

const QChar kBackslash(QLatin1Char('\\'));

// The extended-length form: no length limit of 260 characters, and the name
// reaches the file system as given (no trimming of dots and spaces, which is
// why such names are refused before).
QString ExtendedPath(const QString& path)
{
    QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(QLatin1String("\\\\?\\")))
        return native;
    if (!QDir::isAbsolutePath(native))
        native = QDir::toNativeSeparators(QDir::current().absoluteFilePath(native));
    native = QDir::toNativeSeparators(QDir::cleanPath(native));
    if (native.startsWith(QLatin1String("\\\\")))
        return QString(QStringLiteral("\\\\?\\UNC\\") + native.mid(2));
    return QString(QStringLiteral("\\\\?\\") + native);
}

RenameProblem ProblemOfError(DWORD error, const QString& folder)
{
    switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return RenameProblem::TargetExists;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return RenameProblem::AccessDenied;
    case ERROR_FILENAME_EXCED_RANGE:
        return RenameProblem::NameTooLong;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: {
        const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(ExtendedPath(folder).utf16()));
        const bool folderExists =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        return folderExists ? RenameProblem::SourceMissing : RenameProblem::FolderMissing;
    }
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_BUSY:
        return RenameProblem::InUse;
    case ERROR_WRITE_PROTECT:
        return RenameProblem::ReadOnlyVolume;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return RenameProblem::NoSpace;
    case ERROR_NOT_SAME_DEVICE:
        return RenameProblem::OtherDevice;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return RenameProblem::InvalidName;
    default:
        return RenameProblem::Other;
    }
}

} // namespace

RenameOutcome ShellRename(const QString& fromPath, const QString& toPath)
{
    WindowsFileRenamer renamer;
    return renamer.rename(fromPath, toPath);
}

RenameOutcome WindowsFileRenamer::rename(const QString& fromPath, const QString& toPath)
{
    const QString from = QDir::toNativeSeparators(fromPath);
    const QString to = QDir::toNativeSeparators(toPath);
    if (const auto problem = TargetPathProblem(from, to, kBackslash))
        return RenameRefused(*problem, ERROR_INVALID_NAME);
    if (const auto problem = WindowsNameProblem(to.mid(to.lastIndexOf(kBackslash) + 1)))
        return RenameRefused(*problem, ERROR_INVALID_NAME);

    // No flags: never replace an existing target and never copy to another
    // volume. A case-only rename of the same file is allowed by the system.
    const QString extendedFrom = ExtendedPath(from);
    const QString extendedTo = ExtendedPath(to);
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(extendedFrom.utf16()),
                    reinterpret_cast<LPCWSTR>(extendedTo.utf16()), 0))
        return RenameOutcome::success();
    const DWORD error = GetLastError();
    // With its separator, so that a drive root reads C:\ rather than the
    // drive's current folder C:.
    const QString folder = from.left(from.lastIndexOf(kBackslash) + 1);
    return RenameRefused(ProblemOfError(error, folder), static_cast<int>(error));
}
