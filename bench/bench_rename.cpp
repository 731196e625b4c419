// Renaming 10,000 files through the rename of all rows, with the list shown
// by its model in the real list view and icons from the real icon table,
// beside a bare loop of renameat2 calls over the same files: the walk's own
// cost is the difference. Goal: at most 1.15 times the bare loop, and at
// most 1.2 times with the rename journal on (its plan written and flushed
// before the walk, its results after, as the window does). A rotation of
// the 10,000 names (each file takes the next one's name) goes through one
// temporary name with exchanges on: at most 2.5 times the bare loop.

#include "bench/BenchSupport.h"
#include "core/RenameJournal.h"
#include "core/RenameWalk.h"
#include "platform/DurableFiles.h"
#include "platform/IconTable.h"
#include "platform/ShellRename.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kFiles = 10000;

QString OldName(int i)
{
    return QStringLiteral("IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
}

QString NewName(int i)
{
    return QStringLiteral("写真_%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
}

std::unique_ptr<QTemporaryDir> FolderOfNamedFiles()
{
    auto dir = std::make_unique<QTemporaryDir>();
    for (int i = 0; i < kFiles; ++i) {
        const int fd =
            ::open(QFile::encodeName(dir->filePath(OldName(i))).constData(), O_CREAT | O_WRONLY, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    return dir;
}

// The user's files have long been on disk when they are renamed: what the
// set-up wrote is flushed first, so that a flush the journal makes does not
// pay for the set-up's 10,000 new files.
void SettleDisk()
{
    ::sync();
}

void RenameAllOnce(benchmark::State& state, bool journaled, bool rotate = false)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = FolderOfNamedFiles();
        QTemporaryDir settings;
        const auto disk = MakeSystemJournalDisk();
        RenameJournal journal(settings.filePath(QStringLiteral("journal")), *disk);
        RenameList list;
        IconTable icons;
        RenameListModel model(list, icons);
        RenameListView view;
        view.setModel(&model);
        view.resize(800, 600);
        view.show();
        QList<RenameEntry> rows;
        rows.reserve(kFiles);
        for (int i = 0; i < kFiles; ++i)
            rows.append({OldName(i), rotate ? OldName((i + 1) % kFiles) : NewName(i), {}, dir->path(), 0});
        list.appendAll(std::move(rows));
        SystemFileRenamer renamer;
        QApplication::processEvents();
        SettleDisk();
        state.ResumeTiming();

        QString batch;
        if (journaled &&
            !journal.begin(RenameWalkKind::All, WalkPlan(list, RenameWalkKind::All, rotate), batch).isEmpty())
            state.SkipWithError("the journal could not be written");
        RenameRowsWalk walk(list, RenameWalkKind::All, renamer, icons, rotate);
        RunToEnd(walk);
        const RenameReport& report = walk.report();
        if (journaled && !journal.finish(batch, report.renamedRows).isEmpty())
            state.SkipWithError("the results could not be written");

        state.PauseTiming();
        if (report.renamed != kFiles || (journaled && batch.isEmpty()))
            state.SkipWithError("not every file was renamed, or no journal");
        dir.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_RenameAll(benchmark::State& state)
{
    RenameAllOnce(state, false);
}

void BM_RenameAllJournaled(benchmark::State& state)
{
    RenameAllOnce(state, true);
}

void BM_RotateAllJournaled(benchmark::State& state)
{
    RenameAllOnce(state, true, true);
}

void BM_BareRenameat2(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = FolderOfNamedFiles();
        QList<QByteArray> from;
        QList<QByteArray> to;
        for (int i = 0; i < kFiles; ++i) {
            from.append(QFile::encodeName(dir->filePath(OldName(i))));
            to.append(QFile::encodeName(dir->filePath(NewName(i))));
        }
        SettleDisk();
        state.ResumeTiming();

        int failures = 0;
        for (int i = 0; i < kFiles; ++i) {
            if (::renameat2(AT_FDCWD, from[i].constData(), AT_FDCWD, to[i].constData(), RENAME_NOREPLACE) !=
                0)
                ++failures;
        }

        state.PauseTiming();
        if (failures != 0)
            state.SkipWithError("not every file was renamed");
        dir.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

BENCHMARK(BM_BareRenameat2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_RenameAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_RenameAllJournaled)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_RotateAllJournaled)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

} // namespace

int main(int argc, char** argv)
{
    return RunComparedBenchmarks(argc, argv, 5, [](RatioReporter& reporter) {
        // CPU time (user and system) is the steadier figure on a busy machine;
        // real time also carries the disk's and the scheduler's waits.
        reporter.printRatio("BM_RenameAll/iterations:10/real_time",
                            "BM_BareRenameat2/iterations:10/real_time", 1.15);
        reporter.printRatio("BM_RenameAllJournaled/iterations:10/real_time",
                            "BM_BareRenameat2/iterations:10/real_time", 1.2);
        reporter.printRatio("BM_RotateAllJournaled/iterations:10/real_time",
                            "BM_BareRenameat2/iterations:10/real_time", 2.5);
    });
}
