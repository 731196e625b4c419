#include "platform/DetachedStart.h"

#include "core/SystemErrorText.h"

#include <QProcess>

bool StartDetached(const QString& program, const QString& workingFolder, QString* reason)
{
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(workingFolder);
    if (process.startDetached())
        return true;
    if (reason)
        *reason = ProcessErrorText(process);
    return false;
}
