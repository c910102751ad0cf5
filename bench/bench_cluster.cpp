// The cost of a cluster to the desk: entering a sale line as the slip does and recording a received
// call, on a database of the single test server against the same database on the test cluster
// (scripts/testdb cluster start), where every commit waits for the other two nodes.
//   bench_cluster [benchmark flags]
// Both databases are generated afresh with the same seed and dropped at the end.
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "CallIntake.h"
#include "Clock.h"
#include "MedianRatioReporter.h"
#include "SlipLineEntry.h"
#include "StoreSql.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

const SampleDataGenerator::Size kSize{.customers = 5000, .products = 1000, .saleLines = 50000, .payments = 5000,
                                      .asJobs = 500, .calls = 5000};
const QDateTime kCallDay(QDate(2029, 12, 31), QTime(10, 0));

// One database and what its benchmarks enter.
struct Place {
    std::unique_ptr<BenchDatabase> db;
    QString customer;
    QString barcode;
    QStringList numbers;
};

Place g_places[2];

void enterLines(benchmark::State& state, Place& place)
{
    place.db->open();
    SlipLineEntry slip(place.customer, Clock::today().toString(u"yyyy-MM"_s));
    for (auto _ : state) {
        if (!slip.enter(u"15"_s, place.barcode)) {
            state.SkipWithError("the line was not stored");
            break;
        }
    }
}

void recordCalls(benchmark::State& state, Place& place)
{
    place.db->open();
    CallIntake intake(*DBConnection(0));
    qsizetype i = 0;
    for (auto _ : state) {
        if (intake.record(place.numbers[i++ % place.numbers.size()], true, kCallDay).code == 0) {
            state.SkipWithError("the call was not stored");
            break;
        }
    }
}

void BM_EnterLine_Single(benchmark::State& state) { enterLines(state, g_places[0]); }
void BM_EnterLine_Cluster(benchmark::State& state) { enterLines(state, g_places[1]); }
void BM_Call_Single(benchmark::State& state) { recordCalls(state, g_places[0]); }
void BM_Call_Cluster(benchmark::State& state) { recordCalls(state, g_places[1]); }

void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_EnterLine_Single)->Apply(measured);
BENCHMARK(BM_EnterLine_Cluster)->Apply(measured);
BENCHMARK(BM_Call_Single)->Apply(measured);
BENCHMARK(BM_Call_Cluster)->Apply(measured);

Place generated(std::optional<test::ServerAccount> server)
{
    Place place{std::make_unique<BenchDatabase>(QString(), server), {}, {}, {}};
    if (!SampleDataGenerator().generate(kSize))
        qFatal("cannot generate the sample data");
    place.customer = DBGetValue(u"SELECT MIN(code) FROM customer"_s);
    place.barcode = DBGetValue(u"SELECT bcode FROM product WHERE bcode <> '' AND hidden = 0 ORDER BY code LIMIT 1"_s);
    place.numbers = StoreSql(nullptr, u"bench"_s).firstColumn(u"SELECT telno1 FROM customer WHERE telno1 <> '' ORDER BY code LIMIT 200"_s, u"numbers"_s);
    return place;
}

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);
    const test::ServerAccount cluster = test::testCluster();
    if (cluster.user.isEmpty())
        qFatal("the test cluster is not running: scripts/testdb cluster start");

    g_places[0] = generated({});
    g_places[1] = generated(cluster);
    std::printf("%d customers, %d sale lines on the single server and on the cluster %s\n", kSize.customers,
                kSize.saleLines, cluster.host.toUtf8().constData());

    MedianRatioReporter lines("BM_EnterLine_Single");
    benchmark::RunSpecifiedBenchmarks(&lines, "BM_EnterLine_.*");
    MedianRatioReporter calls("BM_Call_Single");
    benchmark::RunSpecifiedBenchmarks(&calls, "BM_Call_.*");

    DBClose();
    for (Place& place : g_places)
        place.db.reset();
    benchmark::Shutdown();
    return 0;
}
