#pragma once
// Reading and writing whole files in a test's temporary folder.

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

// The file's bytes; "<missing>" when it cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Creates or replaces the file; the test fails when it cannot.
inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
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
