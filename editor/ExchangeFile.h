#pragma once
// The exchange file of the editor round trip: the current names go out one
// per line, the edited lines come back as new names.

#include "core/FileTrust.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLockFile;

// Writes the names, each followed by CR LF (the last one too), as UTF-8,
// replacing whatever the file held, and returns the bytes written. A
// byte-order mark goes first when asked (Windows editors need it to read
// UTF-8), and also when the first name itself starts with U+FEFF, which a
// reader would otherwise take for the mark. A new file is readable by its
// owner alone. Throws CommandError, before anything is written, when a name
// holds a line break (it would shift every following line onto the wrong
// row), when the path is a symbolic link, and when the file cannot be written.
QByteArray WriteExchangeFile(const QString& path, const QStringList& names, bool byteOrderMark);

// The saved text as it comes back.
struct ExchangeText {
    enum class Status { Ok, Unreadable, NotUtf8, Untrusted };
    Status status = Status::Unreadable;
    QStringList lines;
    FileTrust trust = FileTrust::Missing; // why an Untrusted file was not read
    QByteArray bytes;                     // the file's bytes as read
};

// Splits saved bytes into lines. CR LF, a lone LF and a lone CR each end a
// line, and a CR directly before CR LF belongs to that line end (text that
// went through two line-end conversions); a line end at the very end adds no
// empty line; one leading byte-order mark is dropped, a second one is text.
// Bytes that are not UTF-8 give NotUtf8 rather than names full of
// replacement characters.
[[nodiscard]] ExchangeText ExchangeLinesFromBytes(const QByteArray& bytes);
// Reads the file only when it is the user's own (CheckUserFile); a missing or
// unreadable one gives Unreadable, any other gives Untrusted.
[[nodiscard]] ExchangeText ReadExchangeFile(const QString& path);

// The file's last-modified time in milliseconds since the epoch, as finely as
// the file system keeps it; nothing when the file is missing.
[[nodiscard]] std::optional<qint64> ExchangeStamp(const QString& path);

// The exchange file of one round trip. Each window takes a name of its own,
// so that two windows never read each other's names: the preferred one
// (ReName.txt) when no other window holds it, else the first free
// "ReName-2.txt", "ReName-3.txt", ... beside it. A name is held through a
// lock file from claim() until release(); a name whose file is not the user's
// own is passed over. release() removes the file.
class ExchangeFileClaim {
public:
    ExchangeFileClaim();
    ~ExchangeFileClaim();
    ExchangeFileClaim(const ExchangeFileClaim&) = delete;
    ExchangeFileClaim& operator=(const ExchangeFileClaim&) = delete;

    // Throws CommandError when no name can be held.
    void claim(const QString& preferredPath);
    void release();
    // The claimed file; empty when none is held.
    [[nodiscard]] const QString& path() const { return m_path; }

private:
    std::unique_ptr<QLockFile> m_lock;
    QString m_path;
};
