#pragma once
// Every menu of the window, of the bar and the popups, in one table. The row
// order is the order of the entries' command identifiers (1, 2, ...), which is
// the order of their hints.

#include <QString>

#include <span>

enum class MenuKind { Title, Item, Separator };

struct MenuEntry {
    MenuKind kind;
    const char* objectName;  // "mnuFile", "mnuFileItem_0", ...
    const char* menu;        // the menu that holds the entry (the title's own name for titles)
    const char16_t* caption; // with its access key
    const char16_t* hint;    // empty: the hint line is cleared
    bool checkable;
    bool visible;
    bool inMenuBar; // titles only: shown in the bar, or a popup only
    // Items only: placed before this entry of the same menu instead of at its
    // end, so that an entry added later keeps the identifiers of all others.
    const char* placeBefore = nullptr;
};

[[nodiscard]] std::span<const MenuEntry> MenuEntries();

// The hint of a command identifier (1-based row of the table); empty for
// identifiers without one and for unknown ones.
[[nodiscard]] QString MenuHintText(int commandId);

// The maker's homepage, opened from the Help menu and named in its hint.
[[nodiscard]] QString HomepageAddress();
