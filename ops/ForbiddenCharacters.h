#pragma once

#include <QString>

// Makes generated text (expanded templates, titles) safe inside a file name:
// < > become ( ), \ / | become _, : becomes ;, * and ? are removed and a
// double quote becomes '. Full-width look-alikes pass unchanged.
[[nodiscard]] QString ReplaceForbiddenCharacters(const QString& text);

// What every generated name goes through: the replacements above, and
// control characters and line separators dropped. Media tags may hold line
// breaks and tabs; in a file name they are invisible at best and refused by
// Windows.
[[nodiscard]] QString CleanGeneratedText(const QString& text);
