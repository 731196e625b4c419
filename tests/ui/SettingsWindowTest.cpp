#include "core/mod_ini.h"
#include "tests/ui/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

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
    f.window->resize(900, 500);
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
    EXPECT_EQ(f.window->size(), QSize(900, 500));
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

} // namespace
