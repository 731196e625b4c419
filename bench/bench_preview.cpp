// The forecast of the rename over the rows of one folder of real files (10,000,
// 100,000 and 1,000,000): one listing, the walk played through, and the marks
// handed to the model the view shows. Goal: at most 100 ms for 100,000 rows,
// and no more a row at 1,000,000. Each runs five times; CPU time of the fastest
// run ("_min") and the median are the figures.

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
#include <map>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kFiles = 100000; // the model's benchmark and the default

QString OldName(int i)
{
    return QStringLiteral("IMG_%1.jpg").arg(i, 7, 10, QLatin1Char('0'));
}

// Made once for each size: creating the files takes longer than everything measured.
const QTemporaryDir& Folder(int files)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    std::unique_ptr<QTemporaryDir>& dir = made[files];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < files; ++i) {
            const int fd =
                ::open(QFile::encodeName(dir->filePath(OldName(i))).constData(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    return *dir;
}

// Every row gets a new name; with `collisions`, every tenth row takes the
// name of the row before it, so a tenth of the rows fail.
QList<RenameEntry> Rows(int files, bool collisions)
{
    QList<RenameEntry> rows;
    rows.reserve(files);
    const QString folder = Folder(files).path();
    for (int i = 0; i < files; ++i) {
        const int target = collisions && i % 10 == 9 ? i - 1 : i;
        rows.append(
            {OldName(i), QStringLiteral("写真_%1.jpg").arg(target, 7, 10, QLatin1Char('0')), {}, folder, 0});
    }
    return rows;
}

// Arguments: the number of rows (and files), and whether a tenth collide.
void BM_PreviewRenameAll(benchmark::State& state)
{
    const int files = static_cast<int>(state.range(0));
    RenameList list;
    list.appendAll(Rows(files, state.range(1) != 0));
    SystemFolderRules rules;
    int failing = 0;
    for (auto _ : state)
        failing = PreviewRenameAll(list, rules).failing;
    if (failing != (state.range(1) != 0 ? files / 10 : 0))
        state.SkipWithError("unexpected number of failing rows");
    state.SetItemsProcessed(state.iterations() * files);
}

// What the window does after a command: the forecast, then the marks into
// the model (one notification for the rows whose marks changed).
void BM_PreviewIntoModel(benchmark::State& state)
{
    RenameList list;
    IconTable icons;
    RenameListModel model(list, icons);
    list.appendAll(Rows(kFiles, true));
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
    const int files = static_cast<int>(state.range(0));
    const QByteArray folder = QFile::encodeName(Folder(files).path());
    int entries = 0;
    for (auto _ : state) {
        entries = 0;
        DIR* dir = ::opendir(folder.constData());
        while (::readdir(dir))
            ++entries;
        ::closedir(dir);
    }
    if (entries != files + 2)
        state.SkipWithError("unexpected number of entries");
}

// On a shared machine the fastest of several runs is the one least disturbed.
double Fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(BM_BareReaddir)
    ->Arg(10000)
    ->Arg(kFiles)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PreviewRenameAll)
    ->Args({10000, 0})
    ->Args({kFiles, 0})
    ->Args({kFiles, 1})
    ->Args({1000000, 0})
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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
