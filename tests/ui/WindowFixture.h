#pragma once
// The real main window over real files in a temporary folder, with the
// keyboard and the desktop replaced so tests can hold Shift and see what the
// window asked the file manager for.

#include "core/RenameJournal.h"
#include "platform/DurableFiles.h"
#include "platform/EditorPlatform.h"
#include "platform/IconTable.h"
#include "platform/QProcessEditorLauncher.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderLister.h"
#include "platform/SystemFolderRules.h"
#include "tests/support/FakeServices.h"
#include "tests/support/NativeForms.h"
#include "tests/support/RenameRows.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"
#include "ui/MainWindow.h"
#include "ui/RenameListView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

struct WindowFixture {
    QTemporaryDir dir;
    SystemFolderLister lister;
    IconTable icons;
    FakeKeyboard keyboard;
    FakeShell shell;
    SystemFileRenamer renamer;
    // The journal of the real program, in a folder of the test's own.
    QTemporaryDir settingsDir;
    std::unique_ptr<JournalDisk> journalDisk = MakeSystemJournalDisk();
    RenameJournal journal{settingsDir.filePath(QStringLiteral("journal")), *journalDisk};
    QProcessEditorLauncher editorLauncher{shell, QString()};
    FolderLister* folderLister = &lister; // a test may list folders its own way, then make a window
    SystemFolderRules folderRules;
    FallbackEditorFinder editorFinder;
    std::unique_ptr<MainWindow> window;

    WindowFixture() { window = makeWindow(); }

    // Another window over the same folder; it may bring an editor launcher of
    // its own, as a second process would have.
    std::unique_ptr<MainWindow> makeWindow(EditorLauncher* launcher = nullptr)
    {
        AppServices services;
        services.lister = folderLister;
        services.icons = &icons;
        services.keyboard = &keyboard;
        services.shell = &shell;
        services.renamer = &renamer;
        services.journal = &journal;
        services.editorLauncher = launcher ? launcher : &editorLauncher;
        services.exchangeFilePath = path(QStringLiteral("ReName.txt")); // as ExchangeFilePath() gives it
        services.folderRules = &folderRules;
        services.editorFinder = &editorFinder;
        auto made = std::make_unique<MainWindow>(std::make_unique<RenameSession>(services), icons);
        made->setFailureDialogsEnabled(false);
        return made;
    }

    // A click on the button, as the user gives it.
    void click(Command command, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mouseClick(window->button(command), button);
    }
    void trigger(Command command) const { window->action(command)->trigger(); }
    template <class Widget> Widget* child(const char* name) const
    {
        return window->findChild<Widget*>(QString::fromLatin1(name));
    }

    // The test's folder and the paths in it as the program writes them, with
    // the system's separator.
    QString folder() const { return NativePath(dir.path()); }
    QString path(const QString& relative) const { return NativePath(dir.filePath(relative)); }

    // Creates a file (and its folders) holding its own name as content.
    QString makeFile(const QString& relative) const
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        WriteBytes(full, relative.toUtf8());
        return full;
    }
    // Makes the files ("a|b/c"), then starts the window over them.
    QStringList start(const char* names) const
    {
        QStringList paths;
        for (const QString& name : Split(names))
            paths.append(makeFile(name));
        window->startUp(paths);
        return paths;
    }

    void setNewName(int row, const QString& name) const
    {
        RenameList::EditScope scope(window->session().list());
        scope.row(row).newName = name;
    }
    QStringList currentNames() const { return CurrentNames(window->session().list()); }
    QStringList newNames() const { return NewNames(window->session().list()); }
};
