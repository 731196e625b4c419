#pragma once
// The nineteen buttons of the button bar: the command each one stands for,
// its caption, tooltip and designed place in twips. One table builds them
// all; the window's dispatch table gives each command what it does.

#include <QString>

#include <array>
#include <cstddef>

// The commands of the button bar, in the order of the designed buttons.
enum class ButtonCommand {
    ClearList,
    EditorRename,
    DetectExtension,
    DeleteFirst,
    DeleteLast,
    Prepend,
    Append,
    ChangeName,
    ChangeExtension,
    Width,
    Undo,
    Rename,
    MoveUp,
    MoveDown,
    UpperCase,
    LowerCase,
    Title,
    Replace,
    RemoveRow,
};

inline constexpr int ButtonCount = 19;

// The place of a command in the window's per-button arrays.
[[nodiscard]] constexpr std::size_t SlotOf(ButtonCommand command)
{
    return static_cast<std::size_t>(command);
}

// The button's object name ("cmdMenu_11"), kept from the designed form so
// that tests and accessibility tools find the buttons by name.
[[nodiscard]] QString ButtonObjectName(ButtonCommand command);

struct ButtonDesign {
    ButtonCommand command;
    const char16_t* caption;
    const char16_t* tooltip;
    int left, top, width, height; // twips; relative to Picture1 when inPanel
    bool inPanel;
};

[[nodiscard]] const std::array<ButtonDesign, ButtonCount>& ButtonDesigns(); // in command order
// Keyboard focus order of the window, as object names.
[[nodiscard]] const QStringList& TabOrder();
