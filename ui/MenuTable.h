#pragma once
// Every menu of the window, of the bar and the popups, in one table, in the
// order the menus are built.

#include "app/Command.h"

#include <QString>

#include <optional>
#include <span>

enum class MenuKind { Title, Item, Separator };

struct MenuEntry {
    MenuKind kind;
    std::optional<Command> command; // items only
    const char* objectName;         // "fileMenu", "chooseFolderAction", ...
    const char* menu;               // the menu that holds the entry (the title's own name for titles)
    const char16_t* caption;        // with its access key
    const char16_t* hint;           // empty: the hint line is cleared
    bool checkable;
    bool visible;
    bool inMenuBar; // titles only: shown in the bar, or a popup only
    // Items only: placed before this entry of the same menu instead of at its
    // end, so that an entry added later keeps the identifiers of all others.
    const char* placeBefore = nullptr;
};

[[nodiscard]] std::span<const MenuEntry> MenuEntries();

// The hint of an entry, shown in panel 1 while it is highlighted; empty
// clears the panel.
[[nodiscard]] QString HintOf(const MenuEntry& entry);
