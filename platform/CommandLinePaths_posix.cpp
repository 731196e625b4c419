#include "platform/CommandLinePaths.h"

#include <QCoreApplication>
#include <QDir>

QStringList CommandLinePaths()
{
    QStringList paths;
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        paths.append(QDir::current().absoluteFilePath(argument));
    return paths;
}
