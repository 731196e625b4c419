#include "platform/CommandLinePaths.h"

#include <QCoreApplication>
#include <QDir>

QStringList CommandLinePaths()
{
    return CleanCommandLinePaths(QCoreApplication::arguments().mid(1), QDir::currentPath());
}
