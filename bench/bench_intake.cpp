// 100,000 files given one by one, as a file manager's "Open with" gives
// them on the command line (from the raw bytes of the arguments on), through the path intake into the list
// with the model attached and the view shown, beside a scan of the same folder into the same kind of list.
// The intake must tell each path's kind (a folder is scanned instead) and test it for a duplicate; both add
// the same rows. Then the peak memory each adds a row.

#include "bench/BenchSupport.h"
#include "core/FreeLater.h"
#include "core/NameBytes.h"
#include "intake/PathIntake.h"
#include "platform/CommandLinePaths.h"
#include "platform/IconTable.h"
#include "platform/SystemFolderLister.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"

#include <QApplication>
#include <QDir>

#include <functional>

namespace {

constexpr int kFiles = 100000;

const QTemporaryDir& Folder()
{
    static const std::unique_ptr<QTemporaryDir> folder = FolderOfFiles(kFiles);
    return *folder;
}

// What the command line holds: the program's name, then every file's
// absolute path in listing order, as the bytes the system hands over.
std::vector<QByteArray> ArgumentsOfFiles()
{
    std::vector<QByteArray> arguments{"quorvane"};
    SystemFolderLister lister;
    for (const ListedEntry& entry : lister.list(Folder().path(), QStringLiteral("*")).entries) {
        if (!entry.directory)
            arguments.push_back(EncodeFileName(QString(Folder().path() + u'/' + entry.name)));
    }
    return arguments;
}

// A list with its model attached and its view shown, as in the window.
struct ShownList {
    explicit ShownList(IconTable& icons)
        : model(list, icons)
    {
        view.setModel(&model);
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
    }
    RenameList list;
    RenameListModel model;
    RenameListView view;
};

using Fill = std::function<void(RenameList&, FolderLister&, IconIndexer&)>;

void IntoListWithView(benchmark::State& state, const Fill& fill)
{
    SystemFolderLister lister;
    IconTable icons;
    for (auto _ : state) {
        state.PauseTiming();
        auto shown = std::make_unique<ShownList>(icons);
        state.ResumeTiming();

        fill(shown->list, lister, icons);

        state.PauseTiming();
        if (shown->list.count() != kFiles)
            state.SkipWithError("wrong row count");
        shown.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// The peak resident memory a fill adds a row, the view's layout and paint
// included, above what the process held before; freed memory goes back to
// the system first, as in a new process. Measured apart from the timings,
// which run in memory used before.
double PeakAddedARow(const Fill& fill)
{
    SystemFolderLister lister;
    IconTable icons;
    ShownList shown(icons);
    ReturnFreedMemory();
    const long before = ResidentBytes();
    ResetPeakResident();
    fill(shown.list, lister, icons);
    QApplication::processEvents();
    return static_cast<double>(PeakResidentBytes() - before) / kFiles;
}

void ScanOfTheFolder(RenameList& list, FolderLister& lister, IconIndexer& icons)
{
    ScanFolder(list, Folder().path(), QStringLiteral("*.*"), false, lister, icons);
}

// From the raw arguments on: decoding and cleaning them is part of what the
// user waits for. The arguments are in memory before, as the kernel's copy
// is in the real program.
Fill IntakeOfEveryPath()
{
    static const std::vector<QByteArray> arguments = ArgumentsOfFiles();
    static const std::vector<const char*> argv = [] {
        std::vector<const char*> pointers;
        for (const QByteArray& argument : arguments)
            pointers.push_back(argument.constData());
        return pointers;
    }();
    return [](RenameList& list, FolderLister& lister, IconIndexer& icons) {
        IntakePaths(
            list, CommandLinePaths(static_cast<int>(argv.size()), argv.data()).paths, [] { return false; },
            false, lister, icons);
    };
}

void BM_ScanOfTheFolder(benchmark::State& state)
{
    IntoListWithView(state, ScanOfTheFolder);
}

void BM_IntakeOfEveryPath(benchmark::State& state)
{
    IntoListWithView(state, IntakeOfEveryPath());
}

BENCHMARK(BM_ScanOfTheFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IntakeOfEveryPath)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunComparedBenchmarks(argc, argv, 5, [](RatioReporter& reporter) {
        reporter.printRatio("BM_IntakeOfEveryPath/real_time", "BM_ScanOfTheFolder/real_time", 1.3);
        const double intake = PeakAddedARow(IntakeOfEveryPath());
        const double scan = PeakAddedARow(ScanOfTheFolder);
        std::printf("peak memory added a row: intake %.0f bytes (goal <= 120), scan %.0f\n", intake, scan);
    });
}
