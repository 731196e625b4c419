#pragma once
// Reading and writing whole files in a test's temporary folder, addressed by
// the exact bytes of their names (a name that is not UTF-8 included).

#include "core/NameBytes.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#endif

inline bool OpenExactly(QFile& file, const QString& path, QIODevice::OpenMode mode)
{
#ifdef Q_OS_UNIX
    const int flags = mode & QIODevice::WriteOnly ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY;
    const int fd = ::open(EncodeFileName(path).constData(), flags | O_CLOEXEC, 0644);
    if (fd >= 0 && file.open(fd, mode, QFileDevice::AutoCloseHandle))
        return true;
    if (fd >= 0)
        ::close(fd);
    return false;
#else
    file.setFileName(path);
    return file.open(mode);
#endif
}

#ifdef Q_OS_UNIX
// Every entry of the folder but "." and "..", sorted: Qt's own listing
// leaves out names that are not UTF-8.
inline QStringList ExactNames(const QString& folder)
{
    QStringList names;
    if (DIR* listing = ::opendir(EncodeFileName(folder).constData())) {
        while (const dirent* entry = ::readdir(listing)) {
            const QByteArrayView name(entry->d_name);
            if (name != "." && name != "..")
                names.append(DecodeFileName(name));
        }
        ::closedir(listing);
    }
    names.sort();
    return names;
}
#endif

// The file's bytes; "<missing>" when it cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file;
    return OpenExactly(file, path, QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Creates or replaces the file; the test fails when it cannot.
inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file;
    ASSERT_TRUE(OpenExactly(file, path, QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

// Writes a shell script (the body follows "#!/bin/sh" unless it starts with
// its own "#!") and makes it executable.
inline QString WriteScript(const QString& path, const QByteArray& body)
{
    WriteBytes(path, body.startsWith("#!") ? body : "#!/bin/sh\n" + body + '\n');
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

#ifdef Q_OS_WIN
// Writes a batch file, the program Windows runs from text: "@echo off",
// then the body, its lines ending in CR LF.
inline QString WriteBatchFile(const QString& path, const QByteArray& body)
{
    QByteArray text = "@echo off\n" + body + '\n';
    WriteBytes(path, text.replace("\n", "\r\n"));
    return path;
}
#endif
