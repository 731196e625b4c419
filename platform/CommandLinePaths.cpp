#include "platform/CommandLinePaths.h"

#include <QDir>

QStringList CleanCommandLinePaths(const QStringList& pieces, const QString& currentFolder)
{
    const QDir folder(currentFolder);
    QStringList paths;
    paths.reserve(pieces.size());
    for (const QString& piece : pieces) {
        paths.append(piece.isEmpty()
                         ? piece
                         : QDir::toNativeSeparators(QDir::cleanPath(folder.absoluteFilePath(piece))));
    }
    return paths;
}
