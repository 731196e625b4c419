#include "editor/EditorRoundTrip.h"
#include "core/CommandError.h"
#include "platform/QProcessEditorLauncher.h"

#include "core/NameBytes.h"
#include "tests/support/FakeServices.h"
#include "tests/support/RenameRows.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TestFiles.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Result = EditorLauncher::Result;

class FakeLauncher final : public EditorLauncher {
public:
    QString defaultEditor() const override { return QStringLiteral("/usr/bin/default-editor"); }
    bool wantsByteOrderMark() const override { return false; }
    void launch(const QString& editor, const QString& file) override { launches << editor + u'>' + file; }
    bool isEditorOpen() const override { return open; }
    void closeEditor() override { ++closeRequests; }

    QStringList launches;
    bool open = true;
    int closeRequests = 0;
};

// A round trip over rows whose earlier new names are upper case. What it
// asks of the window is logged; a rename request is answered at once (the
// renaming is the window's walk) unless the test answers later.
class Bench {
public:
    Bench(const char* names, EditorLauncher& launcher, const char* exchangeName = "ReName.txt")
        : exchange(m_dir.filePath(QString::fromUtf8(exchangeName)))
        , trip(list, exchange, launcher)
    {
        for (const QString& name : Split(names))
            list.append({name, name.toUpper(), {}, m_dir.path(), 0});
        const auto log = [this](const char* event) {
            return [this, event](const QString& text = {}) { events << QString::fromUtf8(event) + text; };
        };
        QObject::connect(&trip, &EditorRoundTrip::hideRequested, log("hide"));
        QObject::connect(&trip, &EditorRoundTrip::showRequested, log("show"));
        QObject::connect(&trip, &EditorRoundTrip::raiseRequested, log("front"));
        QObject::connect(&trip, &EditorRoundTrip::captionChanged, log("caption:"));
        QObject::connect(&trip, &EditorRoundTrip::editorPathChanged, log("path:"));
        QObject::connect(&trip, &EditorRoundTrip::problem, [this](const QString& text) {
            events << QStringLiteral("problem");
            problem = text;
        });
        QObject::connect(&trip, &EditorRoundTrip::renameRequested, [this] {
            events << QStringLiteral("rename");
            if (!answerLater)
                trip.renameFinished(renameFailure.isEmpty(), renameFailure);
        });
    }
    [[nodiscard]] QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

private:
    QTemporaryDir m_dir;

public:
    RenameList list;
    QString exchange;
    EditorRoundTrip trip;
    QStringList events;
    QString problem;
    QString renameFailure;
    bool answerLater = false;
};

void SetFileTime(const QString& path, qint64 msecs)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::fromMSecsSinceEpoch(msecs), QFileDevice::FileModificationTime);
}

// --- the states, with a fake editor and ticks driven by the test ----------

TEST(EditorRoundTripStates, RefusalsStartNothing)
{
    FakeLauncher launcher;
    Bench empty(nullptr, launcher), lineBreak("a.txt|bad\nname", launcher);
    Bench unwritable("a.txt", launcher, "no/such/folder/ReName.txt");
    EXPECT_FALSE(empty.trip.start(QStringLiteral("/usr/bin/true")));
    EXPECT_THROW(lineBreak.trip.start(QStringLiteral("/usr/bin/true")), CommandError);
    EXPECT_THROW(unwritable.trip.start(QStringLiteral("/usr/bin/true")), CommandError);
    EXPECT_TRUE(launcher.launches.isEmpty());
    EXPECT_FALSE(empty.trip.isRunning() || lineBreak.trip.isRunning() || unwritable.trip.isRunning());
    EXPECT_EQ(lineBreak.trip.exchangeFilePath(), QString()) << "the file is given up with the start";
}

