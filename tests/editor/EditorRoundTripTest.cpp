#include "editor/EditorRoundTrip.h"
#include "core/CommandError.h"
#include "core/Paths.h"
#include "core/RenameList.h"
#include "core/Services.h"
#include "editor/ExchangeFile.h"
#include "platform/QProcessEditorLauncher.h"

#include "tests/support/CaseName.h"
#include "tests/support/RenameRows.h"
#include "tests/support/TestFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Lists compare as text so that a failure shows the names.
std::string Joined(const QStringList& list)
{
    return list.join(QLatin1Char('|')).toStdString();
}

QByteArray Lines(const char* joined)
{
    QByteArray bytes;
    for (const QString& line : Split(joined))
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

// Files in a folder, listed in rows; the window's calls are logged, and the
// rename is a plain one that follows the rule of the real walk (only rows
// whose new name differs and is not empty).
class RoundTripBench {
public:
    RoundTripBench(const char* names, const char* earlierNewNames)
    {
        m_files = m_dir.filePath(QStringLiteral("files"));
        QDir().mkpath(m_files);
        const QStringList current = Split(names);
        const QStringList earlier = earlierNewNames ? Split(earlierNewNames) : current;
        for (qsizetype i = 0; i < current.size(); ++i) {
            WriteBytes(JoinPath(m_files, current.at(i)), current.at(i).toUtf8());
            list.append({current.at(i), earlier.at(i), {}, m_files, 0});
        }
        exchange = m_dir.filePath(QStringLiteral("ReName.txt"));
    }

    EditorRoundTripHooks hooks()
    {
        return {
            [this] { events << QStringLiteral("hide"); },
            [this] { events << QStringLiteral("show"); },
            [this] { events << QStringLiteral("front"); },
            [this](const QString& caption) { events << QStringLiteral("caption:") + caption; },
            [this](const QString& path) { events << QStringLiteral("path:") + path; },
            [this] {
                events << QStringLiteral("rename");
                if (!renameFailure.isEmpty())
                    throw CommandError(renameFailure);
                RenameList::EditScope scope(list);
                for (int row = 0; row < list.count(); ++row) {
                    const RenameEntry& entry = list.at(row);
                    if (entry.newName.isEmpty() || entry.newName == entry.currentName ||
                        !QFile::rename(FullPathOf(entry), JoinPath(entry.folder, entry.newName)))
                        continue;
                    RenameEntry& renamed = scope.row(row);
                    renamed.previousName = renamed.currentName;
                    renamed.currentName = renamed.newName;
                }
            },
        };
    }

    [[nodiscard]] QStringList filesOnDisk() const
    {
        QStringList files = QDir(m_files).entryList(QDir::Files);
        std::sort(files.begin(), files.end());
        return files;
    }
    [[nodiscard]] QString path(const QString& name) const { return m_dir.filePath(name); }

    // An editor: a shell script started on the exchange file. `t` holds the
    // file's time in seconds when it starts, `answer` what it saves.
    QString editorScript(const char* body, const QByteArray& answer)
    {
        WriteBytes(path(QStringLiteral("answer.txt")), answer);
        const QString script = path(QStringLiteral("editor.sh"));
        WriteBytes(script, "#!/bin/sh\nf=\"$1\"\nt=$(stat -c %Y \"$f\")\nanswer='" +
                               path(QStringLiteral("answer.txt")).toUtf8() + "'\n" + body + "\n");
        QFile::setPermissions(script, QFile::permissions(script) | QFileDevice::ExeOwner);
        return script;
    }

    RenameList list;
    QString exchange;
    QStringList events;
    QString renameFailure;

private:
    QTemporaryDir m_dir;
    QString m_files;
};

bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000)
{
    return QTest::qWaitFor(done, timeoutMs);
}

// --- the state machine, driven by hand ---------------------------------

class FakeLauncher final : public EditorLauncher {
public:
    QString defaultEditor() const override { return defaultPath; }
    bool wantsByteOrderMark() const override { return false; }
    void launch(const QString& editor, const QString& filePath) override
    {
        launches << editor + u'>' + filePath;
    }
    bool isEditorOpen() const override { return open; }
    void closeEditor() override { ++closeRequests; }
    void answer(Result result, const QString& reason = {}) { Q_EMIT launched(result, reason); }

    QString defaultPath = QStringLiteral("/usr/bin/default-editor");
    QStringList launches;
    bool open = true;
    int closeRequests = 0;
};

// Moves the exchange file's time to a later second, as a save does.
void Save(const QString& path, const QByteArray& bytes)
{
    const qint64 later = *ExchangeStamp(path) + 2000;
    WriteBytes(path, bytes);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::fromMSecsSinceEpoch(later), QFileDevice::FileModificationTime);
}

