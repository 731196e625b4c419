#include "platform/CommandLinePaths.h"

#include <QDir>

namespace {

// An absolute path with no empty, "." or ".." piece and no separator at the
// end is what cleaning would give back: what a file manager passes for each
// file. Such a path is kept as it is, which spares three new texts a path.
bool IsCleanAbsolute(QStringView path)
{
    if (QDir::separator() != u'/' || !path.startsWith(u'/'))
        return false;
    qsizetype start = 1; // of the piece at hand
    for (qsizetype i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != u'/')
            continue;
        const QStringView piece = path.sliced(start, i - start);
        if (piece.isEmpty() || piece == u"." || piece == u"..")
            return path.size() == 1; // "/" alone is clean
        start = i + 1;
    }
    return true;
}

} // namespace

QStringList CleanCommandLinePaths(const QStringList& pieces, const QString& currentFolder)
{
    const QDir folder(currentFolder);
    QStringList paths;
    paths.reserve(pieces.size());
    for (const QString& piece : pieces) {
        paths.append(piece.isEmpty() || IsCleanAbsolute(piece)
                         ? piece
                         : QDir::toNativeSeparators(QDir::cleanPath(folder.absoluteFilePath(piece))));
    }
    return paths;
}
