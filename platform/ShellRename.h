#pragma once
// One rename of one file or folder inside its folder that never replaces an
// existing target and never copies. Success, or the system's code and a
// reason a user understands.

#include "core/Services.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Renames with the system's own calls; fromPath and toPath are full paths in
// the same folder.
[[nodiscard]] RenameOutcome ShellRename(const QString& fromPath, const QString& toPath);

#ifdef Q_OS_WIN

class WindowsFileRenamer final : public FileRenamer {
public:
    [[nodiscard]] RenameOutcome rename(const QString& fromPath, const QString& toPath) override;
};
using SystemFileRenamer = WindowsFileRenamer;

#else

// What the rename needs to know about an existing path.
struct PathFacts {
    quint64 device = 0;
    quint64 inode = 0;
    bool directory = false;
    // What explains a refusal: in a sticky folder only the owners of the
    // file or of the folder may rename.
    quint32 owner = 0;
    bool sticky = false;
};

// The system calls a rename is built from, each answering 0 or an errno
// value. Tests derive from it to make the disk answer as a network or
// case-folding file system would.
class PosixRenameCalls {
public:
    virtual ~PosixRenameCalls() = default;
    virtual int renameNoReplace(const char* from, const char* to); // renameat2(RENAME_NOREPLACE)
    virtual int renameReplacing(const char* from, const char* to); // renameat, may replace
    virtual int link(const char* from, const char* to);            // linkat, never follows links
    virtual int unlink(const char* path);                          // unlinkat of a file
    virtual int identify(const char* path, PathFacts& identity);   // lstat
    virtual quint32 currentUser();                                 // geteuid
    virtual long nameMax(const char* folder);                      // pathconf(_PC_NAME_MAX), -1 unknown
};

class PosixFileRenamer final : public FileRenamer {
public:
    PosixFileRenamer();
    explicit PosixFileRenamer(PosixRenameCalls& calls)
        : m_calls(calls)
    {}

    [[nodiscard]] RenameOutcome rename(const QString& fromPath, const QString& toPath) override;

private:
    // A no-replace move between two names of one folder. On failure the
    // reason is left empty unless the failure needs words of its own.
    RenameOutcome move(const QByteArray& from, const QByteArray& to);
    // `refusal` is the answer that refused the no-replace flag.
    RenameOutcome moveByLink(const QByteArray& from, const QByteArray& to, int refusal,
                             const PathFacts& source);
    RenameOutcome moveAfterCheck(const QByteArray& from, const QByteArray& to, int refusal);
    // Through a temporary name derived from the two names (see CaseStepName.h).
    RenameOutcome renameThroughTemporary(const QByteArray& from, const QByteArray& to,
                                         const QString& fromName, const QString& toName);
    bool isSameFile(const QByteArray& a, const QByteArray& b);
    // `path` still leads to the file `identity` describes.
    bool isFile(const QByteArray& path, const PathFacts& identity);
    // Puts the reason into a failure that has none yet; `to` helps tell a
    // long name from a long path.
    RenameOutcome explained(RenameOutcome outcome, const QByteArray& from, const QByteArray& to = {});

    PosixRenameCalls& m_calls;
};
using SystemFileRenamer = PosixFileRenamer;

#endif
