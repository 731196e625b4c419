#pragma once
// The exchange file of the editor round trip: the current names go out one
// per line, the edited lines come back as new names.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Writes the names, each followed by CR LF (the last one too), as UTF-8,
// replacing whatever the file held. A byte-order mark goes first when asked
// (Windows editors need it to read UTF-8). Throws CommandError, before
// anything is written, when a name holds a line break (it would shift every
// following line onto the wrong row), and when the file cannot be written.
void WriteExchangeFile(const QString& path, const QStringList& names, bool byteOrderMark);

// The saved text as it comes back.
struct ExchangeText {
    enum class Status { Ok, Unreadable, NotUtf8 };
    Status status = Status::Unreadable;
    QStringList lines;
};

// Splits saved bytes into lines. CR LF, a lone LF and a lone CR each end a
// line; a line end at the very end adds no empty line; a leading byte-order
// mark is dropped. Bytes that are not UTF-8 give NotUtf8 rather than names
// full of replacement characters.
[[nodiscard]] ExchangeText ExchangeLinesFromBytes(const QByteArray& bytes);
[[nodiscard]] ExchangeText ReadExchangeFile(const QString& path);

// The file's last-modified time in whole seconds since the epoch, the
// resolution at which a save is noticed; nothing when the file is missing.
[[nodiscard]] std::optional<qint64> ExchangeStamp(const QString& path);
