#pragma once

#include "core/Services.h"

class EditorLauncher;
class FolderRules;
class EditorFinder;
class RenameJournal;

// The system services the session works with. main() builds the real ones;
// tests may replace any of them. The lister, icons, keyboard, shell and
// folder rules are required; without a renamer, detector or editor launcher
// the commands that need them stay unavailable, and without details every
// media column is empty. Without a journal (or a renamer) walks are not
// journaled and there is no rename history.
struct AppServices {
    FolderLister* lister = nullptr;
    FileRenamer* renamer = nullptr;
    IconIndexer* icons = nullptr;
    KeyboardState* keyboard = nullptr;
    DesktopShell* shell = nullptr;
    DetailSource* details = nullptr;
    TypeDetector* detector = nullptr;
    EditorLauncher* editorLauncher = nullptr;
    EditorFinder* editorFinder = nullptr; // the editor taken when the editor path names none
    RenameJournal* journal = nullptr;
    FolderRules* folderRules = nullptr; // what the rename preview asks of the disk
    // The editor exchange file (ReName.txt) a session takes when no other
    // one holds it; otherwise a free name beside it is taken.
    QString exchangeFilePath;
};
