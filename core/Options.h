#pragma once
// The user's choices that change what commands do and how the window looks.
// The window keeps one Options value: its menu check marks and the case box
// are bound to it, and the settings file loads and saves it.

struct Options {
    bool foldersAsRows = false;      // a folder among the paths becomes a row of its own
    bool topMost = false;            // the window stays above the others
    bool iconsShown = false;         // the list shows each row's icon
    bool editorAtStart = false;      // paths given at start-up (a drop on the program) go to the editor first
    bool ignoreCaseInSearch = false; // the replace button matches letters of either case
    bool chainOperations = false;    // a name operation rewrites the row's new name where it has one
    bool renameCycles = false;       // names that go round are exchanged through temporary names

    friend bool operator==(const Options&, const Options&) = default;
};
