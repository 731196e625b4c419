#pragma once
// Names written by systems that did not use UTF-8: CP932 (Shift_JIS as
// Windows writes it) and EUC-JP, the two a Japanese user meets in old
// archives, shares and disks.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

enum class LegacyEncoding { Automatic, Cp932, EucJp };

// True when this system converts from both encodings (LegacyCodePages.h).
[[nodiscard]] bool CanReadLegacyNames();
// The bytes read as `encoding`, or nothing when they are not valid in it.
// Automatic takes whichever of the two reads without error and reads more
// like Japanese (kana count more than kanji, half-width punctuation counts
// against), CP932 on a tie, and nothing unless the result holds kana or kanji.
[[nodiscard]] std::optional<QString> DecodeLegacyName(QByteArrayView bytes, LegacyEncoding encoding);
// The name as the list shows it: itself when it is valid text, otherwise its
// bytes read as CP932 or EUC-JP, or with U+FFFD for each byte that reads as
// neither.
[[nodiscard]] QString ShownName(QStringView name);
