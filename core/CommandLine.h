#pragma once
// Splitting of the raw argument text that Windows hands a program when files
// are dropped on its icon: quoted paths separated by one or two spaces, or
// unquoted paths separated by spaces. On POSIX each argument already is one
// path and this is not needed.

#include <QString>
#include <QStringList>

// The paths in argumentText (the text after the program's own name):
// - empty text: no paths;
// - text starting with a double quote: without its first and last character,
//   split at every `"  "` (quote, two spaces, quote), or at every `" "` when
//   that leaves it whole;
// - other text: split at every space, so an unquoted path with a space falls
//   apart into two pieces.
// Empty pieces (from doubled or trailing spaces) are dropped: each would
// otherwise become a row with no name.
[[nodiscard]] QStringList SplitCommandLine(const QString& argumentText);
