#include "platform/CommandLinePaths.h"

QStringList CleanCommandLinePaths(const QStringList& pieces, const QString& currentFolder)
{
    const QDir folder(currentFolder);
    QStringList paths;
    paths.reserve(pieces.size());
    for (const QString& piece : pieces)
        paths.append(CleanGivenPath(piece, folder));
    return paths;
}
