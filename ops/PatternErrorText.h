#pragma once

#include <QRegularExpression>
#include <QString>

// Why a regular expression does not compile, in Japanese and in the user's
// terms: where (「5 文字目」, or 「末尾」 for the end of the pattern, counting a
// surrogate pair as one character) and what is wrong. The common errors of
// PCRE2 have texts of their own; any other one is named in general terms,
// never with the library's English. Empty for a valid expression.
[[nodiscard]] QString PatternErrorText(const QRegularExpression& expression);
