// The all-customer ledger for one year at 10,000 customers, 1M sale lines, 200,000 payments and
// about 100,000 AS lines: the store's reads with the merge into rows against the bare statements of
// the same steps through the client library. The reads run at once, each on a connection of its
// own; so does the bare run.
//   bench_ledger [benchmark flags]
// The generated data is kept in the database "asvb_books_1m" (shared with bench_balances); drop it
// to generate it again.
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "Cp949.h"
#include "LedgerMerge.h"
#include "LedgerReads.h"
#include "LedgerStore.h"
#include "MedianRatioReporter.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <future>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {


QString g_database;
LedgerStore::Filter g_filter;
QList<QByteArray> g_steps;
int g_rows = 0;

void BM_Ledger_BareSQL(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<std::future<int>> reads;
        for (const QByteArray& sql : g_steps) {
            reads.push_back(
                std::async(std::launch::async, [&sql] { return BareConnection(g_database).fetchAll(sql); }));
        }
        for (std::future<int>& read : reads) {
            if (read.get() < 0) {
                state.SkipWithError("a statement failed");
                return;
            }
        }
    }
}

void BM_Ledger_StoreAndMerge(benchmark::State& state)
{
    for (auto _ : state) {
        LedgerReads reads(g_filter);
        RecordSetPtr carried = reads.carried();
        std::vector<LedgerMerge::Lines> lists = reads.debits();
        lists.push_back(reads.credits());
        LedgerMerge ledger(reads.keys(), carried, std::move(lists));
        ledger.carryForward();
        ledger.mergeLines();
        if (ledger.rowCount() != g_rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = g_rows;
}

// One iteration reads a year of the whole book. The bare statements alone vary by a third from one
// repetition to the next on this machine: seven, interleaved, give medians that hold still.
void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(7)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_Ledger_BareSQL)->Apply(measured);
BENCHMARK(BM_Ledger_StoreAndMerge)->Apply(measured);

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase& db = BenchDatabase::books();
    g_database = db.name();

    const QString last = DBGetValue(u"SELECT MAX(dealdate) FROM sale"_s);
    g_filter.from = QDate::fromString(last, u"yyyy-MM-dd"_s).addDays(-364).toString(u"yyyy-MM-dd"_s);
    g_filter.to = last;
    for (const QString& sql : LedgerStore::statements(g_filter))
        g_steps << Cp949::encode(sql);
    {
        LedgerMerge ledger(LedgerStore().customers(g_filter), LedgerStore().carried(g_filter),
                           LedgerStore().debits(g_filter), LedgerStore().credits(g_filter));
        ledger.carryForward();
        ledger.mergeLines();
        g_rows = ledger.rowCount();
    }
    std::printf("%ld sale lines, %ld payments, %ld AS lines; ledger from %s to %s: %d rows\n",
                DBRecordCount(u"sale"_s), DBRecordCount(u"receive"_s), DBRecordCount(u"aslist_d"_s),
                g_filter.from.toUtf8().constData(), g_filter.to.toUtf8().constData(), g_rows);

    MedianRatioReporter report("BM_Ledger_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&report);

    DBClose();
    benchmark::Shutdown();
    return 0;
}
