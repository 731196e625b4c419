#pragma once
// Why a rename did not happen, in words a user understands. The system's own
// code travels beside the text in RenameOutcome; the texts are shared by every
// platform so that a refused rename reads the same everywhere.

#include "core/Services.h"

#include <QChar>
#include <QString>

#include <optional>

enum class RenameProblem {
    TargetExists,
    AccessDenied,      // no permission for this file or folder (a locked file, say)
    FolderNotWritable, // the folder holding it allows no changes
    OwnedByOther,      // a folder where only owners may rename (sticky bit), another user's file
    NameTooLong,
    PathTooLong, // the name fits, the whole path does not
    SourceMissing,
    FolderMissing,
    InUse,
    DotEntry,   // "." or "..": names of folders as seen from inside, not entries of their own
    MountPoint, // a folder another drive is attached to
    ReadOnlyVolume,
    NoSpace,
    OtherDevice,
    InvalidName,
    ReservedName,
    TrailingDotOrSpace,
    NoSafeRename, // the file system can neither refuse to replace nor link
    Other,
};

// The text for one problem; `code` is shown only for problems without a text
// of their own.
[[nodiscard]] QString RenameReasonText(RenameProblem problem, int code = 0);
[[nodiscard]] RenameOutcome RenameRefused(RenameProblem problem, int code);

// A rename by link and unlink could not remove either name again.
[[nodiscard]] QString BothNamesLeftText(const QString& fromPath, const QString& toPath, const QString& why);
// A rename by link and unlink found another file under the old name before
// the unlink (another program saved meanwhile): the new name was taken away
// again, or, when that failed, is left at `leftoverPath` with the version
// from before that save.
[[nodiscard]] QString ReplacedDuringRenameText(const QString& leftoverPath);
// The rename succeeded, but by checking first and renaming after, because the
// file system does not refuse to replace a folder by itself.
[[nodiscard]] QString NotAtomicText();

// Problems with the target that are clear before the system is asked: the
// target must be a plain name inside the source's own folder. A name holding
// the separator would move the file elsewhere, a NUL character would cut the
// name short on its way to the system, "." and ".." are not names.
[[nodiscard]] std::optional<RenameProblem> TargetPathProblem(const QString& fromPath, const QString& toPath,
                                                             QChar sep);
// Names Windows refuses or mangles: reserved device names (CON, NUL, COM1 ...,
// also with an extension), a trailing dot or space, and the characters
// <>:"/\|?* and control characters.
[[nodiscard]] std::optional<RenameProblem> WindowsNameProblem(const QString& name);
