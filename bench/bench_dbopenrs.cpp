// A 100,000-row list read through DBOpenRS against the bare client-library fetch of the same
// statement on a plain connection.
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "MedianRatioReporter.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kRows = 100000;

// Twenty columns of the customer list: Korean names and addresses, codes, numbers and dates.
const QString kSelect = u"SELECT code, compname, compalias, ceoname, compsn, telno1, telno2, fax, hpno, charge, "
                        u"taxmode, zipcode, addr1, addr2, status, item, regdate, basemoney, nowmoney, email "
                        u"FROM customer ORDER BY code"_s;

std::unique_ptr<BareConnection> g_bare;

void BM_BareFetch(benchmark::State& state)
{
    const QByteArray sql = kSelect.toLatin1();
    for (auto _ : state) {
        const int rows = g_bare->fetchAll(sql);
        if (rows != kRows) {
            state.SkipWithError(rows < 0 ? g_bare->error() : "unexpected row count");
            break;
        }
    }
}

void BM_DBOpenRS(benchmark::State& state)
{
    for (auto _ : state) {
        RecordSetPtr rs;
        if (DBOpenRS(rs, kSelect) != kRows || !rs || rs->rowCount() != kRows)
            state.SkipWithError("unexpected row count");
        CloseRS(rs);
    }
}

// What a list pays when it shows every row: each value read as text.
void BM_DBOpenRS_ReadAll(benchmark::State& state)
{
    for (auto _ : state) {
        RecordSetPtr rs;
        if (DBOpenRS(rs, kSelect) != kRows || !rs) {
            state.SkipWithError("unexpected row count");
            break;
        }
        qsizetype chars = 0;
        const int cols = rs->fieldCount();
        for (int row = 0; row < rs->rowCount(); ++row) {
            for (int col = 0; col < cols; ++col)
                chars += rs->value(row, col).size();
        }
        benchmark::DoNotOptimize(chars);
        CloseRS(rs);
    }
}

BENCHMARK(BM_BareFetch)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_DBOpenRS)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK(BM_DBOpenRS_ReadAll)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase& db = BenchDatabase::generated({.customers = kRows, .products = 300});
    g_bare = std::make_unique<BareConnection>(db.name());

    MedianRatioReporter reporter("BM_BareFetch");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    g_bare.reset();
    BenchDatabase::dropGenerated();
    benchmark::Shutdown();
    return 0;
}
