#pragma once

#include <QStringView>

// What the user sees as one character: a grapheme cluster, so that a letter
// with its combining marks, a kana with a separate voiced sound mark, a
// surrogate pair or a whole emoji sequence goes as one, and no operation ever
// leaves half a surrogate pair behind.

// Length in UTF-16 units of the first character of text; 0 when text is empty.
[[nodiscard]] qsizetype FirstCharacterLength(QStringView text);
// Length in UTF-16 units of the last character of text; 0 when text is empty.
[[nodiscard]] qsizetype LastCharacterLength(QStringView text);
