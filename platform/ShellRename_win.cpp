#include "platform/ShellRename.h"

#include "core/CaseStepName.h"
#include "platform/RenameReasons.h"
#include "platform/WindowsPaths.h"

#include <QDir>

namespace {

const QChar kBackslash(QLatin1Char('\\'));

bool IsFolder(const QString& path)
{
    const DWORD attributes = GetFileAttributesW(Wide(ExtendedPath(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
    case ERROR_PATH_NOT_FOUND:
        return IsFolder(folder) ? RenameProblem::SourceMissing : RenameProblem::FolderMissing;
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

// No flags: never replace an existing target and never copy to another
// volume. 0 or the system's error code.
DWORD Move(const QString& from, const QString& to)
{
    if (MoveFileExW(Wide(ExtendedPath(from)), Wide(ExtendedPath(to)), 0))
        return ERROR_SUCCESS;
    return GetLastError();
}

// The volume and file index of an entry, not what a link there points to.
bool Identify(const QString& path, BY_HANDLE_FILE_INFORMATION& info)
{
    const ScopedHandle handle(CreateFileW(
        Wide(ExtendedPath(path)), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return handle.isValid() && GetFileInformationByHandle(handle.get(), &info);
}

bool IsSameFile(const QString& a, const QString& b)
{
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return Identify(a, first) && Identify(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

RenameOutcome Failed(DWORD error, const QString& from)
{
    // With its separator, so that a drive root reads C:\ rather than the
    // drive's current folder C:.
    const QString folder = from.left(from.lastIndexOf(kBackslash) + 1);
    return RenameRefused(ProblemOfError(error, folder), static_cast<int>(error));
}

// Whether the folder lists the entry at `path` with the very spelling of its
// name: a layer that folds case may answer a case-only rename with success
// and leave the old spelling.
bool IsStoredAs(const QString& path)
{
    const qsizetype separator = path.lastIndexOf(kBackslash) + 1;
    FolderSearch search(path.left(separator), path.mid(separator));
    return !search.next() || search.name() == QStringView(path).mid(separator);
}

// NTFS renames a.txt to A.TXT in one step; a volume or a layer that finds
// the file itself under its new spelling and calls that a collision gets
// the change through a temporary name that recovery can derive from the
// two names.
RenameOutcome RenameThroughTemporary(const QString& from, const QString& to)
{
    const qsizetype separator = from.lastIndexOf(kBackslash) + 1;
    const QString folder = from.left(separator);
    const QString fromName = from.mid(separator);
    const QString toName = to.mid(to.lastIndexOf(kBackslash) + 1);
    QString temporary;
    DWORD first = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < kCaseStepAttempts && first == ERROR_ALREADY_EXISTS; ++attempt) {
        temporary = folder + CaseStepTemporaryName(fromName, toName, attempt);
        first = Move(from, temporary);
        if (first == ERROR_FILE_EXISTS)
            first = ERROR_ALREADY_EXISTS;
    }
    if (first != ERROR_SUCCESS)
        return Failed(first, from);
    const DWORD second = Move(temporary, to);
    if (second == ERROR_SUCCESS)
        return RenameOutcome::success();
    if (Move(temporary, from) == ERROR_SUCCESS)
        return Failed(second, from);
    const QString why = Failed(second, from).reason;
    return {false, static_cast<int>(second),
            StrandedTemporaryText(TemporaryStep::CaseChange, temporary.mid(separator), why)};
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

    const DWORD error = Move(from, to);
    if (error == ERROR_SUCCESS)
        return IsStoredAs(to) ? RenameOutcome::success() : RenameThroughTemporary(from, to);
    if ((error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) && IsSameFile(from, to))
        return RenameThroughTemporary(from, to);
    return Failed(error, from);
}
