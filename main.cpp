#include "core/SettingsPath.h"
#include "platform/DesktopServices.h"
#include "platform/DetailColumns.h"
#include "platform/IconTable.h"
#include "platform/MagicTypeDetector.h"
#include "platform/QProcessEditorLauncher.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderLister.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));

    SystemFolderLister lister;
    IconTable icons;
    SystemKeyboard keyboard;
    SystemDesktopShell shell;
    TagDetailSource details;
    MagicTypeDetector detector;
    QProcessEditorLauncher editorLauncher(shell);
    SystemFileRenamer renamer;
    AppServices services;
    services.editorLauncher = &editorLauncher;
    services.exchangeFilePath = ExchangeFilePath();
    services.renamer = &renamer;
    services.details = &details;
    services.detector = &detector;
    services.lister = &lister;
    services.icons = &icons;
    services.keyboard = &keyboard;
    services.shell = &shell;

    frmMain window(services);
    window.setSettingsPath(SettingsPath());
    // A path typed relative to the shell's folder names the file there.
    QStringList paths;
    for (const QString& argument : QApplication::arguments().mid(1))
        paths.append(QDir::toNativeSeparators(QDir::current().absoluteFilePath(argument)));
    window.startUp(paths);
    window.show();
    return QApplication::exec();
}
