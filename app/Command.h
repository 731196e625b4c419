#pragma once
// Every command a user can give: the nineteen buttons first, in the order of
// the designed buttons, then what right clicks and menu entries add. The
// window maps its controls to these; the session runs them.

#include <cstddef>

enum class Command {
    // The buttons.
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
    UpperCase, // the next variant of the cycle
    LowerCase,
    Title,
    Replace,
    RemoveRow,
    // Right clicks of buttons.
    ChooseEditor,
    DeleteFirstFromStart, // from the current names, whatever new names say
    DeleteLastSkipping,   // from the current names, passing over rows too short
    // The case, tag, replace and width menus.
    UpperAll,
    UpperFirst,
    UpperBaseName,
    UpperExtension,
    LowerAll,
    LowerExtension,
    TrackNumber,
    ReplaceSparingExtension,
    ReplaceRegex,
    ReplaceRegexSparingExtension,
    // The width menu: letters, digits and symbols only.
    NarrowAlphanumerics,
    WidenAlphanumerics,
    // The menu bar and the row menu.
    ChooseFolder,
    RenameHistory,
    Quit,
    StayOnTop,
    ShowIcons,
    EditorAtStart,
    FoldersAsRows,
    ChainOperations,
    RenameCycles,
    AutoRenameSettings,
    OpenReadMe,
    OpenHomepage,
    ShowVersion,
    StartUpdater,
    OpenRowFolder,
    RenameSelected,
    UndoSelected,
    ComposeNames,
    RepairMojibake,
    RepairMojibakeAsCp932,
    RepairMojibakeAsEucJp,
    // The row menu and F8: the next row the rename would fail on.
    NextFailingRow,
};

inline constexpr std::size_t CommandCount = static_cast<std::size_t>(Command::NextFailingRow) + 1;
inline constexpr int ButtonCount = 19;

// The place of a command in per-command arrays.
[[nodiscard]] constexpr std::size_t SlotOf(Command command)
{
    return static_cast<std::size_t>(command);
}
