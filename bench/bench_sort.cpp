// Sorting the rows by the name column, as a header click does, at 10,000,
// 100,000 and 1,000,000 rows in listing (hash) order. A linear-logarithmic
// sort keeps the time per n log2 n about the same at every size.

#include "bench/BenchSupport.h"
#include "intake/ListSort.h"
#include "platform/SystemCollation.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QLocale>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

RenameList ShuffledRows(int count)
{
    QList<int> numbers(count);
    std::iota(numbers.begin(), numbers.end(), 0);
    std::shuffle(numbers.begin(), numbers.end(), QRandomGenerator(7));
    QList<RenameEntry> rows;
    rows.reserve(count);
    const NameText folder = QStringLiteral("/home/user/写真");
    for (const int number : numbers)
        rows.append({QStringLiteral("file_%1.jpg").arg(number, 6, 10, QLatin1Char('0')), {}, {}, folder, 0});
    RenameList list;
    list.appendAll(std::move(rows));
    return list;
}

// The collation follows the default locale: the C locale of a bare system
// compares case-folded UTF-16 units, a Japanese one runs ICU's collation.
void SortByName(benchmark::State& state, const QLocale& locale)
{
    QLocale::setDefault(locale);
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        // Rows in listing order every time: a sorted list would have its
        // keys in memory in sorted order, which flatters the sort.
        state.PauseTiming();
        RenameList list = ShuffledRows(count);
        state.ResumeTiming();
        SortRows(list, NextSortState({}, 0), OpenSystemCollation().get()); // a click on the name header
        benchmark::DoNotOptimize(list.at(0).currentName);
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
    }
    state.counters["ns per n log2 n"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * count * std::log2(count),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
void BM_SortByName_C(benchmark::State& state)
{
    SortByName(state, QLocale::c());
}
void BM_SortByName_Japanese(benchmark::State& state)
{
    SortByName(state, QLocale(QLocale::Japanese, QLocale::Japan));
}
BENCHMARK(BM_SortByName_C)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByName_Japanese)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InitializeWithRepetitions(argc, argv, 3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
