#pragma once
// The nineteen buttons of the button bar: the command each one stands for,
// what its right click does, its caption, tooltip and designed place in
// twips. One table builds them all.

#include "app/Command.h"

#include <QString>

#include <array>
#include <optional>

struct ButtonDesign {
    Command command;
    const char* objectName; // what accessibility tools and tests find it by
    const char16_t* caption;
    const char16_t* tooltip;
    int left, top, width, height; // twips; relative to the command panel when inPanel
    bool inPanel;
    // A right click runs a command or opens a menu of variants, or does nothing.
    std::optional<Command> rightClick = std::nullopt;
    const char* rightMenu = nullptr;
};

[[nodiscard]] const std::array<ButtonDesign, ButtonCount>& ButtonDesigns(); // in command order
[[nodiscard]] const ButtonDesign& ButtonDesignOf(Command button);
// Keyboard focus order of the window, as object names.
[[nodiscard]] const QStringList& TabOrder();
