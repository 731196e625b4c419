#pragma once
// Lets GoogleTest print Qt strings in failure messages, as UTF-8.

#include <QString>
#include <QStringList>

#include <ostream>

inline std::ostream& operator<<(std::ostream& out, const QString& text)
{
    return out << text.toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

#include "core/NameText.h"

inline void PrintTo(const NameText& text, std::ostream* out)
{
    PrintTo(text.toString(), out);
}
