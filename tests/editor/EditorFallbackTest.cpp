#include "editor/EditorFallback.h"

#include "tests/support/CaseName.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(EditorFallback, TerminalEditorsAreToldFromWindowedOnes)
{
    struct {
        const char* command;
        bool terminal;
    } const cases[] = {
        {"vim", true},
        {"/usr/bin/nvim -p", true},
        {"nano", true},
        {"emacs -nw", true},
        {"emacsclient -t", true},
        {"editor", true},
        {"emacs", false},
        {"gvim -f", false},
        {"code --wait", false},
        {"\"/opt/My Editor/bin/vi\"", true}, // the program, quoted
        {"\"/opt/My Editor/bin/edit\"", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsTerminalEditorCommand(QString::fromUtf8(c.command)), c.terminal) << c.command;
}

TEST(EditorFallback, DesktopEntriesGiveTheProgramTheyStart)
{
    struct {
        const char* entry;
        const char* program;
    } const cases[] = {
        {"[Desktop Entry]\nName=Gedit\nExec=gedit %U\n", "gedit"},
        {"[Desktop Entry]\nExec = \"/opt/My Editor/edit\" --new %F\n", "/opt/My Editor/edit"},
        {"[Desktop Entry]\nExec=env LANG=C GDK_BACKEND=x11 mousepad %F\n", "mousepad"},
        {"[Desktop Entry]\nExec=vim %F\nTerminal=true\n", ""},
        {"[Desktop Entry]\nExec=/usr/bin/flatpak run org.gnome.TextEditor @@ %F @@\n", ""},
        {"[Desktop Action new]\nExec=other\n[Desktop Entry]\nName=x\n", ""},
        {"[Desktop Entry]\r\nExec=kate -b %U\r\n[Desktop Action new]\r\nExec=other\r\n", "kate"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramOfDesktopEntry(QString::fromUtf8(c.entry)), QString::fromUtf8(c.program)) << c.entry;
}

struct ChoiceCase {
    const char* name;
    const char* visual;
    const char* editor;
    const char* desktopDefault;
    const char* expected;
};

class FallbackChoice : public ::testing::TestWithParam<ChoiceCase> {};

// Installed here: /bin/vim, /bin/gvim, /bin/gedit, /bin/kate, /bin/mousepad.
TEST_P(FallbackChoice, TakesTheFirstInstalledSourceInOrder)
{
    const ChoiceCase& c = GetParam();
    const QStringList installed = {QStringLiteral("vim"), QStringLiteral("gvim"), QStringLiteral("gedit"),
                                   QStringLiteral("kate"), QStringLiteral("mousepad")};
    const ProgramFinder find = [&](const QString& program) {
        const QString name = program.section(QLatin1Char('/'), -1);
        return installed.contains(name) && (program == name || program == QLatin1String("/bin/") + name)
                   ? QLatin1String("/bin/") + name
                   : QString();
    };
    const EditorSources sources{QString::fromUtf8(c.visual), QString::fromUtf8(c.editor),
                                QString::fromUtf8(c.desktopDefault)};
    const QStringList known = {QStringLiteral("leafpad"), QStringLiteral("mousepad"), QStringLiteral("kate")};
    EXPECT_EQ(ChooseFallbackEditor(sources, known, find), QString::fromUtf8(c.expected));
}

const ChoiceCase kChoices[] = {
    {"visual first", "gvim -f", "gedit", "kate", "/bin/gvim"},
    {"terminal visual skipped", "vim", "/bin/gedit", "kate", "/bin/gedit"},
    {"missing visual skipped", "leafpad", "", "", "/bin/mousepad"},
    {"desktop default next", "vim", "nano", "kate", "/bin/kate"},
    {"desktop default missing", "", "", "xed", "/bin/mousepad"},
    {"first known editor", "", "", "", "/bin/mousepad"},
};
INSTANTIATE_TEST_SUITE_P(Table, FallbackChoice, ::testing::ValuesIn(kChoices), CaseName());

TEST(EditorFallback, NothingInstalledGivesNothing)
{
    const ProgramFinder none = [](const QString&) { return QString(); };
    EXPECT_EQ(ChooseFallbackEditor({QStringLiteral("gedit"), {}, QStringLiteral("kate")},
                                   {QStringLiteral("mousepad")}, none),
              QString());
}

} // namespace
