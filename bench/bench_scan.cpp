// Scanning a folder of 100,000 and of 1,000,000 files into the list with the
// model attached and the list view shown, beside a bare readdir loop over the
// same folder. The scan tells folders by the listing's d_type and never
// stats a file, so the bare readdir loop is its floor. The scan also reports
// the resident memory it added per row: RSS after the scan minus RSS before
// it, with freed memory handed back to the system before.

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

void BM_ScanIntoListWithView(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QString path = Folder(count).path();
    SystemFolderLister lister;
    IconTable icons;
    double bytesPerRow = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<RenameList>();
        auto model = std::make_unique<RenameListModel>(*list, icons);
        auto view = std::make_unique<RenameListView>();
        view->setModel(model.get());
        view->resize(800, 600);
        view->show();
        QApplication::processEvents();
        ::malloc_trim(0);
        const long before = ResidentBytes();
        state.ResumeTiming();

        ScanFolder(*list, path, QStringLiteral("*.*"), false, lister, icons);

        state.PauseTiming();
        QApplication::processEvents(); // the view lays out and paints the new rows
        bytesPerRow = static_cast<double>(ResidentBytes() - before) / count;
        if (list->count() != count)
            state.SkipWithError("wrong row count");
        view.reset();
        model.reset();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["RSS bytes per row"] = bytesPerRow;
    state.counters["sizeof(RenameEntry)"] = sizeof(RenameEntry);
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

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* size : {"/100000", "/1000000"}) {
        reporter.printRatio(std::string("BM_ScanIntoListWithView") + size + "/real_time",
                            std::string("BM_BareReaddir") + size + "/real_time", 2.5);
    }
    benchmark::Shutdown();
    return 0;
}
