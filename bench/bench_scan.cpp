// Scanning a folder of 100,000 files into the list, with the model and the
// view attached, beside a bare readdir+lstat loop and a bare readdir loop
// over the same folder.
#include "intake/FolderScan.h"
#include "platform/IconTable.h"
#include "platform/SystemFolderLister.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFiles = 100000;

const QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    static bool filled = false;
    if (!filled) {
        const char* suffixes[] = {".jpg", ".png", ".mp3", ".txt", ".pdf"};
        for (int i = 0; i < kFiles; ++i) {
            const QByteArray path =
                QFile::encodeName(dir.path()) + "/file_" + QByteArray::number(i) + suffixes[i % 5];
            const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
            ::close(fd);
        }
        filled = true;
    }
    return dir;
}

void BM_ScanIntoListWithView(benchmark::State& state)
{
    const QString path = folder().path();
    SystemFolderLister lister;
    IconTable icons;
    for (auto _ : state) {
        state.PauseTiming();
        RenameList list;
        RenameListModel model(list, icons);
        RenameListView view;
        view.setModel(&model);
        view.resize(800, 600);
        view.show();
        state.ResumeTiming();
        ScanFolder(list, path, QStringLiteral("*.*"), false, lister, icons);
        benchmark::DoNotOptimize(list.count());
        state.PauseTiming();
        if (list.count() != kFiles)
            state.SkipWithError("wrong row count");
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_ScanIntoListWithView)->Unit(benchmark::kMillisecond)->UseRealTime();

void bareLoop(benchmark::State& state, bool withStat)
{
    const QByteArray path = QFile::encodeName(folder().path());
    for (auto _ : state) {
        DIR* dir = ::opendir(path.constData());
        long count = 0;
        while (const dirent* entry = ::readdir(dir)) {
            if (withStat) {
                struct stat info {};
                ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW);
                benchmark::DoNotOptimize(info.st_mode);
            }
            ++count;
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_BareReaddirLstat(benchmark::State& state)
{
    bareLoop(state, true);
}
BENCHMARK(BM_BareReaddirLstat)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BareReaddir(benchmark::State& state)
{
    bareLoop(state, false);
}
BENCHMARK(BM_BareReaddir)->Unit(benchmark::kMillisecond)->UseRealTime();

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
