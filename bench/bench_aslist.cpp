// The AS ledger over a year of about 100,000 jobs: the window's query (statement, record set,
// state counts and colours) against the same statement fetched bare through the client library.
//   bench_aslist [benchmark flags]
// The generated jobs (two years of them, half in the year measured) are kept in the database
// "asvb_aslist_200k" for later runs; drop it to generate them again. The search indexes, the
// ledger's own among them, are added as an administrator would.
// Where the time goes: the jobs alone come from the ledger index in a tenth of the whole; the rest
// is the server pairing 100,000 jobs with their names, and the window's own work is small beside it.
#include "AsListStore.h"
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "ConsolePrompter.h"
#include "Cp949.h"
#include "FrmAS_admin.h"
#include "Grid.h"
#include "HCTerm.h"
#include "MedianRatioReporter.h"
#include "modMySQL_Func.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kJobs = 200000;
const QString kDatabase = u"asvb_aslist_200k"_s;

std::unique_ptr<BareConnection> g_bare;
std::unique_ptr<FrmAS_admin> g_ledger;
QByteArray g_bareSql;
int g_rows = 0;

void BM_Ledger_BareSQL(benchmark::State& state)
{
    for (auto _ : state) {
        if (g_bare->fetchAll(g_bareSql) != g_rows) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
    state.counters["rows"] = g_rows;
}

void BM_Ledger_FrmAS_admin(benchmark::State& state)
{
    for (auto _ : state) {
        g_ledger->query();
        if (g_ledger->list()->rowCount() != g_rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = g_rows;
}

// Real time decides the iterations: this process mostly waits for the server.
BENCHMARK(BM_Ledger_BareSQL)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Ledger_FrmAS_admin)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

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
    QApplication app(argc, argv);
    ConsolePrompter prompter(MsgAnswer::No);

    InitializeInterleaved(argc, argv);

    BenchDatabase db(kDatabase);
    fill();
    g_bare = std::make_unique<BareConnection>(db.name());

    const QString last = DBGetValue(u"SELECT MAX(dealdate) FROM aslist_m"_s);
    const QString first = QDate::fromString(last, u"yyyy-MM-dd"_s).addDays(-364).toString(u"yyyy-MM-dd"_s);
    g_ledger = std::make_unique<FrmAS_admin>();
    g_ledger->period()->SetText1(first);
    g_ledger->period()->SetText2(last);
    AsListStore::JobFilter filter;
    filter.from = first;
    filter.to = last;
    g_bareSql = Cp949::encode(AsListStore::jobsSql(filter));
    g_rows = g_bare->fetchAll(g_bareSql);
    if (g_rows <= 0)
        qFatal("the ledger's statement finds nothing");
    std::printf("ledger from %s to %s: %d jobs\n", first.toUtf8().constData(), last.toUtf8().constData(), g_rows);

    MedianRatioReporter report("BM_Ledger_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&report);

    g_ledger.reset();
    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
