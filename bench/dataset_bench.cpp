// How fast a dataset walks and jumps through a table of 1,000,000 rows, against SQLite stepping
// the equivalent statement over the same file in the same run:
//   - Next through an expression filter that keeps 1% of the rows, against SELECT ... WHERE;
//   - opening the table and going Last, First and MoveBy(500000), against stepping
//     SELECT rowid ... ORDER BY rowid, with the memory the open dataset holds.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "platform/data/data_testsupport.h"
#include "platform/data/dbtables.h"
#include "tests/support/tempdir.h"

namespace {

using namespace vex;

constexpr int kRows = 1000000;

// The table, made once: Qty runs 0 to 99, so Qty = 7 keeps one row in a hundred.
const std::string& Folder() {
    static test::TempDir folder;
    static const bool made = [] {
        auto database = TDbiEngine::Default().OpenDatabase(folder.Path());
        database->Execute(
            "CREATE TABLE big (Id INTEGER NOT NULL, Name VARCHAR(20), Amount FLOAT, Qty INTEGER);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000) "
            "INSERT INTO big SELECT i, 'name ' || i, i * 0.5, i % 100 FROM n");
        return true;
    }();
    (void)made;
    return folder.Path();
}

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

void OpenBig(TTable& Table) {
    Table.SetDatabaseName(Folder());
    Table.SetTableName("big");
    Table.Open();
}

void BM_DataSetNextThroughFilter(benchmark::State& State) {
    TTable table(nullptr);
    OpenBig(table);
    test::TFilterBlockBuilder b;
    const std::vector<uint8_t> block =
        b.Build(b.Binary(canEQ, b.Field("Qty"), b.Value<int32_t>(fldINT32, 7)));
    hDBIFilter filter = 0;
    table.Handle()->AddFilter(nullptr, block.data(), block.size(), nullptr, filter);
    table.Handle()->ActivateFilter(filter);
    TField* amount = table.FieldByName("Amount");
    for (auto _ : State) {
        int kept = 0;
        double sum = 0;
        for (table.First(); !table.Eof(); table.Next()) {
            ++kept;
            sum += amount->AsFloat();
        }
        if (kept != kRows / 100) State.SkipWithError("wrong count");
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * kRows);
}

void BM_SqliteSelectWhere(benchmark::State& State) {
    auto database = TDbiEngine::Default().OpenDatabase(Folder());
    for (auto _ : State) {
        auto q = database->Prepare("SELECT Id, Name, Amount, Qty FROM big WHERE Qty = 7");
        int kept = 0;
        double sum = 0;
        while (q->Step()) {
            ++kept;
            sum += sqlite3_column_double(q->Handle(), 2);
        }
        if (kept != kRows / 100) State.SkipWithError("wrong count");
        benchmark::DoNotOptimize(sum);
    }
    State.SetItemsProcessed(State.iterations() * kRows);
}

void BM_DataSetOpenLastFirstMoveBy(benchmark::State& State) {
    Folder();
    long held = 0;
    for (auto _ : State) {
        const long before = ResidentKiB();
        TTable table(nullptr);
        OpenBig(table);
        table.Last();
        table.First();
        if (table.MoveBy(500000) != 500000) State.SkipWithError("wrong distance");
        held = std::max(held, ResidentKiB() - before);
        benchmark::DoNotOptimize(table.FieldByName("Id")->AsInteger());
    }
    State.counters["held_MiB"] = static_cast<double>(held) / 1024;
}

void BM_SqliteSelectRowidOrderBy(benchmark::State& State) {
    auto database = TDbiEngine::Default().OpenDatabase(Folder());
    for (auto _ : State) {
        auto q = database->Prepare("SELECT rowid FROM big ORDER BY rowid");
        int64_t last = 0;
        while (q->Step())
            last = sqlite3_column_int64(q->Handle(), 0);
        if (last != kRows) State.SkipWithError("wrong count");
    }
}

BENCHMARK(BM_DataSetNextThroughFilter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteSelectWhere)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataSetOpenLastFirstMoveBy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteSelectRowidOrderBy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
