#include "platform/ShellRename.h"

#include "core/CaseStepName.h"
#include "core/NameBytes.h"
#include "core/Paths.h"
#include "platform/RenameReasons.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int ErrnoOf(int result)
{
    return result == 0 ? 0 : errno;
}

// The answers of a file system that does not know the no-replace flag (NFS,
// many FUSE file systems) rather than a refusal of this rename.
bool RefusesTheFlag(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTTY;
}

// linkat answers these where the file system has no hard links at all or
// will not link this file.
bool CannotLink(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOTSUP || error == EMLINK;
}

RenameOutcome Failed(int error)
{
    return {false, error, {}};
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray(slash == 0 ? "/" : ".") : path.left(slash);
}

RenameProblem ProblemOfErrno(int error)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
    case EISDIR:
        return RenameProblem::TargetExists;
    case EACCES:
        return RenameProblem::FolderNotWritable;
    case EPERM:
        return RenameProblem::AccessDenied;
    case ENAMETOOLONG:
        return RenameProblem::NameTooLong;
    case ENOENT:
        return RenameProblem::SourceMissing;
    case ENOTDIR:
        return RenameProblem::FolderMissing;
    case EBUSY:
    case ETXTBSY:
        return RenameProblem::InUse;
    case EROFS:
        return RenameProblem::ReadOnlyVolume;
    case ENOSPC:
    case EDQUOT:
        return RenameProblem::NoSpace;
    case EXDEV:
        return RenameProblem::OtherDevice;
    case EINVAL:
    case EILSEQ:
        return RenameProblem::InvalidName;
    default:
        return RenameProblem::Other;
    }
}

QByteArray NameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// A refusal in a folder where only owners may rename (/tmp, shared folders):
// the folder is writable, the file belongs to someone else.
bool IsOthersFileInStickyFolder(PosixRenameCalls& calls, const QByteArray& from)
{
    PathFacts folder;
    PathFacts file;
    if (calls.identify(FolderOf(from).constData(), folder) != 0 ||
        calls.identify(from.constData(), file) != 0)
        return false;
    const quint32 me = calls.currentUser();
    return folder.sticky && file.owner != me && folder.owner != me;
}

// The system says "name too long" also for a path beyond its limit whose
// every name is short.
RenameProblem LongNameOrPath(PosixRenameCalls& calls, const QByteArray& from, const QByteArray& to)
{
    long limit = calls.nameMax(FolderOf(from).constData());
    if (limit <= 0)
        limit = NAME_MAX;
    for (const QByteArray& path : {from, to}) {
        if (NameOf(path).size() > limit)
            return RenameProblem::NameTooLong;
    }
    const bool pathTooLong = qMax(from.size(), to.size()) >= PATH_MAX;
    return pathTooLong ? RenameProblem::PathTooLong : RenameProblem::NameTooLong;
}

// "Busy" is also the answer for "." and "..", and for a folder that another
// file system is mounted on; neither is a file some program has open.
RenameProblem BusyEntry(PosixRenameCalls& calls, const QByteArray& from)
{
    const QByteArray name = NameOf(from);
    if (name == "." || name == "..")
        return RenameProblem::DotEntry;
    PathFacts entry;
    PathFacts folder;
    if (calls.identify(from.constData(), entry) == 0 && entry.directory &&
        calls.identify(FolderOf(from).constData(), folder) == 0 && entry.device != folder.device)
        return RenameProblem::MountPoint;
    return RenameProblem::InUse;
}

} // namespace

