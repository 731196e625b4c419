#include "platform/EditorPlatform.h"

#include "core/Paths.h"

QString DefaultEditor()
{
    return QStringLiteral("notepad.exe");
}

bool IsEditorDocument(const QString& editorPath)
{
    return ExtensionOf(editorPath).toLower() != QLatin1String("exe");
}

bool ExchangeFileWantsByteOrderMark()
{
    return true;
}
