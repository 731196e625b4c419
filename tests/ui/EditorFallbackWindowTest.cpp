// The editor taken when the editor path names none, in the real window.
#include "core/IniDocument.h"
#include "editor/EditorRoundTrip.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/ui/WindowFixture.h"

namespace {

// The editor setting saved in the settings file; the window started over one file.
void StartWithSavedEditor(WindowFixture& f, const QString& editor)
{
    const QString ini = f.path(QStringLiteral("setting.ini"));
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("Editer"), editor, ini);
    f.window->session().setSettingsPath(ini);
    f.window->startUp({f.makeFile(QStringLiteral("a.txt"))});
}

#ifdef Q_OS_WIN
// Windows has its editor: it asks no desktop and is there at once.
TEST(EditorFallbackWindow, AMissingSavedEditorIsReplacedAtStartUp)
{
    WindowFixture f;
    StartWithSavedEditor(f, QStringLiteral("C:/no/such/editor.exe"));
    EXPECT_EQ(f.child<QLineEdit>("editorPathBox")->text(), QStringLiteral("notepad.exe"));
    EXPECT_EQ(f.window->statusText(), QString()) << "start-up does not talk about editors";
}
#else
// A fake desktop (xdg-mime and desktop entries) and programs in a PATH of
// the test's own.
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

TEST(EditorFallbackWindow, AMissingSavedEditorIsReplacedAtStartUp)
{
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        // $VISUAL, $EDITOR (nullptr: unset), what xdg-mime answers (nullptr: no
        // xdg-mime), the programs installed, the program in the box or the text kept
        {"myedit --wait", "mousepad", nullptr, "myedit|mousepad", "myedit"},
        {"vi", nullptr, "myedit.desktop", "vi|myedit|mousepad", "myedit"},
        {nullptr, nullptr, "vim.desktop", "vim|mousepad", "mousepad"}, // a terminal desktop entry
        {nullptr, "nano", "vim.desktop", "nano", "/no/such/editor"},
    };
    for (const auto& [visual, editor, desktopEntry, programs, expected] : cases) {
        const FakeDesktop desktop(visual, editor, desktopEntry, programs);
        WindowFixture f;
        StartWithSavedEditor(f, QStringLiteral("/no/such/editor"));
        auto* box = f.child<QLineEdit>("editorPathBox");
        const QString wanted = *expected == '/' ? U(expected) : desktop.program(U(expected));
        EXPECT_TRUE(QTest::qWaitFor([&] { return box->text() == wanted; }, 5000))
            << box->text().toStdString();
        EXPECT_EQ(f.window->statusText(), QString()) << "start-up does not talk about editors";
        if (*expected == '/') { // none installed: the editor button says what it looked for
            QSignalSpy missing(&f.window->session(), &RenameSession::editorMissing);
            f.window->pressButton(Command::EditorRename);
            EXPECT_TRUE(missing.count() > 0 || missing.wait(5000));
            const QString text = missing.value(0).value(0).toString();
            EXPECT_TRUE(text.contains(QLatin1String("$VISUAL")) && text.contains(QLatin1String("mousepad")));
            EXPECT_TRUE(text.contains(QStringLiteral("「オプション」→「エディタの指定」")));
            EXPECT_EQ(box->text(), U(expected));
        } else { // the editor button asks the desktop too, and starts once it has answered
            box->setText(QStringLiteral("/gone/editor"));
            QSignalSpy started(f.window->session().editorRoundTrip(), &EditorRoundTrip::runningChanged);
            f.window->pressButton(Command::EditorRename);
            EXPECT_TRUE(started.count() > 0 || started.wait(5000));
        }
    }
}
#endif

} // namespace
