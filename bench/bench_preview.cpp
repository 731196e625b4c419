// The forecast of the rename over 100,000 rows of one folder of 100,000 real
// files: one listing, the walk played through, and the marks handed to the
// model the view shows. Goal: at most 150 ms for the forecast. Each runs five
// times; CPU time of the fastest run ("_min") and the median are the figures.

#include "core/RenamePreview.h"
#include "platform/IconTable.h"
#include "platform/SystemFolderRules.h"
#include "ui/RenameListModel.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kFiles = 100000;

QString OldName(int i)
{
    return QStringLiteral("IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
}

// Made once: creating the files takes longer than everything measured.
const QTemporaryDir& Folder()
{
    static const auto dir = [] {
        auto made = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < kFiles; ++i) {
            const int fd =
                ::open(QFile::encodeName(made->filePath(OldName(i))).constData(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        return made;
    }();
    return *dir;
}

// Every row gets a new name; with `collisions`, every tenth row takes the
// name of the row before it, so a tenth of the rows fail.
QList<RenameEntry> Rows(bool collisions)
{
    QList<RenameEntry> rows;
    rows.reserve(kFiles);
    for (int i = 0; i < kFiles; ++i) {
        const int target = collisions && i % 10 == 9 ? i - 1 : i;
        rows.append({OldName(i),
                     QStringLiteral("写真_%1.jpg").arg(target, 6, 10, QLatin1Char('0')),
                     {},
                     Folder().path(),
                     0});
    }
    return rows;
}

void BM_PreviewRenameAll(benchmark::State& state)
{
    RenameList list;
    list.appendAll(Rows(state.range(0) != 0));
    SystemFolderRules rules;
    int failing = 0;
    for (auto _ : state)
        failing = PreviewRenameAll(list, rules).failing;
    if (failing != (state.range(0) != 0 ? kFiles / 10 : 0))
        state.SkipWithError("unexpected number of failing rows");
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// What the window does after a command: the forecast, then the marks into
// the model (one notification for the rows whose marks changed).
void BM_PreviewIntoModel(benchmark::State& state)
{
    RenameList list;
    IconTable icons;
    RenameListModel model(list, icons);
    list.appendAll(Rows(true));
    SystemFolderRules rules;
    for (auto _ : state) {
        state.PauseTiming();
        model.setPreview({}); // so that every mark is new again
        state.ResumeTiming();
        model.setPreview(PreviewRenameAll(list, rules));
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// The floor: listing the folder once, without a name leaving the kernel's bytes.
void BM_BareReaddir(benchmark::State& state)
{
    const QByteArray folder = QFile::encodeName(Folder().path());
    int entries = 0;
    for (auto _ : state) {
        entries = 0;
        DIR* dir = ::opendir(folder.constData());
        while (::readdir(dir))
            ++entries;
        ::closedir(dir);
    }
    if (entries != kFiles + 2)
        state.SkipWithError("unexpected number of entries");
}

// On a shared machine the fastest of several runs is the one least disturbed.
double Fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(BM_BareReaddir)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PreviewRenameAll)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PreviewIntoModel)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Folder();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
