#pragma once
// File names as this system stores them: bytes, mostly UTF-8. A name that is
// not valid UTF-8 (written by an old archiver or a Shift_JIS system) still
// becomes text that round trips: each byte that is not part of a valid UTF-8
// sequence is kept as the lone surrogate U+DC80..U+DCFF, which no valid name
// can hold. Every call that hands a name to the system goes through
// EncodeFileName, so the file is addressed by its exact bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class NameText;
class QUrl;

// The bytes of a name or path: UTF-8, and each kept byte as itself.
[[nodiscard]] QByteArray EncodeFileName(QStringView text);
[[nodiscard]] QByteArray EncodeFileName(const NameText& text);
[[nodiscard]] inline QByteArray EncodeFileName(const QString& text)
{
    return EncodeFileName(QStringView(text));
}
// The text of a name or path read from the system; never fails, and
// EncodeFileName(DecodeFileName(bytes)) == bytes for every input.
[[nodiscard]] QString DecodeFileName(QByteArrayView bytes);
// The same as a row's text; an ASCII name goes straight from its bytes.
[[nodiscard]] NameText DecodeFileNameText(QByteArrayView bytes);
// True when the text holds a byte that was not valid UTF-8: such a name can
// be addressed, but not shown or typed as it is.
[[nodiscard]] bool HasStrayBytes(QStringView text);
[[nodiscard]] bool HasStrayBytes(const NameText& text);
[[nodiscard]] inline bool HasStrayBytes(const QString& text)
{
    return HasStrayBytes(QStringView(text));
}

// The local path a dropped file's URL names, its bytes kept: a file manager
// percent-encodes the bytes of a name that is not UTF-8, and QUrl's own
// toLocalFile() would turn them into replacement characters.
[[nodiscard]] QString LocalPathOfUrl(const QUrl& url);

// Why a rename refuses a new name that still holds such a byte: the user saw
// it as a replacement character, so its bytes were never the user's choice.
[[nodiscard]] QString StrayBytesText();
