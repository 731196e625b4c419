#pragma once
// Tests write paths with "/" and lines ending in "\n"; the program shows,
// joins and records paths with the system's separator ("\" on Windows), and
// ends the lines of the files it makes the system's way ("\r\n" on Windows,
// so that Notepad shows them). Expected values go through here.

#include "tests/support/Utf8.h"

#include <QByteArray>
#include <QDir>

inline QString NativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

inline QString NativePath(const char* path)
{
    return NativePath(U(path));
}

inline QByteArray NativeLines(QByteArray text)
{
#ifdef Q_OS_WIN
    text.replace("\n", "\r\n");
#endif
    return text;
}
