// Customer import of 100,000 rows from a generated .csv file: the file read, the rows checked and
// stored as the import window does it, against the bare multi-row INSERT statements of the same
// rows sent through the client library.
//   bench_import [--without-name-pieces] [benchmark flags]
// The name pieces (customer_trigram) are a row per three characters of each name. Bare INSERTs
// leave them to the insert trigger, row by row; the import writes them one statement per batch, and
// BM_Import_BareSQLBatchPieces sends those same statements bare. The flag measures a database
// whose administrator did not add the pieces.
#include "BareConnection.h"
#include "TrigramIndex.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "Cp949.h"
#include "CustomerImport.h"
#include "MedianRatioReporter.h"
#include "SpreadsheetReader.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kRows = 100000;
constexpr int kRowsPerStatement = 1000;

std::unique_ptr<BareConnection> g_bare;
QString g_csv;
QList<QByteArray> g_bareInserts;
// Per batch: its rows and their pieces in one transaction, as the import sends them.
QList<QByteArray> g_batchStatements;

// Code, name, short name, model, telephone, second telephone, mobile, zipcode, address,
// address detail, memo: every field of the import filled, as a full customer list would be.
QList<QStringList> generatedRows()
{
    QList<QStringList> rows{{u"코드"_s, u"상호"_s, u"약칭"_s, u"모델"_s, u"전화"_s, u"전화2"_s, u"휴대폰"_s,
                             u"우편번호"_s, u"주소"_s, u"상세주소"_s, u"비고"_s}};
    for (int i = 1; i <= kRows; ++i) {
        const QString n = QString::number(i);
        rows.append(QStringList{n.rightJustified(6, u'0'), u"(주)가져온상사 "_s + n, u"가져온상사 "_s + n,
                     u"MODEL-"_s + QString::number(i % 97), u"02-%1-"_s.arg(100 + i % 900) + QString::number(i % 10000).rightJustified(4, u'0'),
                     QString(), u"010-%1-"_s.arg(1000 + i % 9000) + QString::number(i % 10000).rightJustified(4, u'0'),
                     QString::number(10000 + i % 90000), u"서울특별시 중구 세종대로 "_s + QString::number(i % 300),
                     u"%1동 %2호"_s.arg(100 + i % 20).arg(i % 1500), i % 10 == 0 ? u"메모 "_s + n : QString()});
    }
    return rows;
}

void reset()
{
    if (g_bare->execute("TRUNCATE TABLE customer") < 0)
        qFatal("truncate: %s", g_bare->error());
}

void BM_Import_BareSQL(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        reset();
        state.ResumeTiming();
        for (const QByteArray& sql : g_bareInserts) {
            if (g_bare->execute(sql) != kRowsPerStatement) {
                state.SkipWithError(g_bare->error());
                return;
            }
        }
    }
    state.counters["rows/s"] = benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Import_BareSQLBatchPieces(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        reset();
        state.ResumeTiming();
        for (const QByteArray& sql : g_batchStatements) {
            if (g_bare->execute(sql) < 0) {
                state.SkipWithError(g_bare->error());
                return;
            }
        }
    }
    state.counters["rows/s"] = benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
}

// From the file on disk to the stored rows: reading, the check before the import and the import.
void BM_Import_File(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        reset();
        state.ResumeTiming();
        const QList<QStringList> cells = SpreadsheetReader::open(g_csv)->readSheet(0);
        CustomerImport import(cells, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        const int last = import.lastRowWithData();
        if (!import.check(2, last).isEmpty()) {
            state.SkipWithError("the generated rows have problems");
            return;
        }
        const CustomerImport::Result result =
            import.run(2, last, {[](const QString&) {}, [](int) {}, [](int) {}});
        if (result.imported != kRows) {
            state.SkipWithError("not every row was imported");
            return;
        }
    }
    state.counters["rows/s"] = benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
}

void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_Import_BareSQL)->Apply(measured);
BENCHMARK(BM_Import_File)->Apply(measured);

} // namespace

int main(int argc, char** argv)
{
    const bool withoutPieces = argc > 1 && std::strcmp(argv[1], "--without-name-pieces") == 0;
    if (withoutPieces) {
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase db;
    if (withoutPieces) {
        for (const char* sql : {"DROP TRIGGER customer_trigram_ai", "DROP TRIGGER customer_trigram_au", "DROP TRIGGER customer_trigram_ad",
                                "DROP TABLE customer_trigram, customer_trigram_pos"})
            DBExecute(QString::fromLatin1(sql));
    }
    g_bare = std::make_unique<BareConnection>(db.name());
    QTemporaryDir dir;
    g_csv = dir.path() + u"/customers.csv"_s;
    const QList<QStringList> rows = generatedRows();
    QFile file(g_csv);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the file");
    for (const QStringList& row : rows)
        file.write(row.join(u',').toUtf8() + "\r\n");
    file.close();

    const QString table = u"customer"_s;
    for (int first = 1; first < rows.size(); first += kRowsPerStatement) {
        QStringList tuples;
        QStringList codes;
        for (int r = first; r < first + kRowsPerStatement; ++r) {
            tuples << u"('"_s + rows[r].join(u"','"_s) + u"')"_s;
            codes << u"'"_s + rows[r].first() + u"'"_s;
        }
        g_bareInserts << Cp949::encode(u"INSERT INTO customer (code, compname, compalias, modelname, telno1, telno2, "
                                       "hpno, zipcode, addr1, addr2, bigo) VALUES "_s
                                       + tuples.join(u','));
        g_batchStatements << "START TRANSACTION" << TrigramIndex::deferStatement(table, true).toLatin1()
                          << g_bareInserts.last() << Cp949::encode(TrigramIndex::piecesStatement(table, codes.join(u',')))
                          << TrigramIndex::deferStatement(table, false).toLatin1() << "COMMIT";
    }
    std::printf("%d rows, %lld bytes of .csv\n", kRows, static_cast<long long>(QFile(g_csv).size()));

    if (!withoutPieces)
        benchmark::RegisterBenchmark("BM_Import_BareSQLBatchPieces", BM_Import_BareSQLBatchPieces)->Apply(measured);
    MedianRatioReporter report("BM_Import_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&report);
    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
