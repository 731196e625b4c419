#include "core/StoredSettings.h"
#include "core/FileTrust.h"
#include "core/SettingsPath.h"

#include "tests/support/NativeForms.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestFiles.h"
#include "tests/support/Utf8.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QList<int> kDesignWidths{120, 120, 120, 200};

class StoredSettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("setting.ini"));
};

TEST_F(StoredSettingsFile, MissingFileGivesTheDefaultsAndEveryKeyReadsBack)
{
    // Reading never creates the file; the defaults saved give every key in write order.
    const StoredSettings defaults = LoadStoredSettings(path, kDesignWidths);
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(SaveStoredSettings(path, defaults));
    // A new file ends its lines the system's way.
    EXPECT_EQ(ReadBytes(path),
              NativeLines("[Quorvane]\nWinState=0\nX=0\nY=0\nH=3600\nW=4800\n"
                          "Col01=120\nCol02=120\nCol03=120\nCol04=200\n"
                          "Editer=\nEditerBoot=0\nFolder=0\nTop=0\nIcon=0\nCase=0\nHistory=\n"
                          "Chain=0\nCycle=0\n"));

    // Every key at a value other than its default comes back as it was.
    const QByteArray stored("[Quorvane]\nWinState=0\nX=150\nY=-300\nH=3000\nW=4000\n"
                            "Col01=100\nCol02=110\nCol03=120\nCol04=130\nEditer=/usr/bin/メモ帳\n"
                            "EditerBoot=-1\nFolder=-1\nTop=-1\nIcon=-1\nCase=1\nHistory=写真_<001>|/B|/\n"
                            "Chain=-1\nCycle=-1\n");
    WriteBytes(path, stored);
    const QString again = dir.filePath(QStringLiteral("again.ini"));
    ASSERT_TRUE(SaveStoredSettings(again, LoadStoredSettings(path, kDesignWidths)));
    EXPECT_EQ(ReadBytes(again), NativeLines(stored));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file stays";
}

TEST_F(StoredSettingsFile, SaveKeepsWhatItDoesNotWriteAndTheNormalRectangle)
{
    WriteBytes(path, "; note\n[Quorvane]\nWinState=0\nX=15\nY=30\nH=4500\nW=6000\nCol01=80\nFuture=keep\n\n"
                     "[Elsewhere]\nCase=9\n");
    StoredSettings s = LoadStoredSettings(path, kDesignWidths);
    s.windowState = WindowState::Maximised;
    s.left = s.top = 0;
    s.height = s.width = 99999; // the maximised size must not be stored
    ASSERT_TRUE(SaveStoredSettings(path, s));
    EXPECT_TRUE(ReadBytes(path).startsWith("; note\n[Quorvane]\nWinState=2\nX=15\n"));
    EXPECT_TRUE(ReadBytes(path).contains("Col01=80\nFuture=keep\nCol02=120\n"));
    EXPECT_TRUE(ReadBytes(path).endsWith("Cycle=0\n\n[Elsewhere]\nCase=9\n"));

    const StoredSettings back = LoadStoredSettings(path, kDesignWidths);
    EXPECT_EQ(back.windowState, WindowState::Maximised);
    EXPECT_EQ(QList<int>({back.left, back.top, back.height, back.width}), QList<int>({15, 30, 4500, 6000}));
    EXPECT_EQ(back.columnWidths, (QList<int>{80, 120, 120, 200}));

    // On a fresh file a maximised window writes no rectangle at all.
    const QString fresh = dir.filePath(QStringLiteral("fresh.ini"));
    ASSERT_TRUE(SaveStoredSettings(fresh, s));
    EXPECT_TRUE(ReadBytes(fresh).startsWith(NativeLines("[Quorvane]\nWinState=2\nCol01=80\n")));
    // A settings path that is a folder: the settings file's failure comes through.
    const QString folder = dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkdir(folder));
    QString error;
    EXPECT_FALSE(SaveStoredSettings(folder, s, &error));
    EXPECT_FALSE(error.isEmpty());
}

