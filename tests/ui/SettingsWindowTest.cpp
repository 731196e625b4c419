#include "core/FileTrust.h"
#include "core/mod_ini.h"
#include "tests/support/Utf8.h"
#include "tests/ui/WindowFixture.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTableView>

#include <tuple>

#include <gtest/gtest.h>

namespace {

QStringList keysOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList keys;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            keys.append(QString::fromUtf8(line.left(equals)).trimmed());
    }
    return keys;
}

struct SettingsWindow : WindowFixture {
    QString ini;
    SettingsWindow()
    {
        ini = path(QStringLiteral("setting.ini"));
        window->setSettingsPath(ini);
    }
    void restart()
    {
        window->close();
        window = makeWindow();
        window->setSettingsPath(ini);
        window->startUp({});
    }
};

TEST(SettingsWindow, FirstStartHasTheDefaults)
{
    SettingsWindow f;
    f.window->startUp({});
    EXPECT_FALSE(f.window->action(QStringLiteral("mnuOptItem_1"))->isChecked());
    EXPECT_FALSE(f.window->action(QStringLiteral("mnuOptItem_2"))->isChecked());
    EXPECT_FALSE(f.window->action(QStringLiteral("mnuViewItem_0"))->isChecked());
    EXPECT_FALSE(f.window->action(QStringLiteral("mnuViewItem_1"))->isChecked());
    EXPECT_EQ(f.window->findChild<QComboBox*>(QStringLiteral("Combo1"))->count(), 0);
    EXPECT_EQ(f.window->findChild<QTableView*>(QStringLiteral("ListView1"))->columnWidth(3),
              qRound(5000 * f.window->logicalDpiX() / 1440.0));
}

TEST(SettingsWindow, CloseWritesEveryKeyInOrderAndTheNextStartRestoresThem)
{
    SettingsWindow f;
    f.window->startUp({});
    f.window->show();
    f.window->move(30, 45);
    f.window->resize(760, 450); // inside the offscreen screen's 800 by 600
    f.window->action(QStringLiteral("mnuOptItem_2"))->trigger();
    f.window->action(QStringLiteral("mnuViewItem_1"))->trigger();
    f.window->findChild<QCheckBox*>(QStringLiteral("chkCase"))->setChecked(true);
    auto* combo = f.window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    combo->addItems({QStringLiteral("写真_<001>"), QStringLiteral("B"), QStringLiteral("C")});
    const QString editor = f.makeFile(QStringLiteral("エディタ"));
    f.window->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(editor);
    f.window->findChild<QTableView*>(QStringLiteral("ListView1"))->setColumnWidth(1, 222);
    f.window->close();

    EXPECT_EQ(keysOf(f.ini),
              (QStringList{QStringLiteral("WinState"), QStringLiteral("X"), QStringLiteral("Y"),
                           QStringLiteral("H"), QStringLiteral("W"), QStringLiteral("Col01"),
                           QStringLiteral("Col02"), QStringLiteral("Col03"), QStringLiteral("Col04"),
                           QStringLiteral("Editer"), QStringLiteral("EditerBoot"), QStringLiteral("Folder"),
                           QStringLiteral("Top"), QStringLiteral("Icon"), QStringLiteral("Case"),
                           QStringLiteral("History")}));
    EXPECT_EQ(IniReadString(QStringLiteral("Quorvane"), QStringLiteral("History"), {}, f.ini),
              QStringLiteral("写真_<001>|/B|/C|/"));
    EXPECT_EQ(IniReadInt(QStringLiteral("Quorvane"), QStringLiteral("Icon"), 0, f.ini), -1);
    EXPECT_EQ(IniReadInt(QStringLiteral("Quorvane"), QStringLiteral("Col02"), 0, f.ini), 222);

    f.restart();
    EXPECT_TRUE(f.window->action(QStringLiteral("mnuOptItem_2"))->isChecked());
    EXPECT_TRUE(f.window->action(QStringLiteral("mnuViewItem_1"))->isChecked());
    EXPECT_TRUE(f.window->findChild<QCheckBox*>(QStringLiteral("chkCase"))->isChecked());
    EXPECT_EQ(f.window->findChild<QLineEdit*>(QStringLiteral("txtName"))->text(), editor);
    EXPECT_EQ(f.window->findChild<QComboBox*>(QStringLiteral("Combo1"))->count(), 3);
    EXPECT_EQ(f.window->findChild<QComboBox*>(QStringLiteral("Combo1"))->itemText(0),
              QStringLiteral("写真_<001>"));
    EXPECT_EQ(f.window->findChild<QTableView*>(QStringLiteral("ListView1"))->columnWidth(1), 222);
    f.window->show();
    EXPECT_EQ(f.window->pos(), QPoint(30, 45));
    EXPECT_EQ(f.window->size(), QSize(760, 450));
}