TEST(EditorRoundTripStates, LaunchAnswers)
{
    const std::pair<Result, const char*> cases[] = {
        // Events after one tick with the editor still open.
        {Result::Tracked, "path:/usr/bin/default-editor|caption:Quorvane|hide"},
        {Result::Untracked,
         "path:/usr/bin/default-editor|caption:ハンドルが見つかりませんでした|hide|show|front"},
        {Result::NotStarted, "path:/usr/bin/default-editor|problem"},
    };
    for (const auto& [result, events] : cases) {
        FakeLauncher launcher;
        Bench b("a.txt|b.txt", launcher);
        b.list.swapRows(0, 1);
        int runningChanges = 0;
        QObject::connect(&b.trip, &EditorRoundTrip::runningChanged, [&] { ++runningChanges; });
        ASSERT_TRUE(b.trip.start(b.path("missing-editor")));
        EXPECT_EQ(ReadBytes(b.exchange), "b.txt\r\na.txt\r\n") << "one line per row, in row order";
        EXPECT_FALSE(b.trip.start(QString())) << "a second press while the editor starts";
        EXPECT_EQ(launcher.launches, QStringList{launcher.defaultEditor() + u'>' + b.exchange});
        Q_EMIT launcher.launched(result, QStringLiteral("why"));
        b.trip.tick();
        EXPECT_EQ(b.events, Split(events));
        const bool waits = result == Result::Tracked;
        EXPECT_EQ(runningChanges, waits ? 1 : 2);
        EXPECT_EQ(QFile::exists(b.exchange), waits) << "the exchange file goes with the round trip";
    }
}

enum class Change {
    None,
    Remove,
    Save,
    SaveInTheSameSecond,
    TouchOnly,
    Link,
    SaveAndRenameRow,
    SaveInPieces
};

struct TickCase {
    const char* name;
    Change change;
    QByteArray saved;
    bool editorOpen;
    const char* events;
    const char* newNames;
    int closeRequests;
    const char* answer = ""; // the window's: "later", or why the rename failed
    const char* problem = nullptr;
    bool waits = false; // the round trip still runs after the ticks
};

const TickCase kTickCases[] = {
    {"closed unsaved", Change::None, {}, false, "show|front", "A|B", 0},
    {"file gone while open", Change::Remove, {}, true, nullptr, "A|B", 0, "", nullptr, true},
    // Saving without a change takes the names as they stand.
    {"touch in the same second", Change::TouchOnly, {}, true, "show|rename|front", "a|b", 1},
    {"new content, same time", Change::SaveInTheSameSecond, "x\r\ny\r\n", true, "show|rename|front", "x|y",
     1},
    {"saved then closed", Change::Save, "x\r\ny\r\n", false, "show|front|rename|front", "x|y", 0},
    {"rename failure", Change::Save, "x\r\ny\r\n", true, "show|rename|problem|front", "x|y", 1, "disk full",
     "disk full"},
    {"long rename", Change::Save, "x\r\ny\r\n", true, "show|rename|front", "x|y", 1, "later"},
    // A save is taken once it has settled, never half-written.
    {"saved in pieces", Change::SaveInPieces, "x\r\ny\r\n", true, "show|rename|front", "x|y", 1},
    // Lines are matched to rows top down: one missing would shift every name.
    {"fewer lines", Change::Save, "x\r\n", true, "show|problem", "A|B", 0, "",
     "エディタで保存された行数（1 行）がファイルの数（2 件）と違うため、リネームしませんでした。1 行に 1 "
     "件ずつ 2 "
     "行にして、保存し直してください。エディタを閉じたときは、もう一度「エディタ」を押してください。",
     true},
    {"not utf8", Change::Save, "\x8A\xBF\r\n", true, "show|front|problem", "A|B", 0},
    // A line was written for one file; once rows move or are renamed it would
    // name another.
    {"row renamed meanwhile", Change::SaveAndRenameRow, "x\r\ny\r\n", true, "show|front|problem", "A|B", 1},
    {"link in place of the file", Change::Link, "x\r\ny\r\n", true, "show|front|problem", "A|B", 0, "",
     "エディタで保存された名前を読み込みませんでした。「ReName.txt」はシンボリックリンクです。「"},
};

