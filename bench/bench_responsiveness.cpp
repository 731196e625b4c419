// How long the window's thread is held while each command runs over a long
// list. The application layer runs headless over real files with the real
// services; a 10 ms timer ticks on its thread, and for each command the
// longest gap between two ticks is what a user would see as a freeze. Also:
// how soon panel 1 first changes (the progress or "確認中…"), when the
// command and its preview have ended, and the peak resident memory while it
// ran and what stays resident after it.
//
//   bench_responsiveness [rows [folder]]   (default 1,000,000 new files;
//                                          a folder given is used as it is)

#include "BenchSupport.h"

#include "app/RenameSession.h"
#include "core/RenameJournal.h"
#include "platform/DesktopServices.h"
#include "platform/DurableFiles.h"
#include "platform/IconTable.h"
#include "platform/ShellRename.h"
#include "platform/SystemFolderLister.h"
#include "platform/SystemFolderRules.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

struct Held {
    qint64 longestGap = 0;   // ms between two ticks, the first gap counted from the click
    qint64 gapEnded = 0;     // ms from the click to the end of the longest gap: where in the command it was
    qint64 firstChange = -1; // ms until panel 1 first changed; -1 if it never did
    qint64 ended = 0;        // ms until the command and its preview had ended
};

// Runs `command`, then the event loop until the session is idle again.
Held Measure(RenameSession& session, const std::function<void()>& command)
{
    Held held;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (now - lastTick > held.longestGap) {
            held.longestGap = now - lastTick;
            held.gapEnded = now;
        }
        lastTick = now;
    });
    const QMetaObject::Connection status = QObject::connect(&session, &RenameSession::statusChanged, [&] {
        if (held.firstChange < 0)
            held.firstChange = clock.elapsed();
    });
    ticks.start(10);
    clock.start();
    command();
    while (session.isBusy() || session.isPreviewPending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    held.ended = clock.elapsed();
    if (held.ended - lastTick > held.longestGap) {
        held.longestGap = held.ended - lastTick;
        held.gapEnded = held.ended;
    }
    QObject::disconnect(status);
    return held;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // the icon table draws with QtGui
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    const QString given = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (given.isEmpty())
        std::printf("creating %d files...\n", rows);
    const auto created = given.isEmpty() ? FolderOfFiles(rows) : nullptr;
    const QString folder = given.isEmpty() ? created->path() : given;
    QTemporaryDir settings;

    SystemFolderLister lister;
    IconTable icons;
    SystemKeyboard keyboard;
    SystemDesktopShell shell;
    SystemFileRenamer renamer;
    SystemFolderRules folderRules;
    const std::unique_ptr<JournalDisk> journalDisk = MakeSystemJournalDisk();
    RenameJournal journal(settings.filePath(QStringLiteral("journal")), *journalDisk);
    AppServices services;
    services.lister = &lister;
    services.icons = &icons;
    services.keyboard = &keyboard;
    services.shell = &shell;
    services.renamer = &renamer;
    services.folderRules = &folderRules;
    services.journal = &journal;
    RenameSession session(services);

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"scan (folder chosen)", [&] { session.openFolder(folder); }},
        {"header click", [&] { session.sortBy(1); }},
        {"template IMG_<0000001>",
         [&] {
             session.setInsertionText(QStringLiteral("IMG_<0000001>"));
             session.run(Command::ChangeName);
         }},
        {"header click, names pending", [&] { session.sortBy(0); }},
        {"upper case", [&] { session.run(Command::UpperCase); }},
        {"rename", [&] { session.run(Command::Rename); }},
        {"undo", [&] { session.run(Command::Undo); }},
        {"clear", [&] { session.run(Command::ClearList); }},
    };
    std::printf("resident before the first command: %ld MB\n", ResidentBytes() / (1024 * 1024));
    std::printf("%-30s %12s %10s %14s %10s %10s %10s\n", "command", "longest gap", "gap ended",
                "panel 1 after", "ended", "peak", "after");
    for (const auto& [name, command] : commands) {
        ResetPeakResident();
        const Held held = Measure(session, command);
        std::printf("%-30s %9lld ms %7lld ms %11lld ms %7lld ms %7ld MB %7ld MB\n", name,
                    static_cast<long long>(held.longestGap), static_cast<long long>(held.gapEnded),
                    static_cast<long long>(held.firstChange), static_cast<long long>(held.ended),
                    PeakResidentBytes() / (1024 * 1024), ResidentBytes() / (1024 * 1024));
        std::fflush(stdout);
    }
    std::printf("rows at the end: %d\n", session.list().count());
    return 0;
}