TEST(SettingsWindow, AMaximisedWindowKeepsTheLastNormalRectangle)
{
    SettingsWindow f;
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("X"), QStringLiteral("1500"), f.ini);
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("W"), QStringLiteral("12000"), f.ini);
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("Unknown"), QStringLiteral("kept"), f.ini);
    f.window->startUp({});
    f.window->showMaximized();
    f.window->close();
    EXPECT_EQ(IniReadInt(QStringLiteral("Quorvane"), QStringLiteral("WinState"), 0, f.ini), 2);
    EXPECT_EQ(IniReadInt(QStringLiteral("Quorvane"), QStringLiteral("X"), 0, f.ini), 1500);
    EXPECT_EQ(IniReadInt(QStringLiteral("Quorvane"), QStringLiteral("W"), 0, f.ini), 12000);
    EXPECT_EQ(IniReadString(QStringLiteral("Quorvane"), QStringLiteral("Unknown"), {}, f.ini),
              QStringLiteral("kept"));
    f.restart();
    EXPECT_TRUE(f.window->windowState().testFlag(Qt::WindowMaximized));
}

// A missing saved editor: DesktopWindowTest.
TEST(SettingsWindow, IconsNeedExactlyMinusOneAndTopIsRestored)
{
    SettingsWindow f;
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("Icon"), QStringLiteral("1"), f.ini);
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("Top"), QStringLiteral("1"), f.ini);
    f.window->startUp({});
    EXPECT_FALSE(f.window->action(QStringLiteral("mnuViewItem_1"))->isChecked());
    EXPECT_TRUE(f.window->action(QStringLiteral("mnuViewItem_0"))->isChecked());
    EXPECT_TRUE(f.window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST(WindowPlacement, KeepsTheWindowOnAScreen)
{
    const QRect primary(0, 0, 1280, 900);
    const QRect second(1280, 0, 1920, 1080);
    const QSize minimum(700, 400);
    struct {
        const char* name;
        QRect wanted;
        QRect expected;
    } const cases[] = {
        {"larger than every screen fills the one it covers most", {0, 0, 143165576, 143165576}, second},
        {"past the left and bottom edges moves back", {-300, 600, 800, 500}, {0, 400, 800, 500}},
        {"on a monitor that is gone goes to the primary", {-5000, -5000, 800, 500}, {0, 0, 800, 500}},
        {"mostly on the second screen moves onto it", {1000, 50, 800, 500}, {1280, 50, 800, 500}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceOnScreen(c.wanted, {primary, second}, minimum), c.expected) << c.name;
    // A screen smaller than the minimum still holds the whole window.
    EXPECT_EQ(PlaceOnScreen({50, 50, 800, 500}, {QRect(0, 0, 600, 300)}, minimum), QRect(0, 0, 600, 300));
}

TEST(SettingsWindow, AStoredRectangleNoScreenCanShowIsPutOnTheScreen)
{
    SettingsWindow f;
    for (const char* key : {"W", "H", "Y"})
        IniWriteString(QStringLiteral("Quorvane"), U(key), QStringLiteral("2147483647"), f.ini);
    IniWriteString(QStringLiteral("Quorvane"), QStringLiteral("X"), QStringLiteral("-2147483648"), f.ini);
    f.window->startUp({});
    f.window->show();
    const QRect screen = f.window->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(f.window->frameGeometry())) << f.window->frameGeometry().width();
    f.window->close();
    const int screenWidthTwips = screen.width() * 1440 / f.window->logicalDpiX();
    EXPECT_LE(IniReadInt(QStringLiteral("Quorvane"), QStringLiteral("W"), 0, f.ini), screenWidthTwips);
    EXPECT_GE(IniReadInt(QStringLiteral("Quorvane"), QStringLiteral("X"), -1, f.ini), 0);
}

// A settings file that is not a small regular file of the user's own is not
// read (the window starts with the defaults and says so) and not written.
TEST(SettingsWindow, ASettingsFileThatIsNotTheUsersOwnIsNeitherReadNorWritten)
{
    const char* topmost = "printf '[Quorvane]\\nTop=-1\\n' > setting.ini";
    struct {
        const char* name;
        QString plant; // a shell command run in the settings folder
        bool stranger; // the current user is someone else
    } const cases[] = {
        {"pipe", QStringLiteral("mkfifo setting.ini"), false},
        {"larger than 1 MiB", U(topmost) + QStringLiteral("; head -c 1048576 /dev/zero >> setting.ini"),
         false},
        {"link to a device", QStringLiteral("ln -s /dev/zero setting.ini"), false},
        {"another user's", U(topmost), true},
        {"writable by others", U(topmost) + QStringLiteral("; chmod o+w setting.ini"), false},
    };
    for (const auto& c : cases) {
        SettingsWindow f;
        const QStringList shell{QStringLiteral("-c"), QStringLiteral("cd \"$0\" && ") + c.plant,
                                f.dir.path()};
        ASSERT_EQ(QProcess::execute(QStringLiteral("/bin/sh"), shell), 0);
        const auto kindOf = [&f] {
            const QFileInfo info(f.ini);
            return std::make_tuple(info.isSymLink(), info.isFile(), info.size(), info.lastModified());
        };
        const auto before = kindOf();
        FileTrustProbe probe = SystemFileTrustProbe();
        if (c.stranger)
            probe.currentUser = 4242;
        const ScopedFileTrustProbe scoped(probe);

        f.window->startUp({});
        EXPECT_FALSE(f.window->action(QStringLiteral("mnuViewItem_0"))->isChecked()) << c.name;
        EXPECT_TRUE(f.window->statusText().startsWith(QStringLiteral("setting.ini を読み込まず"))) << c.name;
        f.window->close();
        EXPECT_EQ(kindOf(), before) << c.name << ": the file was written";
    }
}

} // namespace
