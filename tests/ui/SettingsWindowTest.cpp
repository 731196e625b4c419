#include "core/FileTrust.h"
#include "core/IniDocument.h"
#include "tests/support/FolderAccess.h"
#include "tests/ui/WindowFixture.h"
#include "ui/WindowPlacement.h"

#include <QScreen>
#include <QTableView>

#include <tuple>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

struct SettingsWindow : WindowFixture {
    QString ini = path(QStringLiteral("setting.ini"));
    SettingsWindow() { window->session().setSettingsPath(ini); }
    void restart()
    {
        window->close();
        window = makeWindow();
        window->session().setSettingsPath(ini);
        window->startUp({});
    }
    int stored(const char* key) const { return IniReadInt(QStringLiteral("Quorvane"), U(key), -99, ini); }
    void store(const char* key, const char* value) const
    {
        IniWriteString(QStringLiteral("Quorvane"), U(key), U(value), ini);
    }
};

// The order and form of the keys are the settings file's own (core tests);
// here every setting goes from its control to the file and back.
TEST(SettingsWindow, WhatTheWindowShowsAtCloseComesBackAtTheNextStart)
{
    SettingsWindow f;
    for (const char* key : {"W", "H", "Y"}) // a rectangle no screen can show
        f.store(key, "2147483647");
    f.store("X", "-2147483648");
    f.window->startUp({}); // otherwise the first start has the defaults
    const Command toggled[] = {Command::FoldersAsRows, Command::StayOnTop, Command::ShowIcons,
                               Command::ChainOperations, Command::RenameCycles};
    for (const Command option : toggled)
        EXPECT_FALSE(f.window->action(option)->isChecked()) << SlotOf(option);
    f.window->show();
    EXPECT_TRUE(f.window->screen()->availableGeometry().contains(f.window->frameGeometry()));
    f.window->move(30, 45);
    f.window->resize(760, 450); // inside the offscreen screen's 800 by 600
    for (const Command option : toggled)
        f.trigger(option);
    f.child<QCheckBox>("ignoreCaseBox")->setChecked(true);
    for (const char* text : {"B", "写真_<001>"}) { // typed and used, the newest first
        f.child<QComboBox>("insertionBox")->setEditText(U(text));
        f.click(Command::ChangeName);
    }
    const QString editor = f.makeFile(QStringLiteral("エディタ"));
    f.child<QLineEdit>("editorPathBox")->setText(editor);
    f.child<QTableView>("fileList")->setColumnWidth(0, 222);

    f.restart();
    const QByteArray saved = ReadBytes(f.ini); // four columns, every history entry
    EXPECT_TRUE(saved.contains("\nCol04=") && !saved.contains("\nCol05=")) << saved.toStdString();
    for (const Command option : toggled)
        EXPECT_TRUE(f.window->action(option)->isChecked()) << SlotOf(option);
    EXPECT_TRUE(f.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.child<QCheckBox>("ignoreCaseBox")->isChecked());
    EXPECT_EQ(f.child<QLineEdit>("editorPathBox")->text(), editor);
    EXPECT_EQ(f.child<QComboBox>("insertionBox")->count(), 2);
    EXPECT_EQ(f.child<QComboBox>("insertionBox")->itemText(0), QStringLiteral("写真_<001>"));
    EXPECT_EQ(f.child<QTableView>("fileList")->columnWidth(0), 222);
    f.window->show();
    EXPECT_EQ(f.window->pos(), QPoint(30, 45));
    EXPECT_EQ(f.window->size(), QSize(760, 450));
    // Maximised at close, it starts maximised; the normal rectangle it keeps
    // is StoredSettingsFile's.
    f.window->showMaximized();
    f.restart();
    EXPECT_EQ(f.stored("WinState"), 2);
    EXPECT_TRUE(f.window->windowState().testFlag(Qt::WindowMaximized));
}

// Of several screens the window goes to the one it covers most, and onto the
// primary one when its monitor is gone.
TEST(WindowPlacement, PicksTheScreenItCoversMost)
{
    const QList<QRect> screens = {{0, 0, 1280, 900}, {1280, 0, 1920, 1080}};
    EXPECT_EQ(PlaceOnScreen({1000, 50, 800, 500}, screens, {700, 400}), QRect(1280, 50, 800, 500));
    EXPECT_EQ(PlaceOnScreen({-5000, -5000, 800, 500}, screens, {700, 400}), QRect(0, 0, 800, 500));
}

// A settings file that is not a small regular file of the user's own is not
// read (the window starts with the defaults and says so) and not written.
TEST(SettingsWindow, ASettingsFileThatIsNotTheUsersOwnIsNeitherReadNorWritten)
{
    static const QByteArray topmost = "[Quorvane]\nTop=-1\n";
    const struct {
        const char* name;
        void (*plant)(const QString& folder, const QString& ini);
        bool stranger; // owned by another
    } cases[] = {
        {"larger than 1 MiB",
         [](const QString&, const QString& ini) { WriteBytes(ini, topmost + QByteArray(1 << 20, '\0')); },
         false},
        {"a folder", [](const QString&, const QString& ini) { ASSERT_TRUE(QDir().mkdir(ini)); }, false},
#ifdef Q_OS_UNIX
        // Pipes and owners are POSIX's. Links and files others may write are
        // judged alike for every file read (JournalFolder, HelpMenu).
        {"pipe",
         [](const QString&, const QString& ini) {
             ASSERT_EQ(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
         },
         false},
        {"another user's", [](const QString&, const QString& ini) { WriteBytes(ini, topmost); }, true},
#endif
        {"in a folder others may write",
         [](const QString& folder, const QString& ini) {
             WriteBytes(ini, topmost);
             ASSERT_TRUE(LetOthersWriteIn(folder));
         },
         false},
    };
    for (const auto& c : cases) {
        SettingsWindow f;
        c.plant(f.dir.path(), f.ini);
        const auto kindOf = [&f] {
            const QFileInfo info(f.ini);
            return std::make_tuple(info.isSymLink(), info.isFile(), info.size(), info.lastModified());
        };
        const auto before = kindOf();
        FileTrustProbe probe = SystemFileTrustProbe();
        if (c.stranger)
            probe.currentUser = 4242; // whose folder the settings folder is not either
        const ScopedFileTrustProbe scoped(probe);

        f.window->startUp({});
        EXPECT_FALSE(f.window->action(Command::StayOnTop)->isChecked()) << c.name;
        // Each part of the text has its style checked by JapaneseTexts.
        EXPECT_TRUE(
            f.window->statusText().contains(QStringLiteral("今回の起動中に変えた設定は保存しません。")))
            << c.name << f.window->statusText().toStdString();
        f.window->close();
        EXPECT_EQ(kindOf(), before) << c.name << ": the file was written";
    }
}

} // namespace