TEST(EditorRoundTripStates, OneRoundTripAtATimeWithTimer1OnlyWhileWaiting)
{
    RoundTripBench bench("a.txt|b.txt", nullptr);
    FakeLauncher launcher;
    EditorRoundTrip trip(bench.list, bench.exchange, launcher, bench.hooks());
    auto* timer = trip.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 1000);
    QSignalSpy running(&trip, &EditorRoundTrip::runningChanged);

    ASSERT_TRUE(trip.start(bench.path(QStringLiteral("missing-editor"))));
    EXPECT_EQ(trip.state(), EditorRoundTrip::State::Launching);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(trip.start(QString())) << "a second press while the editor starts";
    launcher.answer(EditorLauncher::Result::Tracked);
    EXPECT_EQ(trip.state(), EditorRoundTrip::State::Waiting);
    EXPECT_TRUE(timer->isActive());
    EXPECT_FALSE(trip.start(QString())) << "a second press while waiting";
    EXPECT_EQ(launcher.launches,
              QStringList{launcher.defaultPath + u'>' + QFileInfo(bench.exchange).absoluteFilePath()});

    launcher.open = false; // closed without saving
    ASSERT_TRUE(WaitUntil([&] { return !trip.isRunning(); }));
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(Joined(bench.events), "path:/usr/bin/default-editor|caption:Quorvane|hide|show|front");
    EXPECT_EQ(running.size(), 2);
    EXPECT_EQ(launcher.closeRequests, 0);
}

struct RefusalCase {
    const char* name;
    const char* names;
    const char* exchange; // relative to the bench folder
    bool throws;
};

class EditorRoundTripRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(EditorRoundTripRefusals, StartNothing)
{
    const RefusalCase& c = GetParam();
    RoundTripBench bench(c.names, nullptr);
    WriteBytes(bench.path(QStringLiteral("blocker")), "a file, not a folder");
    FakeLauncher launcher;
    const QString exchange = bench.path(QString::fromUtf8(c.exchange));
    EditorRoundTrip trip(bench.list, exchange, launcher, bench.hooks());
    if (c.throws)
        EXPECT_THROW(trip.start(QStringLiteral("/usr/bin/true")), CommandError);
    else
        EXPECT_FALSE(trip.start(QStringLiteral("/usr/bin/true")));
    EXPECT_FALSE(trip.isRunning());
    EXPECT_TRUE(launcher.launches.isEmpty());
    EXPECT_TRUE(bench.events.isEmpty());
    EXPECT_FALSE(QFile::exists(exchange));
}

const RefusalCase kRefusalCases[] = {
    {"empty list writes no file", nullptr, "ReName.txt", false},
    {"exchange file cannot be written", "a.txt", "blocker/ReName.txt", true},
    {"name with a line break", "a.txt|bad\nname", "ReName.txt", true},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorRoundTripRefusals, ::testing::ValuesIn(kRefusalCases), CaseName());

struct SaveOutcomeCase {
    const char* name;
    QByteArray saved;
    const char* renameFailure;
    const char* events;
    const char* newNames;
    int closeRequests;
    int problems;
    bool rowsMovedMeanwhile = false;
    bool replacedByLink = false; // the saved file is a link to a file holding `saved`
    const char* problem = nullptr;
};

class EditorRoundTripSaves : public ::testing::TestWithParam<SaveOutcomeCase> {};

TEST_P(EditorRoundTripSaves, EndTheRoundTripWithTheWindowBack)
{
    const SaveOutcomeCase& c = GetParam();
    RoundTripBench bench("a.txt|b.txt", "p|q");
    bench.renameFailure = QString::fromUtf8(c.renameFailure);
    FakeLauncher launcher;
    EditorRoundTrip trip(bench.list, bench.exchange, launcher, bench.hooks());
    QSignalSpy problems(&trip, &EditorRoundTrip::problem);
    ASSERT_TRUE(trip.start(bench.exchange));
    launcher.answer(EditorLauncher::Result::Tracked);
    bench.events.clear();
    if (c.rowsMovedMeanwhile)
        bench.list.swapRows(0, 1);
    if (c.replacedByLink) {
        WriteBytes(bench.path(QStringLiteral("target.txt")), c.saved);
        QFile::remove(bench.exchange);
        ASSERT_TRUE(QFile::link(bench.path(QStringLiteral("target.txt")), bench.exchange));
    } else {
        Save(bench.exchange, c.saved);
    }

    ASSERT_TRUE(WaitUntil([&] { return !trip.isRunning(); }));
    EXPECT_EQ(Joined(bench.events), c.events);
    EXPECT_EQ(Joined(NewNames(bench.list)), c.newNames);
    EXPECT_EQ(launcher.closeRequests, c.closeRequests);
    ASSERT_EQ(problems.size(), c.problems);
    if (c.problem) {
        EXPECT_EQ(problems.last().at(0).toString(), U(c.problem));
    }
    EXPECT_FALSE(QFileInfo::exists(bench.exchange)) << "the exchange file is removed at the end";
}

