#include "core/SettingsPath.h"
#include "platform/CommandLinePaths.h"
#include "platform/DesktopServices.h"
#include "platform/DetailColumns.h"
#include "platform/IconTable.h"
#include "platform/MagicTypeDetector.h"
#include "platform/QProcessEditorLauncher.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderLister.h"
#include "ui/ApplicationIcon.h"
#include "ui/QtTranslations.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setWindowIcon(ApplicationIcon());
    QGuiApplication::setDesktopFileName(DesktopEntryName());
    InstallQtTranslations(QLocale::system());

    SystemFolderLister lister;
    IconTable icons;
    SystemKeyboard keyboard;
    SystemDesktopShell shell;
    TagDetailSource details;
    MagicTypeDetector detector;
    QProcessEditorLauncher editorLauncher(shell);
    SystemFileRenamer renamer;
    // Chosen once: the choice may say on stderr why a folder was passed over.
    const QString settingsFolder = SettingsFolder();
    AppServices services;
    services.editorLauncher = &editorLauncher;
    services.exchangeFilePath = ExchangeFilePath(settingsFolder);
    services.renamer = &renamer;
    services.details = &details;
    services.detector = &detector;
    services.lister = &lister;
    services.icons = &icons;
    services.keyboard = &keyboard;
    services.shell = &shell;

    frmMain window(services);
    window.setSettingsPath(SettingsPath(settingsFolder));
    window.startUp(CommandLinePaths());
    window.show();
    return QApplication::exec();
}
