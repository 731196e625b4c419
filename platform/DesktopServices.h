#pragma once

#include "core/Services.h"

// Shift state and the desktop's file manager and viewers.
class SystemKeyboard final : public KeyboardState {
public:
    [[nodiscard]] bool isShiftDown() const override;
};

class SystemDesktopShell final : public DesktopShell {
public:
    // Asks the file manager over D-Bus to show the file selected; when no file
    // manager answers, opens the folder instead. Never waits.
    void showInFileManager(const QString& path) override;
    bool open(const QString& pathOrUrl) override;
    bool start(const QString& program, const QString& workingFolder, QString* reason) override;
};
