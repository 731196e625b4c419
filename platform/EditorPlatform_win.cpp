#include "platform/EditorPlatform.h"

#include "core/Paths.h"

#include <QProcess>

QString DefaultEditor()
{
    return QStringLiteral("notepad.exe");
}

FallbackEditorFinder::FallbackEditorFinder() = default;
FallbackEditorFinder::~FallbackEditorFinder() = default;

void FallbackEditorFinder::find(QObject* /*context*/, std::function<void(const QString&)> use)
{
    use(DefaultEditor());
}

QStringList FallbackEditorFinder::lookedFor() const
{
    return {DefaultEditor()};
}

// Windows has its editor; the desktop is never asked.
void FallbackEditorFinder::askDesktop() {}
void FallbackEditorFinder::desktopAnswered(const QString& /*program*/) {}

bool IsEditorDocument(const QString& editorPath)
{
    return ExtensionOf(editorPath).toLower() != QLatin1String("exe");
}

bool ExchangeFileWantsByteOrderMark()
{
    return true;
}
