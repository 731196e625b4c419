// Renaming 10,000 files through the rename of all rows, with the list shown
// by its model in the real list view and icons from the real icon table,
// beside a bare loop of renameat2 calls over the same files: the walk's own
// cost is the difference. Goal: at most 1.2 times the bare loop, also with
// the rename journal on (its plan written and flushed before the walk, its
// results after, as the window does).

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

std::unique_ptr<QTemporaryDir> FolderOfFiles()
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

// The rename of all rows; with `journaled`, between the journal's start and
// end points, with the journal folder on the same disk as the files.
void RenameAllOnce(benchmark::State& state, bool journaled)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = FolderOfFiles();
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
            rows.append({OldName(i), NewName(i), {}, dir->path(), 0});
        list.appendAll(std::move(rows));
        SystemFileRenamer renamer;
        QApplication::processEvents();
        state.ResumeTiming();

        QString batch;
        if (journaled)
            batch = journal.begin(WalkKind::RenameAll, WalkPlan(list, WalkKind::RenameAll));
        const RenameReport report = RenameAll(list, renamer, icons);
        if (journaled)
            journal.finish(batch, list);

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

// The journal's own work without the disk: the plan of 10,000 rows and its
// file text, as the start point makes it.
void BM_JournalPlanText(benchmark::State& state)
{
    RenameList list;
    QList<RenameEntry> rows;
    for (int i = 0; i < kFiles; ++i)
        rows.append({OldName(i), NewName(i), {}, QStringLiteral("/home/user/写真/2025"), 0});
    list.appendAll(std::move(rows));
    for (auto _ : state) {
        JournalBatch batch;
        batch.started = QDateTime::currentDateTime();
        batch.rows.reserve(kFiles);
        for (PlannedRename& step : WalkPlan(list, WalkKind::RenameAll))
            batch.rows.append({std::move(step.folder), std::move(step.fromName), std::move(step.toName),
                               RowStatus::Planned});
        benchmark::DoNotOptimize(FormatJournal(batch));
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_BareRenameat2(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = FolderOfFiles();
        QList<QByteArray> from;
        QList<QByteArray> to;
        for (int i = 0; i < kFiles; ++i) {
            from.append(QFile::encodeName(dir->filePath(OldName(i))));
            to.append(QFile::encodeName(dir->filePath(NewName(i))));
        }
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

BENCHMARK(BM_JournalPlanText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareRenameat2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_RenameAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_RenameAllJournaled)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// Prints as usual and remembers each benchmark's time for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> times;

    RatioReporter()
        : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular)
    {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    RatioReporter::Times bare;
    RatioReporter::Times walk;
    RatioReporter::Times journaled;
    for (const auto& [name, times] : reporter.times) {
        if (name.rfind("BM_BareRenameat2", 0) == 0)
            bare = times;
        else if (name.rfind("BM_RenameAllJournaled", 0) == 0)
            journaled = times;
        else if (name.rfind("BM_RenameAll", 0) == 0)
            walk = times;
    }
    // CPU time (user and system) is the steadier figure on a busy machine;
    // real time also carries the disk's and the scheduler's waits.
    const auto ratio = [&](const char* label, const RatioReporter::Times& times) {
        if (bare.real > 0 && times.real > 0 && bare.cpu > 0)
            std::printf("%s / bare renameat2: real %.3f, cpu %.3f (goal <= 1.2)\n", label,
                        times.real / bare.real, times.cpu / bare.cpu);
    };
    ratio("RenameAll", walk);
    ratio("RenameAll with the journal", journaled);
    benchmark::Shutdown();
    return 0;
}
