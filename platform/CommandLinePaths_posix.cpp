#include "platform/CommandLinePaths.h"

#include <QDir>
#include <QStringDecoder>

StartPaths CommandLinePaths(int argc, const char* const* argv)
{
    StartPaths start;
    QStringList pieces;
    for (int i = 1; i < argc; ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString piece = decoder.decode(QByteArrayView(argv[i]));
        if (decoder.hasError())
            ++start.undecodable;
        else
            pieces.append(std::move(piece));
    }
    start.paths = CleanCommandLinePaths(pieces, QDir::currentPath());
    return start;
}