TEST(EditorRoundTripTicks, TakeWhatWasSaved)
{
    for (const TickCase& c : kTickCases) {
        SCOPED_TRACE(c.name);
#ifdef Q_OS_WIN
        // Windows makes symbolic links only with a privilege (Wine not at
        // all), and QFile::link makes a shortcut, which is a plain file.
        if (c.change == Change::Link)
            continue;
#endif
        FakeLauncher launcher;
        Bench b("a|b", launcher);
        const bool later = QByteArray(c.answer) == "later";
        b.answerLater = later;
        b.renameFailure = later ? QString() : QString::fromUtf8(c.answer);
        ASSERT_TRUE(b.trip.start(b.exchange));
        const qint64 stamp = 1'700'000'000'100; // the stamp keeps the fraction of a second
        SetFileTime(b.exchange, stamp);
        Q_EMIT launcher.launched(Result::Tracked, {});
        b.events.clear();
        if (c.change == Change::Remove || c.change == Change::Link)
            QFile::remove(b.exchange);
        if (c.change == Change::Link) {
            WriteBytes(b.path("target"), c.saved);
            QFile::link(b.path("target"), b.exchange);
        }
        if (c.change == Change::SaveAndRenameRow)
            RenameList::EditScope(b.list).row(0).currentName = QStringLiteral("c");
        const bool saved = c.change != Change::None && c.change != Change::Remove && c.change != Change::Link;
        if (saved && c.change != Change::TouchOnly)
            WriteBytes(b.exchange, c.change == Change::SaveInPieces ? c.saved.left(3) : c.saved);
        if (saved)
            SetFileTime(b.exchange, stamp + (c.change == Change::SaveInTheSameSecond ? 0 : 800));
        launcher.open = c.editorOpen;

        b.trip.tick();
        if (c.change == Change::SaveInPieces)
            WriteBytes(b.exchange, c.saved);
        b.trip.tick();
        b.trip.tick();
        EXPECT_EQ(b.trip.isRunning(), c.waits || later);
        if (later)
            b.trip.renameFinished(true);
        EXPECT_EQ(b.events, Split(c.events));
        EXPECT_EQ(NewNames(b.list), Split(c.newNames));
        EXPECT_EQ(launcher.closeRequests, c.closeRequests);
        EXPECT_TRUE(!c.problem || b.problem.startsWith(U(c.problem))) << b.problem;
        EXPECT_EQ(QFileInfo::exists(b.exchange), c.waits && c.change == Change::Save)
            << "removed at the end (or by the test)";
    }
}

// A name that is not UTF-8 goes to the editor as the list shows it; a line
// left as it was keeps the file's own bytes, an edited one is the new name.
TEST(EditorRoundTripTicks, NamesThatAreNotUtf8GoAsShownAndComeBackOnlyWhenEdited)
{
    FakeLauncher launcher;
    Bench b("a|b", launcher);
    const QString cp932 = DecodeFileName("\x83\x65\x83\x58\x83\x67.txt");
    const QString neither = DecodeFileName("\xff.bin");
    RenameList::EditScope(b.list).row(0).currentName = cp932;
    RenameList::EditScope(b.list).row(1).currentName = neither;
    ASSERT_TRUE(b.trip.start(b.exchange));
    EXPECT_EQ(ReadBytes(b.exchange), U("テスト.txt\r\n\uFFFD.bin\r\n").toUtf8());
    SetFileTime(b.exchange, 1'700'000'000'100);
    Q_EMIT launcher.launched(Result::Tracked, {});
    launcher.open = false;
    WriteBytes(b.exchange, U("テスト.txt\r\n直した.bin\r\n").toUtf8());
    SetFileTime(b.exchange, 1'700'000'000'900);
    b.trip.tick();
    EXPECT_EQ(NewNames(b.list), QStringList({cp932, QStringLiteral("直した.bin")}));
}

// --- real editors: processes started by the process launcher --------------
// The states themselves are the ticks' above; these check that the launcher
// answers each kind of start as the round trip expects.

