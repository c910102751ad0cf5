// A 100,000-row list read through DBOpenRS against the bare client-library fetch of the same
// statement on a plain connection.
#include "BenchDatabase.h"
#include "ConsolePrompter.h"
#include "MedianRatioReporter.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <mysql.h>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kRows = 100000;

// Twenty columns of the customer list: Korean names and addresses, codes, numbers and dates.
const QString kSelect = u"SELECT code, compname, compalias, ceoname, compsn, telno1, telno2, fax, hpno, charge, "
                        u"taxmode, zipcode, addr1, addr2, status, item, regdate, basemoney, nowmoney, email "
                        u"FROM customer ORDER BY code"_s;

using Connection = std::unique_ptr<MYSQL, decltype(&mysql_close)>;

Connection& bareConnection()
{
    static Connection connection(nullptr, &mysql_close);
    return connection;
}

void connectBare(const QString& database)
{
    const test::ServerAccount a = test::testServer();
    const QStringList hostPort = a.host.split(u':');
    Connection c(mysql_init(nullptr), &mysql_close);
    mysql_options(c.get(), MYSQL_SET_CHARSET_NAME, "euckr");
    if (!mysql_real_connect(c.get(), hostPort[0].toLatin1().constData(), a.user.toLatin1().constData(),
                            a.password.toLatin1().constData(), database.toLatin1().constData(),
                            hostPort.value(1).toUInt(), nullptr, 0))
        qFatal("bare connection: %s", mysql_error(c.get()));
    bareConnection() = std::move(c);
}

void BM_BareFetch(benchmark::State& state)
{
    MYSQL* h = bareConnection().get();
    const QByteArray sql = kSelect.toLatin1();
    for (auto _ : state) {
        if (mysql_real_query(h, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
            state.SkipWithError(mysql_error(h));
            break;
        }
        MYSQL_RES* res = mysql_store_result(h);
        const unsigned int cols = mysql_num_fields(res);
        unsigned long bytes = 0;
        int rows = 0;
        while (MYSQL_ROW row = mysql_fetch_row(res)) {
            const unsigned long* lengths = mysql_fetch_lengths(res);
            for (unsigned int c = 0; c < cols; ++c)
                bytes += lengths[c];
            benchmark::DoNotOptimize(row);
            ++rows;
        }
        mysql_free_result(res);
        benchmark::DoNotOptimize(bytes);
        if (rows != kRows)
            state.SkipWithError("unexpected row count");
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
    QCoreApplication app(argc, argv);
    ConsolePrompter prompter;
    Prompter::install(&prompter);

    // Repetitions of the three benchmarks alternate, so that a slower minute of the machine does
    // not fall on one of them only.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    BenchDatabase& db = BenchDatabase::generated({.customers = kRows, .products = 300});
    connectBare(db.name());

    MedianRatioReporter reporter("BM_BareFetch");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    bareConnection().reset();
    BenchDatabase::dropGenerated();
    benchmark::Shutdown();
    return 0;
}