const SaveOutcomeCase kSaveCases[] = {
    {"rename failure is reported", "x\r\ny\r\n", "disk full", "show|rename|front", "x|y", 1, 1},
    {"not utf8 keeps the editor open", "\x8A\xBF\r\n", "", "show|front", "p|q", 0, 1},
    // A line was written for one file; after a move it would name another.
    {"rows moved meanwhile rename nothing", "x\r\ny\r\n", "", "show|front", "q|p", 1, 1, true},
    {"fewer lines are taken and said", "x\r\n", "", "show|rename|front", "x|q", 1, 1, false, false,
     "エディタの行数（1）がファイル数（2）と一致しません"},
    {"link in place of the saved file is not read", "x\r\ny\r\n", "", "show|front", "p|q", 0, 1, false, true,
     "名前を読み込みませんでした（ReName.txt はシンボリックリンクです）"},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorRoundTripSaves, ::testing::ValuesIn(kSaveCases), CaseName());

// --- real editors: shell scripts started by the process launcher -------

class RecordingShell final : public DesktopShell {
public:
    void showInFileManager(const QString&) override {}
    bool open(const QString& pathOrUrl) override
    {
        opened << pathOrUrl;
        return true;
    }
    QStringList opened;
};

// After a one-second pause, so that the stamp is already taken:
constexpr char kSaveAndStay[] =
    "sleep 1; cat \"$answer\" > \"$f\"; touch -d \"@$((t + 2))\" \"$f\"; exec sleep 30";
constexpr char kSaveAndQuit[] = "sleep 1; cat \"$answer\" > \"$f\"; touch -d \"@$((t + 2))\" \"$f\"";
constexpr char kPrefixAndStay[] =
    "sleep 1; sed -i 's/^/new_/' \"$f\"; touch -d \"@$((t + 2))\" \"$f\"; exec sleep 30";
constexpr char kQuitUnsaved[] = "sleep 1";
constexpr char kSaveSameSecond[] = "sleep 1; cat \"$answer\" > \"$f\"; touch -d \"@$t.9\" \"$f\"; sleep 1";
constexpr char kSaveAtOnce[] = "cat \"$answer\" > \"$f\"";
constexpr char kEndAtOnce[] = "exit 0";

struct TripCase {
    const char* name;
    const char* current;
    const char* earlierNew; // nullptr: equal to the current names
    bool reversed;          // rows sorted the other way before the start
    const char* editor;
    const char* answer;
    const char* newNames;
    const char* files;
    const char* events; // nullptr: not compared
};

class EditorRoundTripWithProcess : public ::testing::TestWithParam<TripCase> {};

TEST_P(EditorRoundTripWithProcess, TakesWhatTheEditorSaved)
{
    const TripCase& c = GetParam();
    RoundTripBench bench(c.current, c.earlierNew);
    if (c.reversed)
        bench.list.reorder({2, 1, 0});
    RecordingShell shell;
    QProcessEditorLauncher launcher(shell, QString());
    EditorRoundTrip trip(bench.list, bench.exchange, launcher, bench.hooks());

    ASSERT_TRUE(trip.start(bench.editorScript(c.editor, Lines(c.answer))));
    ASSERT_TRUE(WaitUntil([&] { return !trip.isRunning(); }));
    QStringList files = Split(c.files);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(Joined(NewNames(bench.list)), c.newNames);
    EXPECT_EQ(Joined(bench.filesOnDisk()), Joined(files));
    if (c.events) {
        EXPECT_EQ(Joined(bench.events), c.events);
    }
    EXPECT_TRUE(WaitUntil([&] { return !launcher.isEditorOpen(); })) << "the editor was asked to close";
    EXPECT_TRUE(shell.opened.isEmpty());
}

constexpr char kSavedWhileOpen[] = "caption:Quorvane|hide|show|rename|front";
constexpr char kClosedUnsaved[] = "caption:Quorvane|hide|show|front";