TEST(EditorRoundTripWithProcess, TakesWhatTheEditorSaved)
{
    constexpr char kNoWindow[] = "caption:ハンドルが見つかりませんでした|hide|show|front";
    const std::tuple<const char*, const char*, const char*> cases[] = {
    // the editor: a script (#!/bin/sh unless it names another; a batch file
    // on Windows, "saved" standing for a file of the new names) or a
    // document; the new names; the events
#ifdef Q_OS_WIN
        // A console program has no window to be asked to close: this one
        // ends by itself a few seconds on.
        {"type saved > \"%~1\"\nping -n 6 127.0.0.1 >nul", "漢字 😀.txt|ｶﾀｶﾅ.txt",
         "caption:Quorvane|hide|show|rename|front"},
        {"exit /b 0", "A|B", kNoWindow},
        {"%PDF", "A|B", kNoWindow},
        // Nothing runs, so the window never hides, keeps its caption and says why.
        {"MZ but no program", "A|B", "problem"},
#else
        {"printf '漢字 😀.txt\\r\\nｶﾀｶﾅ.txt\\r\\n' > \"$1\"; exec sleep 30", "漢字 😀.txt|ｶﾀｶﾅ.txt",
         "caption:Quorvane|hide|show|rename|front"},
        {"exit 0", "A|B", kNoWindow},
        {"%PDF", "A|B", kNoWindow},
        // Nothing runs, so the window never hides, keeps its caption and says why.
        {"#!/nonexistent/interpreter", "A|B", "problem"},
#endif
    };
    for (const auto& [script, newNames, events] : cases) {
        FakeShell shell;
        QProcessEditorLauncher launcher(shell, QString());
        Bench b("a|b", launcher);
        b.trip.findChild<QTimer*>(QStringLiteral("saveWatch"))->setInterval(20);
        const bool document = QByteArray(script).startsWith("%PDF");
#ifdef Q_OS_WIN
        const bool broken = QByteArray(script).startsWith("MZ");
        const QString editor = b.path(document ? "manual.pdf" : broken ? "editor.exe" : "editor.cmd");
        WriteBytes(b.path("saved"), U("漢字 😀.txt\r\nｶﾀｶﾅ.txt\r\n").toUtf8());
        document || broken ? WriteBytes(editor, script)
                           : void(WriteBatchFile(editor, QByteArray("cd /d \"%~dp0\"\n") + script));
#else
        const QString editor = b.path(document ? "manual.pdf" : "editor");
        document ? WriteBytes(editor, script) : void(WriteScript(editor, script));
#endif
        ASSERT_TRUE(b.trip.start(editor));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !b.trip.isRunning(); }, 10000));
        EXPECT_EQ(NewNames(b.list), Split(newNames)) << script;
        EXPECT_EQ(b.events, Split(events)) << script;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !launcher.isEditorOpen(); }, 10000))
            << "the editor was asked to close";
        EXPECT_EQ(shell.opened, document ? QStringList{editor} : QStringList{});
    }
}

// A bare program name is looked for on PATH, as a shell would; a relative
// path is not.
TEST(EditorLauncherProcess, LooksForABareNameOnPath)
{
    QTemporaryDir bin;
    QDir(bin.path()).mkdir(QStringLiteral("sub"));
    for (const char* name : {"my-editor", "sub/my-editor"}) {
#ifdef Q_OS_WIN
        // Found by PATHEXT's extensions, as the command prompt would.
        WriteBatchFile(bin.filePath(U(name) + QStringLiteral(".cmd")), "exit /b 0");
#else
        WriteScript(bin.filePath(U(name)), "exit 0");
#endif
    }
    const ScopedEnvironment env{{"PATH", QFile::encodeName(QDir::toNativeSeparators(bin.path()))}};
    for (const auto& [name, found] : {std::pair{"my-editor", true}, std::pair{"sub/my-editor", false}}) {
        FakeShell shell;
        QProcessEditorLauncher launcher(shell, QString());
        std::optional<Result> answer;
        QObject::connect(&launcher, &EditorLauncher::launched, [&](Result result) { answer = result; });
        launcher.launch(U(name), bin.filePath(QStringLiteral("ReName.txt")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }));
        EXPECT_EQ(*answer != Result::NotStarted, found) << name;
    }
}

} // namespace
