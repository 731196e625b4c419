#include "editor/EditorFallback.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorFallback, TerminalEditorsAreToldFromWindowedOnes)
{
    const std::pair<const char*, bool> cases[] = {{"emacs -nw", true}, {"emacs", false}, {"", false}};
    for (const auto& [command, terminal] : cases)
        EXPECT_EQ(IsTerminalEditorCommand(QString::fromUtf8(command)), terminal) << command;
}

TEST(EditorFallback, DesktopEntriesGiveTheProgramStartedOnTheFile)
{
    const std::pair<const char*, const char*> cases[] = {
        {"[Desktop Entry]\r\nExec = \"/opt/My Editor/edit\" --new %F\r\n", "/opt/My Editor/edit"},
        {"[Desktop Entry]\nExec=env LANG=C mousepad %F\n", "mousepad"},
        {"[Desktop Entry]\nExec=vim %F\nTerminal=true\n", ""},
        {"[Desktop Entry]\nExec=sh -c \"gedit %F\"\n", ""}, // a shell would run the file
        {"Exec=early %F\n[Desktop Action new]\nExec=other %F\n[Desktop Entry]\nName=x\n", ""},
    };
    for (const auto& [entry, program] : cases)
        EXPECT_EQ(ProgramOfDesktopEntry(QString::fromUtf8(entry)), QString::fromUtf8(program)) << entry;
}

} // namespace
