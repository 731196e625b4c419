// 100,000 files given one by one, as a file manager's "Open with" gives
// them on the command line (from the raw bytes of the arguments on), through the path intake into the list
// with the model attached and the view shown, beside a scan of the same folder into the same kind of list.
// The intake must tell each path's kind (a folder is scanned instead) and test it for a duplicate; both add
// the same rows.

#include "bench/BenchSupport.h"
#include "core/NameBytes.h"
#include "intake/PathIntake.h"
#include "platform/CommandLinePaths.h"
#include "platform/IconTable.h"
#include "platform/SystemFolderLister.h"
#include "ui/RenameListModel.h"
#include "ui/RenameListView.h"

#include <QApplication>
#include <QDir>

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

template <class Fill> void IntoListWithView(benchmark::State& state, Fill fill)
{
    SystemFolderLister lister;
    IconTable icons;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<RenameList>();
        auto model = std::make_unique<RenameListModel>(*list, icons);
        auto view = std::make_unique<RenameListView>();
        view->setModel(model.get());
        view->resize(800, 600);
        view->show();
        QApplication::processEvents();
        state.ResumeTiming();

        fill(*list, lister, icons);

        state.PauseTiming();
        if (list->count() != kFiles)
            state.SkipWithError("wrong row count");
        view.reset();
        model.reset();
        list.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_ScanOfTheFolder(benchmark::State& state)
{
    const QString folder = Folder().path();
    IntoListWithView(state, [&](RenameList& list, FolderLister& lister, IconIndexer& icons) {
        ScanFolder(list, folder, QStringLiteral("*.*"), false, lister, icons);
    });
}

// From the raw arguments on: decoding and cleaning them is part of what the
// user waits for.
void BM_IntakeOfEveryPath(benchmark::State& state)
{
    const std::vector<QByteArray> arguments = ArgumentsOfFiles();
    std::vector<const char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(argument.constData());
    IntoListWithView(state, [&](RenameList& list, FolderLister& lister, IconIndexer& icons) {
        IntakePaths(
            list, CommandLinePaths(static_cast<int>(argv.size()), argv.data()).paths, [] { return false; },
            false, lister, icons);
    });
}

BENCHMARK(BM_ScanOfTheFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IntakeOfEveryPath)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return RunComparedBenchmarks(argc, argv, 5, [](RatioReporter& reporter) {
        reporter.printRatio("BM_IntakeOfEveryPath/real_time", "BM_ScanOfTheFolder/real_time", 1.3);
    });
}
