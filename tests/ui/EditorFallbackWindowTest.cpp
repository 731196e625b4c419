// The editor taken when the editor path names none, in the real window.
#include "core/mod_ini.h"
#include "editor/EditorRoundTrip.h"
#include "tests/support/CaseName.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/ui/WindowFixture.h"

namespace {

// The environment, a fake desktop (xdg-mime and desktop entries) and
// programs in a PATH of the test's own.
struct FallbackCase {
    const char* name;
    const char* visual;       // nullptr: unset
    const char* editor;       // nullptr: unset
    const char* desktopEntry; // what xdg-mime answers; nullptr: no xdg-mime
    const char* programs;     // installed, "|" between
    const char* expected;     // the program in the box, or the text kept
};

class EditorFallbackWindow : public ::testing::TestWithParam<FallbackCase> {};

struct FakeDesktop {
    QTemporaryDir bin;
    QTemporaryDir data;
    std::unique_ptr<ScopedEnvironment> env;

    FakeDesktop(const char* visual, const char* editor, const char* desktopEntry, const char* programs)
    {
        for (const QString& name : Split(programs))
            WriteScript(program(name), "exit 0");
        if (desktopEntry)
            WriteScript(program(QStringLiteral("xdg-mime")), QByteArray("echo ") + desktopEntry);
        QDir(data.path()).mkpath(QStringLiteral("home/applications"));
        WriteBytes(data.filePath(QStringLiteral("home/applications/myedit.desktop")),
                   "[Desktop Entry]\nName=My Editor\nExec=myedit %U\n");
        WriteBytes(data.filePath(QStringLiteral("home/applications/vim.desktop")),
                   "[Desktop Entry]\nName=Vim\nExec=vim %F\nTerminal=true\n");
        env = std::make_unique<ScopedEnvironment>(std::initializer_list<std::pair<const char*, QByteArray>>{
            {"PATH", QFile::encodeName(bin.path())},
            {"VISUAL", visual ? QByteArray(visual) : QByteArray()},
            {"EDITOR", editor ? QByteArray(editor) : QByteArray()},
            {"XDG_DATA_HOME", QFile::encodeName(data.filePath(QStringLiteral("home")))},
            {"XDG_DATA_DIRS", QFile::encodeName(data.filePath(QStringLiteral("none")))}});
    }
    QString program(const QString& name) const { return bin.filePath(name); }
};

QString SettingsWithEditor(const WindowFixture& f, const QString& editor)
{
    const QString ini = f.path(QStringLiteral("setting.ini"));
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("Editer"), editor, ini);
    return ini;
}

TEST_P(EditorFallbackWindow, AMissingSavedEditorIsReplacedAtStartUp)
{
    const FallbackCase& c = GetParam();
    const FakeDesktop desktop(c.visual, c.editor, c.desktopEntry, c.programs);
    WindowFixture f;
    f.window->setSettingsPath(SettingsWithEditor(f, QStringLiteral("/no/such/editor")));
    f.window->startUp({f.makeFile(QStringLiteral("a.txt"))});
    auto* box = f.child<QLineEdit>("txtName");
    const QString expected = QString::fromUtf8(c.expected);
    const QString wanted = expected.startsWith(QLatin1Char('/')) ? expected : desktop.program(expected);
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->text() == wanted; }, 5000)) << box->text().toStdString();
    EXPECT_EQ(f.window->statusText(), QString()) << "start-up does not talk about editors";
    if (wanted == expected) { // none installed: the editor button says what it looked for
        f.window->pressButton(ButtonCommand::EditorRename);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return f.window->statusText().contains(QLatin1String("$VISUAL")); }));
        EXPECT_TRUE(f.window->statusText().contains(QLatin1String("mousepad")));
        EXPECT_EQ(box->text(), expected);
    }
}

const FallbackCase kFallbackCases[] = {
    {"visual", "myedit --wait", "mousepad", nullptr, "myedit|mousepad", "myedit"},
    {"desktop default", "vi", nullptr, "myedit.desktop", "vi|myedit|mousepad", "myedit"},
    {"terminal desktop entry skipped", nullptr, nullptr, "vim.desktop", "vim|mousepad", "mousepad"},
    {"none keeps the text", nullptr, "nano", "vim.desktop", "nano", "/no/such/editor"},
};
INSTANTIATE_TEST_SUITE_P(Table, EditorFallbackWindow, ::testing::ValuesIn(kFallbackCases), CaseName());

TEST(EditorFallbackWindow, TheEditorButtonStartsOnceTheDesktopHasAnswered)
{
    WindowFixture f;
    // A saved editor that exists: start-up asks nobody.
    f.window->setSettingsPath(SettingsWithEditor(f, f.makeFile(QStringLiteral("editor"))));
    f.window->startUp({f.makeFile(QStringLiteral("a.txt"))});
    const FakeDesktop desktop(nullptr, nullptr, "myedit.desktop", "myedit");
    auto* box = f.child<QLineEdit>("txtName");
    box->setText(QStringLiteral("/gone/editor"));
    f.window->pressButton(ButtonCommand::EditorRename);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.window->editorRoundTrip()->isRunning(); }, 5000));
    EXPECT_EQ(box->text(), desktop.program(QStringLiteral("myedit")));
}

} // namespace
