// The receivables status and the balance repair at 10,000 customers, 1,000,000 sale lines,
// 200,000 payments and about 100,000 AS lines: the report (statements, scratch file, listing in the
// list's model) against the same statements fetched bare through the client
// library, and the repair (check and batched corrections) against one UPDATE that joins the
// summed documents, each with every balance wrong beforehand.
//   bench_balances [benchmark flags]
// The generated data is kept in the database "asvb_books_1m" (shared with bench_ledger); drop it to
// generate it again.
#include "BalanceRepair.h"
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "Clock.h"
#include "Cp949.h"
#include "GridModel.h"
#include "MedianRatioReporter.h"
#include "ReceivablesStore.h"
#include "ReportDatabase.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {


std::unique_ptr<BareConnection> g_bare;
ReceivablesStore::Filter g_filter;
QList<QByteArray> g_reportSql;
int g_customers = 0;

void must(qint64 result, const char* what)
{
    if (result < 0)
        qFatal("%s: %s", what, g_bare->error());
}

void BM_Receivables_BareSQL(benchmark::State& state)
{
    for (auto _ : state) {
        for (const QByteArray& sql : g_reportSql)
            must(g_bare->fetchAll(sql), "receivables");
    }
}

void BM_Receivables_ReceivablesStore(benchmark::State& state)
{
    GridModel list;
    for (auto _ : state) {
        // A scratch file of its own for every report, as the report window makes it.
        const std::unique_ptr<ReportDatabase> scratch = ReportDatabase::CreateRPTFile();
        list.setRecordSet(ReceivablesStore().CreateReport(g_filter, *scratch));
        if (list.rowCount() < g_customers / 2) {
            state.SkipWithError("the list is not all there");
            break;
        }
    }
    state.counters["rows"] = list.rowCount();
}

// Every balance off by one won, set outside the timing.
void spoilBalances(benchmark::State& state)
{
    state.PauseTiming();
    must(g_bare->execute("UPDATE customer SET nowmoney = nowmoney + 1"), "spoil");
    state.ResumeTiming();
}

// The least any repair costs: the documents summed and every wrong balance set, in one statement.
void BM_Repair_SingleStatement(benchmark::State& state)
{
    const QByteArray sql =
        "UPDATE customer AS c LEFT JOIN (SELECT ccode, SUM(v) AS v FROM ("
        "SELECT ccode, SUM(total) AS v FROM sale GROUP BY ccode"
        " UNION ALL SELECT ccode, SUM(amount) FROM aslist_m AS m, aslist_d AS d"
        " WHERE m.code = d.code AND d.isfree = 0 GROUP BY ccode"
        " UNION ALL SELECT ccode, SUM(amount+dc)*-1 FROM receive GROUP BY ccode) AS u GROUP BY ccode) AS t"
        " ON t.ccode = c.code SET c.nowmoney = c.basemoney + COALESCE(t.v, 0)"
        " WHERE c.nowmoney <> c.basemoney + COALESCE(t.v, 0)";
    for (auto _ : state) {
        spoilBalances(state);
        if (g_bare->execute(sql) != g_customers) {
            state.SkipWithError("not every balance was repaired");
            break;
        }
    }
}

void BM_Repair_BalanceRepair(benchmark::State& state)
{
    for (auto _ : state) {
        spoilBalances(state);
        const QList<BalanceRepair::Correction> found = BalanceRepair::check();
        if (BalanceRepair::repair(found).size() != g_customers) {
            state.SkipWithError("not every balance was repaired");
            break;
        }
    }
}

void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(7)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_Receivables_BareSQL)->Apply(measured);
BENCHMARK(BM_Receivables_ReceivablesStore)->Apply(measured);
BENCHMARK(BM_Repair_SingleStatement)->Apply(measured);
BENCHMARK(BM_Repair_BalanceRepair)->Apply(measured);

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase& db = BenchDatabase::books();
    g_bare = std::make_unique<BareConnection>(db.name());
    g_customers = static_cast<int>(DBRecordCount(u"customer"_s));

    // The month before the last day: nearly two years are carried into it.
    const QDate last = QDate::fromString(DBGetValue(u"SELECT MAX(dealdate) FROM sale"_s), u"yyyy-MM-dd"_s);
    ReceivablesStore::Filter& filter = g_filter;
    filter.from = QDate(last.year(), last.month(), 1).addMonths(-1);
    filter.to = filter.from.addMonths(1).addDays(-1);
    filter.withZero = true;
    for (const QString& sql : ReceivablesStore::sourceStatements(filter))
        g_reportSql << Cp949::encode(sql);
    std::printf("%d customers, %ld sale lines, %ld payments, %ld AS lines; receivables of %s to %s\n", g_customers,
                DBRecordCount(u"sale"_s), DBRecordCount(u"receive"_s), DBRecordCount(u"aslist_d"_s),
                filter.from.toString(u"yyyy-MM-dd"_s).toUtf8().constData(),
                filter.to.toString(u"yyyy-MM-dd"_s).toUtf8().constData());

    MedianRatioReporter reportReport("BM_Receivables_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&reportReport, "BM_Receivables_.*");
    MedianRatioReporter repairReport("BM_Repair_SingleStatement");
    benchmark::RunSpecifiedBenchmarks(&repairReport, "BM_Repair_.*");

    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
