#include "core/RenameJournal.h"
#include "core/SettingsPath.h"
#include "platform/CommandLinePaths.h"
#include "platform/DesktopServices.h"
#include "platform/DetailColumns.h"
#include "platform/DurableFiles.h"
#include "platform/EditorPlatform.h"
#include "platform/IconTable.h"
#include "platform/MagicTypeDetector.h"
#include "platform/QProcessEditorLauncher.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderLister.h"
#include "platform/SystemFolderRules.h"
#include "ui/ApplicationIcon.h"
#include "ui/MainWindow.h"
#include "ui/QtTranslations.h"

#include <QApplication>

#include <memory>
#include <optional>

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
    SystemFolderRules folderRules;
    FallbackEditorFinder editorFinder;
    // Chosen once: the choice may say on stderr why a folder was passed over.
    const QString settingsFolder = SettingsFolder();
    // The journal lives beside setting.ini; without a journal disk for the
    // platform the program renames without one.
    const std::unique_ptr<JournalDisk> journalDisk = MakeSystemJournalDisk();
    std::optional<RenameJournal> journal;
    if (journalDisk)
        journal.emplace(settingsFolder + QStringLiteral("/journal"), *journalDisk);
    AppServices services;
    services.journal = journal ? &*journal : nullptr;
    services.editorLauncher = &editorLauncher;
    services.exchangeFilePath = ExchangeFilePath(settingsFolder);
    services.renamer = &renamer;
    services.details = &details;
    services.detector = &detector;
    services.lister = &lister;
    services.icons = &icons;
    services.keyboard = &keyboard;
    services.shell = &shell;
    services.folderRules = &folderRules;
    services.editorFinder = &editorFinder;

    auto session = std::make_unique<RenameSession>(services);
    session->setSettingsPath(SettingsPath(settingsFolder));
    MainWindow window(std::move(session), icons);
    // The paths are read from the arguments where they are: argv lives as
    // long as the process.
    window.startUp(CommandLinePaths(argc, argv).paths);
    window.show();
    return QApplication::exec();
}
