#pragma once
// The insertion text of buttons 5 to 8: literal text mixed with tokens in
// angle brackets that expand, row by row, into serial numbers, a file's
// title, track number or artist, the current date and time, or the file's
// own dates: <撮影日:PATTERN> when its picture was taken, <更新日:PATTERN> its
// last modification, <撮影日|更新日:PATTERN> the first, else the second.

#include "core/RenameEntry.h"
#include "ops/DateFormat.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

class DetailSource;

// The four insertion operations.
enum class InsertionKind {
    Prepend,
    Append,
    ChangeName,
    ChangeExtension,
};

// The current local date and time, read anew for every date token of every
// row. Tests pass a fixed one.
using InsertionClock = std::function<QDateTime()>;
[[nodiscard]] InsertionClock SystemClock();

enum class InsertionTokenKind {
    Serial,
    Title,
    TrackNumber,
    Artist,
    DateTime,
    DateTaken,
    ModificationTime,
    DateTakenOrModification,
};

// The range a serial token's start value must lie in.
inline constexpr qint64 kSerialStartMin = -32768;
inline constexpr qint64 kSerialStartMax = 32767;

struct InsertionToken {
    QString text; // as typed between "<" and ">"
    InsertionTokenKind kind = InsertionTokenKind::DateTime;
    int width = 0;       // serial: the token's length in characters, the fewest digits written
    qint64 start = 0;    // serial: the token's value rounded half to even; checked when expanded
    DatePattern pattern; // the dates: the pattern after the date's name, taken apart once
    QString literal;     // the text after ">" up to the next token
};

struct InsertionTemplate {
    QString leading; // the text before the first token
    QList<InsertionToken> tokens;
};

// A whole text that is an optionally signed decimal number with an optional
// fraction and blanks (spaces, tabs) around it, its digits, sign and point
// half-width or full-width ("００１", "－１"), rounded to the nearest
// integer with halves going to the even neighbour. Magnitudes beyond 10^15
// come back as +-10^15. Nothing for any other text.
[[nodiscard]] std::optional<qint64> RoundedDecimal(QStringView text);

// Splits the text at every "<"; each "<" with a ">" before the next "<"
// opens a token. From a "<" without such a ">" on, the rest of the text is
// literal. Any number of tokens is allowed. Pure; never fails.
[[nodiscard]] InsertionTemplate ParseInsertionTemplate(const QString& text);

// The text one row gets, before cleaning; rowNumber counts from 1. Reads the
// clock for date tokens and asks the detail source for property tokens and
// the file's dates, each date once however many tokens want it. When a
// property or a file's date is not recorded, `missing` (when given) gets the
// first such reason and the text is not a name to use. Throws CommandError
// when a serial token's start value is outside kSerialStartMin..
// kSerialStartMax, so the first row already fails.
[[nodiscard]] QString ExpandInsertionTemplate(const InsertionTemplate& insertion, int rowNumber,
                                              const QString& folder, const QString& currentName,
                                              const InsertionClock& clock, DetailSource& details,
                                              const DateLocale& locale, KeptNameReason* missing = nullptr);

// Places the cleaned text before the name, before its extension, in place
// of its base name, or in place of its extension. Pure.
[[nodiscard]] QString ComposeInsertedName(InsertionKind kind, const QString& currentName,
                                          const QString& cleanedText);