// Only -1 shows icons, any other non-zero option is on; unknown window states
// are a normal window, unreadable numbers take their default.
TEST_F(StoredSettingsFile, ReadsValuesAsTheyAreStored)
{
    WriteBytes(path, "[Quorvane]\nIcon=1\nFolder=7\nTop=yes\nWinState=5\nW=wide\nH=\nHistory=|/A|/|/B\n");
    StoredSettings s = LoadStoredSettings(path, kDesignWidths);
    const Options& o = s.options;
    // icons, folders, topmost, window state, width, height
    EXPECT_EQ(QList<int>({o.iconsShown, o.foldersAsRows, o.topMost, int(s.windowState), s.width, s.height}),
              QList<int>({false, true, false, int(WindowState::Normal), 4800, 3600}));
    EXPECT_EQ(s.insertionHistory, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    WriteBytes(path, "[Quorvane]\nWinState=1\nW=6000twips\n");
    s = LoadStoredSettings(path, kDesignWidths);
    EXPECT_EQ(QList<int>({int(s.windowState), s.width}), QList<int>({int(WindowState::Minimised), 6000}));
}

TEST(SettingsFolder, TakesThePortableCopyOnlyWhenItIsTheUsersOwn)
{
    const QString home = QStringLiteral("/home/u/.config/Quorvane"), portable = QStringLiteral("/opt/q");
    const FileFacts folder{true, false, false, true, 1000, false};
    const FileFacts file{true, false, true, false, 1000, false};
    const FileFacts shared{true, false, true, false, 1000, true};
    struct {
        const char* name;
        // settings {}: no setting.ini there
        FileFacts folder, settings;
        uint currentUser;
        const char* prefix;
        const QString& expected;
    } const cases[] = {
        {"the user's own portable copy", folder, file, 1000, "", portable},
        {"no setting.ini beside the executable", folder, {}, 1000, "", home},
        {"folder writable by others", {true, false, false, true, 1000, true}, file, 1000, "", home},
        {"setting.ini of another user", folder, {true, false, true, false, 1001, false}, 1000, "", home},
        {"setting.ini writable by others", folder, shared, 1000, "", home},
        {"setting.ini as a symbolic link", folder, {true, true, false, false, 1000, false}, 1000, "", home},
        {"under the installation prefix", folder, file, 1000, "/opt", home},
    };
    for (const auto& c : cases) {
        const QHash<QString, FileFacts> facts{{portable, c.folder},
                                              {portable + QStringLiteral("/setting.ini"), c.settings}};
        const ScopedFileTrustProbe probe(
            {[&facts](const QString& path, QByteArray*, qint64) { return facts.value(path); },
             c.currentUser});
        EXPECT_EQ(
            ChooseSettingsFolder({}, portable, home, {U(c.prefix)}, [](const QString&) { return true; }),
            c.expected)
            << c.name;
    }
    EXPECT_EQ(ChooseSettingsFolder(QStringLiteral("/tmp/cfg"), portable, home, {}, {}),
              QStringLiteral("/tmp/cfg"));
}

TEST(SettingsFolder, UsesAndCreatesTheConfiguredFolder)
{
    QTemporaryDir dir;
    const QString configured = dir.filePath(QStringLiteral("not/yet/there"));
    const QByteArray saved = qgetenv("QUORVANE_CONFIG_DIR");
    qputenv("QUORVANE_CONFIG_DIR", configured.toUtf8());
    EXPECT_EQ(SettingsFolder(), configured);
    EXPECT_TRUE(QFileInfo(configured).isDir());
    EXPECT_EQ(SettingsPath(), QDir::toNativeSeparators(configured + QStringLiteral("/setting.ini")));
    EXPECT_EQ(ExchangeFilePath(), QDir::toNativeSeparators(configured + QStringLiteral("/ReName.txt")));
    qputenv("QUORVANE_CONFIG_DIR", saved);
    EXPECT_EQ(SettingsFolder(), TemporaryConfigFolder());

    EXPECT_TRUE(CanCreateFilesIn(dir.path()));
    EXPECT_FALSE(CanCreateFilesIn(dir.filePath(QStringLiteral("missing"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{}); // the probe is gone
}

} // namespace
