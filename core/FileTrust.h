#pragma once
// Whether a file the program reads from the settings folder, or a program it
// starts from beside the executable, may be believed. Whoever can write such
// a file decides what the program does (which editor it starts, which files
// it renames), so only the user's own files count: a file another account
// owns or may change, or a symbolic link that anyone could have pointed
// elsewhere, is left alone.
//
// A file is opened first, never through a symbolic link and without waiting
// on a pipe, and the checks look at what was opened; its bytes are read from
// that same descriptor, so nobody can swap another file in between the check
// and the read. The checks go through a probe that tests replace (the suite
// runs as root, where every file is the current user's).

#include <QString>

#include <functional>

// What the checks look at, taken without following a symbolic link.
struct FileFacts {
    bool exists = false;
    bool symbolicLink = false;
    bool regularFile = false;
    bool folder = false;
    uint owner = 0;
    bool writableByGroupOrOthers = false;
    bool read = false; // the contents were asked for and read whole
};

// The owner QFileInfo reports where files have none (Windows). A probe whose
// current user is kNoOwner checks what kind of file is there and whether
// others may write it, never its owner.
inline constexpr uint kNoOwner = static_cast<uint>(-2);
inline constexpr uint kRootUser = 0;

struct FileTrustProbe {
    // What `path` is, opened once. When `contents` is given and the file is
    // a regular one of at most `maxBytes`, its bytes are read through the
    // same descriptor (FileFacts::read).
    std::function<FileFacts(const QString& path, QByteArray* contents, qint64 maxBytes)> factsOf;
    uint currentUser = kNoOwner;
};

// The real file system, and the user this process acts as.
[[nodiscard]] FileTrustProbe SystemFileTrustProbe();
// False where files have no owners (the probe's current user is kNoOwner).
[[nodiscard]] bool FilesHaveOwners();
#ifdef Q_OS_WIN
// Whether the folder's access list lets a group beyond the user, the
// administrators and the system (Everyone, Users, Authenticated Users ...)
// create or change files in it.
[[nodiscard]] bool OthersMayWriteIn(const QString& folder);
#endif

// Replaces the probe of every check below for as long as it lives.
class ScopedFileTrustProbe {
public:
    explicit ScopedFileTrustProbe(FileTrustProbe probe);
    ~ScopedFileTrustProbe();
    ScopedFileTrustProbe(const ScopedFileTrustProbe&) = delete;
    ScopedFileTrustProbe& operator=(const ScopedFileTrustProbe&) = delete;

private:
    FileTrustProbe m_previous;
};

enum class FileTrust {
    Missing, // nothing there: not a reason to complain, the caller uses its defaults
    Trusted,
    SymbolicLink,
    NotRegular, // a folder, a pipe, a device (or a file where a folder belongs)
    OtherOwner,
    WritableByOthers, // group or others may write it
};

// A file the program reads from the settings folder: setting.ini, the editor
// exchange file, the rename journal. Trusted only when it is a regular file
// (not a symbolic link) owned by the current user and not writable by group
// or others. Callers read the file only when this says Trusted, and otherwise
// ignore it (ReportIgnoredFile) and never write over it.
[[nodiscard]] FileTrust CheckUserFile(const QString& path);
// A user file's bytes, read from what the check looked at: empty unless
// `trust` is Trusted and `read` (a file larger than `maxBytes` is not read).
struct UserFileBytes {
    FileTrust trust = FileTrust::Missing;
    bool read = false;
    QByteArray bytes;
};
[[nodiscard]] UserFileBytes ReadUserFile(const QString& path, qint64 maxBytes);
// The same rules for a folder: the settings folder, the journal folder, a
// portable copy's folder.
[[nodiscard]] FileTrust CheckUserFolder(const QString& path);
// A program started from beside the executable (the updater): like a user
// file, but root may own it too, as it owns an installed copy; and so must
// its folder be, so that nobody else can put another program in its place.
[[nodiscard]] FileTrust CheckProgramFile(const QString& path);
// CheckUserFile(path) == FileTrust::Trusted.
[[nodiscard]] bool IsTrustedUserFile(const QString& path);

// Why a file is not trusted, in Japanese for status panel 1 ("ほかのユーザーの
// ファイルです"); empty for Missing and Trusted.
[[nodiscard]] QString DistrustText(FileTrust trust);
// What the user can do about the file at `path`, as a sentence ("「chmod 600
// …」を実行して、自分だけが書き込めるようにしてください。"); empty for
// Missing and Trusted.
[[nodiscard]] QString DistrustRemedyText(FileTrust trust, const QString& path);
// Why a folder the program keeps its files in is not used, and what to do,
// in Japanese: "設定フォルダ「…」はほかのユーザーも書き込めるため使いません。…".
[[nodiscard]] QString FolderRefusalText(const QString& role, const QString& folder, FileTrust trust);
// One line on stderr: "quorvane: ignoring PATH: owned by another user".
void ReportIgnoredFile(const QString& path, FileTrust trust);
