// Applying an insertion text with a serial and a date token to a large list.

#include "core/RenameList.h"
#include "core/Services.h"
#include "ops/InsertionCommand.h"

#include <benchmark/benchmark.h>

namespace {

class NoDetails : public DetailSource {
public:
    QString detailByHeader(const QString&, const QString&, const QString&) override { return {}; }
};

RenameList ManyRows(int count)
{
    QList<RenameEntry> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        RenameEntry entry;
        entry.currentName = QStringLiteral("DSC%1.JPG").arg(i, 5, 10, QLatin1Char('0'));
        entry.folder = QStringLiteral("/home/user/写真");
        rows.append(entry);
    }
    RenameList list;
    list.appendAll(rows);
    return list;
}

// The real clock is read once per row, as the command does; the fixed one
// shows what the formatting alone costs.
template <bool RealClock> void BM_ApplyInsertion(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const QDateTime fixed(QDate(2024, 5, 6), QTime(7, 8, 9));
    const InsertionClock clock = RealClock ? SystemClock() : InsertionClock([fixed] { return fixed; });
    RenameList list = ManyRows(count);
    NoDetails details;
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    const QString text = QStringLiteral("IMG_<0001>_<yyyymmdd>");
    for (auto _ : state) {
        ApplyInsertion(list, InsertionKind::ChangeName, text, details, clock, japanese);
        benchmark::DoNotOptimize(list.at(count - 1).newName.size());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ApplyInsertion<true>)
    ->Name("ApplyInsertion/SystemClock")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ApplyInsertion<false>)
    ->Name("ApplyInsertion/FixedClock")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
