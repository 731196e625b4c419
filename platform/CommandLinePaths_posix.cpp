#include "platform/CommandLinePaths.h"

#include "core/NameBytes.h"

#include <QDir>

StartPaths CommandLinePaths(int argc, const char* const* argv)
{
    StartPaths start;
    QStringList pieces;
    for (int i = 1; i < argc; ++i)
        pieces.append(DecodeFileName(QByteArrayView(argv[i])));
    start.paths = CleanCommandLinePaths(pieces, QDir::currentPath());
    return start;
}
