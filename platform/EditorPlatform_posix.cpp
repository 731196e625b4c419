#include "platform/EditorPlatform.h"

#include "editor/KnownEditors.h"

#include <QFileInfo>
#include <QStandardPaths>

QString DefaultEditor()
{
    for (const QString& name : DesktopEditorNames()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool IsEditorDocument(const QString& editorPath)
{
    // A file without the permission to run is something to open (a .txt, a
    // .pdf); anything else is handed to the process start, which reports
    // what it cannot run.
    const QFileInfo info(editorPath);
    return info.isFile() && !info.isExecutable();
}

bool ExchangeFileWantsByteOrderMark()
{
    return false;
}
