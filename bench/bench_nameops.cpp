// Whole-list walks of the one-click name operations over 100,000 rows.

#include "ops/CaseConversion.h"
#include "ops/Deletion.h"
#include "ops/SearchReplace.h"
#include "ops/WidthConversion.h"

#include <benchmark/benchmark.h>

namespace {

RenameList MakeList(const QString& stem)
{
    RenameList list;
    QList<RenameEntry> rows;
    for (int i = 0; i < 100000; ++i)
        rows.append(RenameEntry{stem + QString::number(i) + QStringLiteral(".jpg"), QString(), QString(),
                                QStringLiteral("/tmp"), 0});
    list.appendAll(std::move(rows));
    return list;
}

QString Ascii()
{
    return QStringLiteral("IMG_Holiday_Photo_");
}
QString Japanese()
{
    return QStringLiteral("写真ｶﾞｲﾄﾞブック🎉_");
}

template <class Command> void Walk(benchmark::State& state, const QString& stem, Command command)
{
    RenameList list = MakeList(stem);
    for (auto _ : state) {
        command(list);
        benchmark::DoNotOptimize(list.at(0).newName);
    }
    state.SetItemsProcessed(state.iterations() * list.count());
}

void HeadDeletionAscii(benchmark::State& s)
{
    Walk(s, Ascii(), [](RenameList& l) { DeleteFirstCharacter(l, DeletionMode::Restart); });
}
void HeadDeletionJapanese(benchmark::State& s)
{
    Walk(s, Japanese(), [](RenameList& l) { DeleteFirstCharacter(l, DeletionMode::Restart); });
}
void TailDeletionAscii(benchmark::State& s)
{
    Walk(s, Ascii(), [](RenameList& l) { DeleteLastCharacter(l, DeletionMode::Restart); });
}
void TailDeletionJapanese(benchmark::State& s)
{
    Walk(s, Japanese() + QStringLiteral("写"),
         [](RenameList& l) { DeleteLastCharacter(l, DeletionMode::Restart); });
}
void UpperFirst(benchmark::State& s)
{
    Walk(s, Japanese(), [](RenameList& l) { ApplyUpperCase(l, UpperCaseVariant::FirstCharacterOnly); });
}
void HalfWidth(benchmark::State& s)
{
    Walk(s, Japanese(), [](RenameList& l) { ApplyWidthStep(l, WidthStep::HalfWidth); });
}
void FullWidth(benchmark::State& s)
{
    Walk(s, Japanese(), [](RenameList& l) { ApplyWidthStep(l, WidthStep::FullWidth); });
}
void ReplaceIgnoreCase(benchmark::State& s)
{
    Walk(s, Ascii(), [](RenameList& l) {
        ReplaceInNames(l, QStringLiteral("photo"), QStringLiteral("pic"), MatchCase::IgnoreCase,
                       ReplaceScope::SpareExtension);
    });
}

} // namespace

BENCHMARK(HeadDeletionAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(HeadDeletionJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(TailDeletionAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(TailDeletionJapanese)->Unit(benchmark::kMillisecond);
BENCHMARK(UpperFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(HalfWidth)->Unit(benchmark::kMillisecond);
BENCHMARK(FullWidth)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceIgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
