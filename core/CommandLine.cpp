#include "core/CommandLine.h"

QStringList SplitCommandLine(const QString& argumentText)
{
    if (argumentText.isEmpty())
        return {};
    QStringList pieces;
    if (argumentText.front() == QLatin1Char('"')) {
        const QString inner =
            argumentText.size() >= 2 ? argumentText.sliced(1, argumentText.size() - 2) : QString();
        pieces = inner.split(QStringLiteral("\"  \""));
        if (pieces.size() == 1)
            pieces = inner.split(QStringLiteral("\" \""));
    } else {
        pieces = argumentText.split(QLatin1Char(' '));
    }
    pieces.removeAll(QString());
    return pieces;
}
