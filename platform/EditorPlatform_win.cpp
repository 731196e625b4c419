#include "platform/EditorPlatform.h"

#include <QFileInfo>
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

// What Windows starts itself is a program, and so is a bare name, which PATH
// and PATHEXT complete ("notepad"); any other file opens with the program
// associated with it.
bool IsEditorDocument(const QString& editorPath)
{
    const QString suffix = QFileInfo(editorPath).suffix().toLower();
    return !suffix.isEmpty() && !QStringList{QStringLiteral("exe"), QStringLiteral("com"),
                                             QStringLiteral("bat"), QStringLiteral("cmd")}
                                     .contains(suffix);
}

bool ExchangeFileWantsByteOrderMark()
{
    return true;
}
