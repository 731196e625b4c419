#include "platform/CommandLinePaths.h"

#include <QDir>

StartPaths CommandLinePaths(int argc, const char* const* argv)
{
    return {GivenPaths::ofArguments(argc, argv, QDir::currentPath())};
}
