#pragma once
// The services the logic needs from the system. Each is a small interface
// implemented in platform/ and replaced by fakes in tests.

#include <QAnyStringView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

// The collation of the user's locale as keys: bytes that compare, byte by
// byte, as the texts compare without regard to case, digit runs as numbers. Where the system has
// none at hand, sorting uses QCollator's own keys.
class CollationKeyWriter {
public:
    virtual ~CollationKeyWriter() = default;
    // Appends the key of `text` to `bytes`.
    virtual void append(QStringView text, std::vector<unsigned char>& bytes) = 0;
};

// One entry of a folder listing, as the system lists it.
struct ListedEntry {
    QString name;
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

struct FolderListing {
    QList<ListedEntry> entries; // in the order the system lists them
    bool unreadable = false;    // the folder could not be opened or read to its end
};

// One entry while a folder is read entry by entry. The name is valid until
// the next entry is asked for; it is UTF-16, or the bytes the system gave
// when they are UTF-8 (so a plain ASCII name needs no conversion at all).
struct FolderEntry {
    QAnyStringView name;
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

// Reads one folder entry by entry, so that a large folder becomes rows
// without a listing of strings in between.
class FolderReader {
public:
    virtual ~FolderReader() = default;
    // The next entry matching the pattern, in listing order; false at the end.
    [[nodiscard]] virtual bool next(FolderEntry& entry) = 0;
    // The folder could not be opened, or reading it stopped before its end.
    [[nodiscard]] virtual bool unreadable() const = 0;
    // About how many entries the folder holds, rather too many than too
    // few; 0 when not known. Room for them is set aside before the rows
    // are made, so a large folder's rows are not copied as their array grows.
    [[nodiscard]] virtual qsizetype sizeHint() const { return 0; }
    // The room set aside for the rows, not touched yet. A system that can
    // back a large range with large pages is asked to: a million rows then
    // cost a few dozen page faults instead of ten thousand.
    virtual void adviseRowRoom(void* begin, size_t bytes) const
    {
        Q_UNUSED(begin);
        Q_UNUSED(bytes);
    }
};

class FolderLister {
public:
    virtual ~FolderLister() = default;
    // Entries of one folder matching a pattern ("*" and "*.*" match every
    // entry). A folder that cannot be read lists nothing and says so.
    [[nodiscard]] virtual FolderListing list(const QString& folder, const QString& pattern) = 0;
    // The same entries one by one. By default read from list(); a system
    // lister streams them.
    [[nodiscard]] virtual std::unique_ptr<FolderReader> open(const QString& folder, const QString& pattern);
    // The keys of the order a scan puts the entries in, the natural order of
    // a header click on the name column; none where QCollator's keys serve.
    [[nodiscard]] virtual std::unique_ptr<CollationKeyWriter> openNameCollation() { return nullptr; }
};

// Result of one rename: success, or the system's code and a reason a user
// understands.
struct RenameOutcome {
    bool ok = false;
    int code = 0;
    QString reason;
    [[nodiscard]] static RenameOutcome success() { return {true, 0, {}}; }
};

class FileRenamer {
public:
    virtual ~FileRenamer() = default;
    // Renames one file or folder inside its folder, never replacing an
    // existing target.
    [[nodiscard]] virtual RenameOutcome rename(const QString& fromPath, const QString& toPath) = 0;
};

// Maps a path to an index of the application-wide icon table. Implementations
// cache per type so that a large folder does not pay a lookup per file.
class IconIndexer {
public:
    virtual ~IconIndexer() = default;
    // For an entry whose kind is already known (a folder listing tells).
    [[nodiscard]] virtual int indexFor(const QString& name, bool directory) = 0;
    // For a bare path: looks at the disk to tell a folder from a file.
    [[nodiscard]] virtual int indexOfPath(const QString& path) = 0;
    // The same for a name given as a view; an icon table that caches by
    // suffix answers without allocating.
    [[nodiscard]] virtual int indexForName(QAnyStringView name, bool directory)
    {
        return indexFor(name.toString(), directory);
    }
    // After a rename: the entry is still what it was (a folder stays a
    // folder), so a table that knows its indexes needs no disk access.
    [[nodiscard]] virtual int indexForRenamed(int oldIndex, const QString& newPath)
    {
        Q_UNUSED(oldIndex);
        return indexOfPath(newPath);
    }
};

class KeyboardState {
public:
    virtual ~KeyboardState() = default;
    [[nodiscard]] virtual bool isShiftDown() const = 0;
};

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Shows the file in the user's file manager, selected where possible.
    virtual void showInFileManager(const QString& path) = 0;
    // Opens a file or address with the program the system associates with it.
    virtual bool open(const QString& pathOrUrl) = 0;
    // Runs a program on its own (not as a child that ends with this one),
    // with no arguments, in `workingFolder`; false, with the system's
    // reason, when it could not be started.
    virtual bool start(const QString& program, const QString& workingFolder, QString* reason) = 0;
};

// A file's value in the detail column with a given Japanese header
// ("タイトル", "トラック番号", "アーティスト", ...), or empty when none of the
// first 41 columns carries that header.
class DetailSource {
public:
    virtual ~DetailSource() = default;
    [[nodiscard]] virtual QString detailByHeader(const QString& folder, const QString& fileName,
                                                 const QString& header) = 0;
    // When the file's picture was taken as its metadata records it (EXIF
    // DateTimeOriginal, else DateTimeDigitized): the clock time of the camera,
    // with its offset from UTC where recorded, else as local time. Invalid
    // when the file records no such date or cannot be read; by default no
    // file records one.
    [[nodiscard]] virtual QDateTime dateTaken(const QString& folder, const QString& fileName);
    // The file's last modification, local time; invalid when it cannot be read.
    [[nodiscard]] virtual QDateTime modificationTime(const QString& folder, const QString& fileName);
};

// Content-type detection: the extensions that fit a file's content as a
// comma-separated list ("jpeg,jpg,jpe,jfif"), "?" when the type is unknown.
class TypeDetector {
public:
    virtual ~TypeDetector() = default;
    [[nodiscard]] virtual bool isAvailable() const = 0;
    [[nodiscard]] virtual QString extensionsOf(const QString& path) = 0;
    // Library version times 100 (544 for 5.44), 0 when not loaded.
    [[nodiscard]] virtual int version() const = 0;
};
