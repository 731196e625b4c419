// Scanning a folder of 100,000 and of 1,000,000 files into the list with the
// model attached and the list view shown, beside a bare readdir loop over the
// same folder. The scan tells folders by the listing's d_type and never
// stats a file, so the bare readdir loop is its floor. The scan into fresh
// memory also reports the resident memory it added per row: RSS after the
// scan (and the view's painting) minus RSS before it, with freed memory
// handed back to the system before.

#include "bench/BenchSupport.h"
#include "intake/FolderScan.h"
#include "platform/IconTable.h"
#include "platform/SystemFolderLister.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"

#include <QApplication>

#include <dirent.h>
#include <malloc.h>

namespace {

const QTemporaryDir& Folder(int count)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& folder = folders[count];
    if (!folder)
        folder = FolderOfFiles(count);
    return *folder;
}

// One scan into a new list, model and shown view, timed only while it
// scans when `state` is given; returns the resident memory it added per row.
double ScanOnce(benchmark::State* state, int count, bool freshMemory)
{
    static SystemFolderLister lister;
    static IconTable icons;
    if (state)
        state->PauseTiming();
    auto list = std::make_unique<RenameList>();
    auto model = std::make_unique<RenameListModel>(*list, icons);
    auto view = std::make_unique<RenameListView>();
    view->setModel(model.get());
    view->resize(800, 600);
    view->show();
    QApplication::processEvents();
    if (freshMemory)
        ::malloc_trim(0); // freed memory goes back to the system, as in a new process
    const long before = ResidentBytes();
    if (state)
        state->ResumeTiming();

    ScanFolder(*list, Folder(count).path(), QStringLiteral("*.*"), false, lister, icons);

    if (state)
        state->PauseTiming();
    QApplication::processEvents(); // the view lays out and paints the new rows
    const double bytesPerRow = static_cast<double>(ResidentBytes() - before) / count;
    if (list->count() != count && state)
        state->SkipWithError("wrong row count");
    view.reset();
    model.reset();
    list.reset();
    if (state)
        state->ResumeTiming();
    return bytesPerRow;
}

// A scan into memory the process has used before (a later scan, or any
// scan once the allocator holds enough free memory).
void BM_ScanIntoListWithView(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ScanOnce(nullptr, count, false); // untimed: the allocator gets its memory
    for (auto _ : state)
        ScanOnce(&state, count, false);
    state.counters["sizeof(RenameEntry)"] = sizeof(RenameEntry);
    state.SetItemsProcessed(state.iterations() * count);
}

// A scan into memory fresh from the system, as the first scan of a new
// process: every page of the rows is faulted in, which on this virtual
// machine costs about 11 microseconds a page. Reports the resident memory
// the scan added per row.
void BM_ScanIntoFreshMemory(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    double bytesPerRow = 0;
    for (auto _ : state)
        bytesPerRow = ScanOnce(&state, count, true);
    state.counters["RSS bytes per row"] = bytesPerRow;
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_BareReaddir(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QByteArray path = QFile::encodeName(Folder(count).path());
    for (auto _ : state) {
        DIR* dir = ::opendir(path.constData());
        long entries = 0;
        while (const dirent* entry = ::readdir(dir)) {
            benchmark::DoNotOptimize(entry->d_type);
            ++entries;
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(entries);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_BareReaddir)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanIntoListWithView)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanIntoFreshMemory)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunComparedBenchmarks(argc, argv, 3, [](RatioReporter& reporter) {
        for (const char* scan : {"BM_ScanIntoListWithView", "BM_ScanIntoFreshMemory"}) {
            for (const char* size : {"/100000", "/1000000"}) {
                reporter.printRatio(std::string(scan) + size + "/real_time",
                                    std::string("BM_BareReaddir") + size + "/real_time", 2.5);
            }
        }
    });
}
