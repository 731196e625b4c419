#pragma once
// The system's own converters for the two legacy tables of LegacyNames.h,
// strict in both directions: nothing is guessed, replaced or fitted. Qt's
// converters (ICU) do the work on Linux; Windows has the tables itself, as
// code pages 932 and 20932, whatever Qt was built with.

#include "core/LegacyNames.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// True when the system converts to and from the table; `table` is Cp932 or
// EucJp.
[[nodiscard]] bool HasCodePage(LegacyEncoding table);
// The bytes read as the table, or a null string when they are not valid in it.
[[nodiscard]] QString DecodeWithCodePage(QByteArrayView bytes, LegacyEncoding table);
// The text written in the table, or nothing when a character has no form there.
[[nodiscard]] std::optional<QByteArray> EncodeWithCodePage(QStringView text, LegacyEncoding table);
