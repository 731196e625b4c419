#pragma once

#include <QString>

// Makes generated text (expanded templates, titles) safe inside a file name:
// < > become ( ), \ / | become _, : becomes ;, * and ? are removed and a
// double quote becomes '. Full-width look-alikes pass unchanged.
[[nodiscard]] QString ReplaceForbiddenCharacters(const QString& text);