int PosixRenameCalls::renameNoReplace(const char* from, const char* to)
{
    return ErrnoOf(::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
}

int PosixRenameCalls::renameReplacing(const char* from, const char* to)
{
    return ErrnoOf(::renameat(AT_FDCWD, from, AT_FDCWD, to));
}

int PosixRenameCalls::link(const char* from, const char* to)
{
    return ErrnoOf(::linkat(AT_FDCWD, from, AT_FDCWD, to, 0));
}

int PosixRenameCalls::unlink(const char* path)
{
    return ErrnoOf(::unlinkat(AT_FDCWD, path, 0));
}

int PosixRenameCalls::identify(const char* path, PathFacts& identity)
{
    struct stat info {};
    if (::lstat(path, &info) != 0)
        return errno;
    identity.device = static_cast<quint64>(info.st_dev);
    identity.inode = static_cast<quint64>(info.st_ino);
    identity.directory = S_ISDIR(info.st_mode);
    identity.owner = static_cast<quint32>(info.st_uid);
    identity.sticky = (info.st_mode & S_ISVTX) != 0;
    return 0;
}

quint32 PosixRenameCalls::currentUser()
{
    return static_cast<quint32>(::geteuid());
}

long PosixRenameCalls::nameMax(const char* folder)
{
    return ::pathconf(folder, _PC_NAME_MAX);
}

namespace {
PosixRenameCalls& SystemCalls()
{
    static PosixRenameCalls calls;
    return calls;
}
} // namespace

PosixFileRenamer::PosixFileRenamer()
    : m_calls(SystemCalls())
{}

RenameOutcome ShellRename(const QString& fromPath, const QString& toPath)
{
    PosixFileRenamer renamer;
    return renamer.rename(fromPath, toPath);
}

RenameOutcome PosixFileRenamer::rename(const QString& fromPath, const QString& toPath)
{
    if (const auto problem = TargetPathProblem(fromPath, toPath, QLatin1Char('/')))
        return RenameRefused(*problem, EINVAL);

    const QByteArray from = EncodeFileName(fromPath);
    const QByteArray to = EncodeFileName(toPath);
    RenameOutcome outcome = move(from, to);
    // A file system that folds case finds the file itself under its new
    // spelling; only then does the rename go through a temporary name.
    if (!outcome.ok && outcome.code == EEXIST && outcome.reason.isEmpty() && isSameFile(from, to))
        outcome = renameThroughTemporary(from, to, FileNameOf(fromPath, QLatin1Char('/')),
                                         FileNameOf(toPath, QLatin1Char('/')));
    return explained(std::move(outcome), from, to);
}

RenameOutcome PosixFileRenamer::move(const QByteArray& from, const QByteArray& to)
{
    const int error = m_calls.renameNoReplace(from.constData(), to.constData());
    if (error == 0)
        return RenameOutcome::success();
    if (!RefusesTheFlag(error))
        return Failed(error);

    PathFacts source;
    if (const int missing = m_calls.identify(from.constData(), source))
        return Failed(missing);
    if (source.directory)
        return moveAfterCheck(from, to, error);
    return moveByLink(from, to, error, source);
}

RenameOutcome PosixFileRenamer::moveByLink(const QByteArray& from, const QByteArray& to, int refusal,
                                           const PathFacts& source)
{
    // The link fails when the target exists, which is the no-replace test;
    // for a moment the file has both names and then only the new one.
    if (const int error = m_calls.link(from.constData(), to.constData())) {
        // Without links there is no rename that cannot replace: refuse
        // rather than risk a file. (A refused flag may also have been a
        // refused name, hence the text covers both.)
        return CannotLink(error) ? RenameRefused(RenameProblem::NoSafeRename, refusal) : Failed(error);
    }
    // Another program may have saved under the old name meanwhile (a save
    // that renames its new file over the old one): the old name then leads
    // to that new version, which the unlink would delete. Checked right
    // before the unlink; the moment between the two stays, but shrinks from
    // the whole link to one call.
    if (!isFile(from, source)) {
        const bool linkRemoved = isFile(to, source) && m_calls.unlink(to.constData()) == 0;
        return {false, EAGAIN, ReplacedDuringRenameText(linkRemoved ? QString() : DecodeFileName(to))};
    }
    const int unlinkError = m_calls.unlink(from.constData());
    if (unlinkError == 0)
        return RenameOutcome::success();

    // Take the new name away again, but only while it still is our file.
    const bool stillOurs = isFile(from, source) && isFile(to, source);
    if (stillOurs && m_calls.unlink(to.constData()) == 0)
        return Failed(unlinkError);
    const QString why = RenameReasonText(ProblemOfErrno(unlinkError), unlinkError);
    return {false, unlinkError, BothNamesLeftText(DecodeFileName(from), DecodeFileName(to), why)};
}

RenameOutcome PosixFileRenamer::moveAfterCheck(const QByteArray& from, const QByteArray& to, int refusal)
{
    // A folder cannot be hard-linked. A plain rename replaces only an empty
    // folder that appears between the check and the rename (a file or a
    // folder with contents makes it fail), so nothing with contents is lost.
    PathFacts target;
    const int lookup = m_calls.identify(to.constData(), target);
    if (lookup == 0)
        return Failed(EEXIST);
    if (lookup != ENOENT)
        return Failed(lookup);
    if (const int error = m_calls.renameReplacing(from.constData(), to.constData()))
        return Failed(error);
    return {true, refusal, NotAtomicText()};
}

bool PosixFileRenamer::isFile(const QByteArray& path, const PathFacts& identity)
{
    PathFacts found;
    return m_calls.identify(path.constData(), found) == 0 && found.device == identity.device &&
           found.inode == identity.inode;
}

bool PosixFileRenamer::isSameFile(const QByteArray& a, const QByteArray& b)
{
    PathFacts first;
    PathFacts second;
    return m_calls.identify(a.constData(), first) == 0 && m_calls.identify(b.constData(), second) == 0 &&
           first.device == second.device && first.inode == second.inode;
}

RenameOutcome PosixFileRenamer::renameThroughTemporary(const QByteArray& from, const QByteArray& to,
                                                       const QString& fromName, const QString& toName)
{
    QByteArray folder = FolderOf(from);
    if (!folder.endsWith('/'))
        folder += '/';
    // Names recovery can find again from the two names alone.
    QByteArray temporary;
    RenameOutcome first = Failed(EEXIST);
    for (int attempt = 0;
         attempt < kCaseStepAttempts && !first.ok && first.code == EEXIST && first.reason.isEmpty();
         ++attempt) {
        temporary = folder + EncodeFileName(CaseStepTemporaryName(fromName, toName, attempt));
        first = move(from, temporary);
    }
    if (!first.ok)
        return first;

    RenameOutcome second = move(temporary, to);
    if (second.ok)
        return first.reason.isEmpty() ? second : first;
    if (move(temporary, from).ok)
        return second;
    const QString why = explained(second, from).reason;
    return {false, second.code,
            StrandedTemporaryText(TemporaryStep::CaseChange, DecodeFileName(temporary), why)};
}

RenameOutcome PosixFileRenamer::explained(RenameOutcome outcome, const QByteArray& from, const QByteArray& to)
{
    if (outcome.ok || !outcome.reason.isEmpty())
        return outcome;
    RenameProblem problem = ProblemOfErrno(outcome.code);
    switch (outcome.code) {
    case ENOENT: {
        PathFacts folder;
        if (m_calls.identify(FolderOf(from).constData(), folder) != 0 || !folder.directory)
            problem = RenameProblem::FolderMissing;
        break;
    }
    case EPERM:
        // Only "not permitted" comes from the sticky rule; "access denied"
        // means the folder itself takes no changes, sticky or not.
        if (IsOthersFileInStickyFolder(m_calls, from))
            problem = RenameProblem::OwnedByOther;
        break;
    case ENAMETOOLONG:
        problem = LongNameOrPath(m_calls, from, to);
        break;
    case EBUSY:
        problem = BusyEntry(m_calls, from);
        break;
    default:
        break;
    }
    outcome.reason = RenameReasonText(problem, outcome.code);
    return outcome;
}