const TripCase kTripCases[] = {
    {"three names out three back", "a.txt|b.txt|c.txt", nullptr, false, kSaveAndStay, "x.txt|y.txt|z.txt",
     "x.txt|y.txt|z.txt", "x.txt|y.txt|z.txt", kSavedWhileOpen},
    {"fewer lines keep the earlier new name", "a.txt|b.txt|c.txt", "a.txt|b.txt|keep.txt", false,
     kSaveAndStay, "x.txt|y.txt", "x.txt|y.txt|keep.txt", "keep.txt|x.txt|y.txt", kSavedWhileOpen},
    {"surplus lines ignored", "a.txt|b.txt", nullptr, false, kSaveAndStay, "x.txt|y.txt|z.txt", "x.txt|y.txt",
     "x.txt|y.txt", kSavedWhileOpen},
    {"empty line renames nothing", "a.txt|b.txt|c.txt", nullptr, false, kSaveAndStay, "x.txt||z.txt",
     "x.txt||z.txt", "b.txt|x.txt|z.txt", kSavedWhileOpen},
    {"lines follow the row order", "a.txt|b.txt|c.txt", nullptr, true, kPrefixAndStay, "",
     "new_c.txt|new_b.txt|new_a.txt", "new_a.txt|new_b.txt|new_c.txt", kSavedWhileOpen},
    {"wide names come back unchanged", "漢字.txt|ＡＢＣ１.txt|😀👍🏽.txt", "p|q|r", false,
     kSaveAndStay, "漢字.txt|ＡＢＣ１.txt|😀👍🏽.txt",
     "漢字.txt|ＡＢＣ１.txt|😀👍🏽.txt", "ＡＢＣ１.txt|漢字.txt|😀👍🏽.txt",
     kSavedWhileOpen},
    {"wide new names rename", "a.txt|b.txt|c.txt", nullptr, false, kSaveAndStay,
     "新しい名前.txt|ｶﾀｶﾅ.txt|🎉.txt", "新しい名前.txt|ｶﾀｶﾅ.txt|🎉.txt", "ｶﾀｶﾅ.txt|新しい名前.txt|🎉.txt",
     kSavedWhileOpen},
    {"save just before closing is taken", "a.txt|b.txt", nullptr, false, kSaveAndQuit, "x.txt|y.txt",
     "x.txt|y.txt", "x.txt|y.txt", nullptr},
    {"closed without saving", "a.txt|b.txt", "p|q", false, kQuitUnsaved, "x.txt|y.txt", "p|q", "a.txt|b.txt",
     kClosedUnsaved},
    // A change of content is a save, whatever the file's time says.
    {"save in the stamp second is seen", "a.txt|b.txt", nullptr, false, kSaveSameSecond, "x.txt|y.txt",
     "x.txt|y.txt", "x.txt|y.txt", nullptr},
    {"editor saving at once is seen", "a.txt|b.txt", nullptr, false, kSaveAtOnce, "x.txt|y.txt",
     "x.txt|y.txt", "x.txt|y.txt", nullptr},
    {"editor ending at once", "a.txt|b.txt", nullptr, false, kEndAtOnce, "x.txt|y.txt", "a.txt|b.txt",
     "a.txt|b.txt", "caption:ハンドルが見つかりませんでした|hide|show|front"},
};

INSTANTIATE_TEST_SUITE_P(Table, EditorRoundTripWithProcess, ::testing::ValuesIn(kTripCases), CaseName());

TEST(EditorRoundTripWithProcessTest, DocumentAsEditorIsOpenedWithoutTheExchangeFile)
{
    RoundTripBench bench("a.txt", nullptr);
    RecordingShell shell;
    QProcessEditorLauncher launcher(shell, QString());
    EditorRoundTrip trip(bench.list, bench.exchange, launcher, bench.hooks());
    const QString document = bench.path(QStringLiteral("manual.pdf"));
    WriteBytes(document, "%PDF");

    ASSERT_TRUE(trip.start(document));
    ASSERT_TRUE(WaitUntil([&] { return !trip.isRunning(); }));
    EXPECT_EQ(shell.opened, QStringList{document});
    EXPECT_EQ(Joined(bench.events), "caption:ハンドルが見つかりませんでした|hide|show|front");
}

TEST(EditorRoundTripWithProcessTest, ProgramThatCannotRunIsReported)
{
    RoundTripBench bench("a.txt", nullptr);
    RecordingShell shell;
    QProcessEditorLauncher launcher(shell, QString());
    EditorRoundTrip trip(bench.list, bench.exchange, launcher, bench.hooks());
    QSignalSpy problems(&trip, &EditorRoundTrip::problem);
    const QString broken = bench.path(QStringLiteral("broken-editor"));
    WriteBytes(broken, "#!/nonexistent/interpreter\n");
    QFile::setPermissions(broken, QFile::permissions(broken) | QFileDevice::ExeOwner);

    ASSERT_TRUE(trip.start(broken)); // an existing file: kept as the editor path
    ASSERT_TRUE(WaitUntil([&] { return !trip.isRunning(); }));
    // Nothing runs, so the window never hides, keeps its caption and says why.
    EXPECT_EQ(Joined(bench.events), "");
    EXPECT_EQ(problems.size(), 1);
}

} // namespace
