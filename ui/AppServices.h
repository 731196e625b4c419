#pragma once

#include "core/Services.h"

class EditorLauncher;
class FolderRules;
class IconTable;
class RenameJournal;

// The system services the window works with. main() passes the real ones;
// tests may replace any of them. The lister, icons, keyboard and shell are
// required; without a renamer, detector or editor launcher the commands that
// need them stay unavailable, and without details every media column is empty.
// Without a journal (or a renamer) walks are not journaled and there is no
// rename history.
struct AppServices {
    FolderLister* lister = nullptr;
    FileRenamer* renamer = nullptr;
    IconTable* icons = nullptr;
    KeyboardState* keyboard = nullptr;
    DesktopShell* shell = nullptr;
    DetailSource* details = nullptr;
    TypeDetector* detector = nullptr;
    EditorLauncher* editorLauncher = nullptr;
    RenameJournal* journal = nullptr;
    FolderRules* folderRules = nullptr; // for the rename preview; the system's when none is given
    // The editor exchange file (ReName.txt) a window takes when no other
    // window holds it; otherwise a free name beside it is taken.
    QString exchangeFilePath;
};
