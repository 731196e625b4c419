#pragma once
// What the Help menu knows about the program: its version, its author line,
// the companion files it looks for beside the executable.

#include <QString>

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

[[nodiscard]] ProgramVersion CurrentVersion();
// What kind of program this is, the same words as in the read-me's title.
[[nodiscard]] QString ProgramKind();
// The kind and the credit, on the version message's first line after the version.
[[nodiscard]] QString AuthorLine();

// The version message: "Quorvane   Ver1.2.3", a TAB and the author line; and,
// when the content-type library is loaded, a second line naming it with its
// version in the "0.00" form (libraryVersion is the version times 100).
[[nodiscard]] QString VersionMessageText(ProgramVersion version, const QString& author,
                                         const QString& libraryName, int libraryVersion);

// The read-me and the updater: beside the executable, or where an install
// puts the read-me (share/quorvane next to bin/), with the system's
// separator. Empty when missing.
[[nodiscard]] QString ReadMePath(const QString& executableFolder);
[[nodiscard]] QString UpdaterPath(const QString& executableFolder);

// The maker's homepage, opened from the Help menu and named in its hint.
[[nodiscard]] QString HomepageAddress();
