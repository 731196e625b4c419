#pragma once
// Test texts are written as UTF-8 literals; these turn them into Qt strings.

#include <QStringList>

inline QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// "a|b|c" as a list; nullptr gives an empty list, "" one empty name.
inline QStringList Split(const char* joined)
{
    return joined ? U(joined).split(QLatin1Char('|')) : QStringList();
}
