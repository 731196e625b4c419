#include "platform/CommandLinePaths.h"

#include "core/CommandLine.h"

#include <QDir>

#include <windows.h>

namespace {
// The text after the program's own name, which may be quoted.
QString ArgumentText()
{
    const QString line = QString::fromWCharArray(GetCommandLineW());
    qsizetype end = 0;
    if (line.startsWith(QLatin1Char('"'))) {
        end = line.indexOf(QLatin1Char('"'), 1);
        end = end < 0 ? line.size() : end + 1;
    } else {
        end = line.indexOf(QLatin1Char(' '));
        end = end < 0 ? line.size() : end;
    }
    return line.mid(end).trimmed();
}
} // namespace

StartPaths CommandLinePaths(int, const char* const*)
{
    return {CleanCommandLinePaths(SplitCommandLine(ArgumentText()), QDir::currentPath())};
}
