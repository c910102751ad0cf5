// The AS ledger over a year of about 100,000 jobs: the ledger's query (statement, record set in the
// list's model, state counts and colours) against the same statements fetched bare through the client library.
//   bench_aslist [benchmark flags]
// The generated jobs (two years of them, half in the year measured) are kept in the database
// "asvb_aslist_200k" for later runs; drop it to generate them again. The search indexes, the
// ledger's own among them, are added as an administrator would.
// Bare: the ledger's statements as the window sends them: the jobs, then the name tables.
// Where the time goes: the jobs come from the ledger index alone; pairing each of 100,000 jobs
// with five names on the server cost three times that, so the small tables' names are read whole
// and paired in the program, without copying a row.
#include "AsJobColumns.h"
#include "AsJobNames.h"
#include "AsListStore.h"
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "Cp949.h"
#include "GridModel.h"
#include "MedianRatioReporter.h"
#include "StoreSql.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kJobs = 200000;
const QString kDatabase = u"asvb_aslist_200k"_s;

std::unique_ptr<BareConnection> g_bare;
AsListStore::JobFilter g_filter;
QList<QByteArray> g_bareSql;
int g_rows = 0;

void BM_Ledger_BareSQL(benchmark::State& state)
{
    for (auto _ : state) {
        bool failed = false;
        for (const QByteArray& sql : g_bareSql)
            failed = failed || g_bare->fetchAll(sql) < 0;
        if (failed) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
    state.counters["rows"] = g_rows;
}

void BM_Ledger_AsListStore(benchmark::State& state)
{
    GridModel list;
    AsJobColumns::define(list, AsJobColumns::ledger(false));
    for (auto _ : state) {
        list.clearColors();
        list.setRecordSet(AsListStore().jobs(g_filter));
        benchmark::DoNotOptimize(AsJobColumns::colourStates(list, AsJobColumns::State));
        if (list.rowCount() != g_rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = g_rows;
}

// Real time decides the iterations: this process mostly waits for the server. 25 repetitions:
// the server's time for the same statement varies by half from run to run on a shared machine.
BENCHMARK(BM_Ledger_BareSQL)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(25)->ReportAggregatesOnly(true);
BENCHMARK(BM_Ledger_AsListStore)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(25)->ReportAggregatesOnly(true);

// The jobs, with the indexes an administrator would add (the ledger's among them).
void fill()
{
    const long jobs = DBRecordCount(u"aslist_m"_s);
    if (jobs != kJobs && jobs != 0)
        qFatal("%s holds %ld jobs, not %d: drop it to generate them again", kDatabase.toUtf8().constData(), jobs,
               kJobs);
    if (jobs == 0 && !SampleDataGenerator().generate({.customers = 20000, .products = 300, .asJobs = kJobs}))
        qFatal("cannot generate the sample jobs");
    BenchDatabase::addSearchIndexes(kJobs, "jobs");
}

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase db(kDatabase);
    fill();
    g_bare = std::make_unique<BareConnection>(db.name());

    const QString last = DBGetValue(u"SELECT MAX(dealdate) FROM aslist_m"_s);
    const QString first = QDate::fromString(last, u"yyyy-MM-dd"_s).addDays(-364).toString(u"yyyy-MM-dd"_s);
    g_filter.from = first;
    g_filter.to = last;
    const RecordSetPtr jobs = AsListStore().jobs(g_filter);
    g_rows = jobs->rowCount();
    if (g_rows <= 0)
        qFatal("the ledger's statement finds nothing");
    const RecordSetPtr codes = StoreSql(nullptr, u"bench"_s).read(AsListStore::jobsSql(g_filter), u"codes"_s);
    for (const QString& sql : QStringList{AsListStore::jobsSql(g_filter)} + AsJobNames(false, true).statements(*codes))
        g_bareSql << Cp949::encode(sql);
    std::printf("ledger from %s to %s: %d jobs\n", first.toUtf8().constData(), last.toUtf8().constData(), g_rows);

    MedianRatioReporter report("BM_Ledger_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&report);

    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
