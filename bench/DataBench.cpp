#include "BenchData.h"
#include "NaiveWeekBoard.h"
#include "data/PendingRequests.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

using namespace assi;
using namespace assi::bench;

namespace {

void BM_DealOutRequests(benchmark::State& state) {
    Recordset query = makeRequestQuery(int(state.range(0)));
    for (auto _ : state) {
        query.moveFirst();
        Recordset first, second;
        dealOutRequests(query, first, second);
        benchmark::DoNotOptimize(first.recordCount() + second.recordCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DealOutRequests)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CopyAndPivotOrders(benchmark::State& state) {
    Recordset query = makeOrderQuery(int(state.range(0)));
    const WeekDayNames names = benchDayNames();
    for (auto _ : state) {
        query.moveFirst();
        Recordset board;
        benchmark::DoNotOptimize(buildWeekBoard(query, names, board));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CopyAndPivotOrders)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_NaiveCopyAndPivotOrders(benchmark::State& state) {
    Recordset query = makeOrderQuery(int(state.range(0)));
    const WeekDayNames names = benchDayNames();
    for (auto _ : state) {
        query.moveFirst();
        Recordset board;
        benchmark::DoNotOptimize(buildNaiveWeekBoard(query, names, board));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Quadratic: at 100,000 rows it would run for many minutes; the figures at
// 10,000 and 40,000 show the growth to extrapolate from.
BENCHMARK(BM_NaiveCopyAndPivotOrders)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// A benchmark of a wrong result is worthless: check that the fast and the
// naive boards agree before timing either.
bool boardsAgree(int rows, int perDate) {
    const WeekDayNames names = benchDayNames();
    Recordset fastQuery = makeOrderQuery(rows, perDate), naiveQuery = makeOrderQuery(rows, perDate);
    Recordset fast, naive;
    buildWeekBoard(fastQuery, names, fast);
    buildNaiveWeekBoard(naiveQuery, names, naive);
    if (fast.recordCount() != naive.recordCount())
        return false;
    for (int r = 0; r < fast.recordCount(); ++r) {
        for (int f = 0; f < fast.fieldCount(); ++f) {
            const QVariant a = fast.valueAt(r, f), b = naive.valueAt(r, f);
            if (a.isNull() != b.isNull() || a.toString() != b.toString())
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    for (const auto& [rows, perDate] : {std::pair{1000, 2000}, std::pair{3000, 120}}) {
        if (!boardsAgree(rows, perDate)) {
            std::fprintf(stderr, "The fast and the naive weekly boards differ (%d rows).\n", rows);
            return EXIT_FAILURE;
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
