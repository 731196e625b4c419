#pragma once

#include "core/Services.h"

class EditorLauncher;
class IconTable;

// The system services the window works with. main() passes the real ones;
// tests may replace any of them.
struct AppServices {
    FolderLister* lister = nullptr;
    FileRenamer* renamer = nullptr;
    IconTable* icons = nullptr;
    KeyboardState* keyboard = nullptr;
    DesktopShell* shell = nullptr;
    DetailSource* details = nullptr;
    TypeDetector* detector = nullptr;
    EditorLauncher* editorLauncher = nullptr;
    QString exchangeFilePath; // ReName.txt for the editor round trip
};
