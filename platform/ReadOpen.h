#pragma once

#include <QFile>
#include <QString>

// True when the path names a regular file (links followed).
[[nodiscard]] bool IsRegularFile(const QString& path);
// Opens the regular file at `path` for reading, addressed by its exact bytes
// (a name that is not UTF-8 included). Folders, pipes and devices are not
// opened: they have no content to read, and opening a named pipe would wait
// for a writer.
[[nodiscard]] bool OpenRegularFile(QFile& file, const QString& path);
