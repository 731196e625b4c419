#include "platform/ProgramFile.h"

QString ProgramFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Quorvane.exe");
#else
    return QStringLiteral("Quorvane");
#endif
}
