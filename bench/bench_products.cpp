// The product picker's searches an operator waits for, at 1,000,000 products: the name search of
// the search row, and a code-entry field's text (the exact code first, then code, barcode and
// name), and the code-entry box's steps for a code, a barcode whole or by its beginning and a
// name, each built by ProductSearch and read through DBOpenRS, against the same statements
// fetched bare through the client library.
//   bench_products [benchmark flags]
// The generated products are kept in the database "asvb_products_1m" for later runs; drop it
// to generate them again.
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "Cp949.h"
#include "MedianRatioReporter.h"
#include "ProductSearch.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kProducts = 1000000;
const QString kDatabase = u"asvb_products_1m"_s;

// One search as the picker runs it: one statement, or the exact code first and then the search.
// A code-entry text's steps are made again each time, as their name pieces are weighed then.
struct Search {
    QList<ProductSearch::Query> steps;
    QList<QByteArray> bareSql;
    int rows = 0;
    QString entryText;
};

Search g_name;
Search g_entry;
// What the code-entry box gets: a code, a whole barcode, a barcode's first eight digits, a name.
QList<Search> g_codeEntry;
std::unique_ptr<BareConnection> g_bare;

ProductSearch::Query query(const QString& fields, const QString& text, const QString& op)
{
    ProductSearch::Query q;
    q.fields = fields;
    q.text = text;
    q.opText = op;
    return q;
}

QList<ProductSearch::Query> entrySteps(const QString& text)
{
    QList<ProductSearch::Query> out{query(u"p.code"_s, text, u"="_s)};
    for (const QString& rung : ProductSearch::entryRungs(text)) {
        out << ProductSearch::Query();
        out.last().extraCondition = rung;
    }
    const FindKey key = ProductSearch::entryKey();
    return out << query(key.fields, text, key.op);
}

void prepare(Search& s)
{
    if (!s.entryText.isEmpty())
        s.steps = entrySteps(s.entryText);
    for (const ProductSearch::Query& q : std::as_const(s.steps)) {
        s.bareSql << Cp949::encode(ProductSearch::pickerSql(q));
        if ((s.rows = g_bare->fetchAll(s.bareSql.last())) > 0)
            break;
    }
    if (s.rows <= 0)
        qFatal("the search finds nothing");
}

// Each step runs until one finds rows, as the picker stops at an exact code.
void bare(benchmark::State& state, const Search& s)
{
    for (auto _ : state) {
        int rows = 0;
        for (const QByteArray& sql : s.bareSql) {
            if ((rows = g_bare->fetchAll(sql)) > 0)
                break;
        }
        if (rows != s.rows) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
    state.counters["rows"] = s.rows;
}

void ours(benchmark::State& state, const Search& s)
{
    for (auto _ : state) {
        int rows = 0;
        for (const ProductSearch::Query& q : s.entryText.isEmpty() ? s.steps : entrySteps(s.entryText)) {
            RecordSetPtr rs;
            rows = DBOpenRS(rs, ProductSearch::pickerSql(q));
            CloseRS(rs);
            if (rows > 0)
                break;
        }
        if (rows != s.rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = s.rows;
}

void BM_PickerName_BareSQL(benchmark::State& state) { bare(state, g_name); }
void BM_PickerName_ProductSearch(benchmark::State& state) { ours(state, g_name); }
void BM_EntryText_BareSQL(benchmark::State& state) { bare(state, g_entry); }
void BM_EntryText_ProductSearch(benchmark::State& state) { ours(state, g_entry); }
void BM_CodeEntry_BareSQL(benchmark::State& state) { bare(state, g_codeEntry.at(state.range(0))); }
void BM_CodeEntry_ProductSearch(benchmark::State& state) { ours(state, g_codeEntry.at(state.range(0))); }

// Real time decides the iterations: this process mostly waits for the server.
void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_PickerName_BareSQL)->Apply(measured);
BENCHMARK(BM_PickerName_ProductSearch)->Apply(measured);
BENCHMARK(BM_EntryText_BareSQL)->Apply(measured);
BENCHMARK(BM_EntryText_ProductSearch)->Apply(measured);
BENCHMARK(BM_CodeEntry_BareSQL)->DenseRange(0, 3)->Apply(measured);
BENCHMARK(BM_CodeEntry_ProductSearch)->DenseRange(0, 3)->Apply(measured);

// The generated products of an earlier run, or new ones, with the search indexes an administrator
// adds (timed when they are added here); the free-text product is not counted.
void fill()
{
    const long products = DBRecordCount(u"product"_s, u"code <> '000000'"_s);
    if (products == kProducts) {
        BenchDatabase::addSearchIndexes(kProducts, "products");
        return;
    }
    if (products != 0)
        qFatal("%s holds %ld products, not %d: drop it to generate them again", kDatabase.toUtf8().constData(),
               products, kProducts);
    if (!SampleDataGenerator().generate({.customers = 100, .products = kProducts}))
        qFatal("cannot generate the sample products");
}

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase db(kDatabase);
    fill();
    g_bare = std::make_unique<BareConnection>(db.name());

    // What an operator types: part of a product name in the search row, and into a code-entry
    // field the middle digits of a barcode (no code is made of them).
    const FindKey nameKey = ProductSearch::pickerKeys().at(1);
    g_name.steps << query(nameKey.fields, u"스캐너 프로"_s, nameKey.op);
    const QString barcode = DBGetValue(
        u"SELECT bcode FROM product WHERE bcode <> '' AND hidden = 0 ORDER BY code LIMIT 1 OFFSET 50000"_s);
    const QString digits = barcode.mid(2, 8);
    const FindKey entryKey = ProductSearch::entryKey();
    g_entry.steps << query(u"p.code"_s, digits, u"="_s) << query(entryKey.fields, digits, entryKey.op);
    prepare(g_name);
    prepare(g_entry);
    const QString code = DBGetValue(u"SELECT code FROM product WHERE hidden = 0 ORDER BY code LIMIT 1 OFFSET 70000"_s);
    for (const QString& text : {code, barcode, barcode.left(8), u"스캐너 프로"_s}) {
        g_codeEntry << Search{{}, {}, 0, text};
        prepare(g_codeEntry.last());
        std::printf("code entry %lld for %s: %d rows at step %lld\n", static_cast<long long>(g_codeEntry.size() - 1),
                    text.toUtf8().constData(), g_codeEntry.last().rows,
                    static_cast<long long>(g_codeEntry.last().bareSql.size()));
    }
    std::printf("name search: %d rows; code-entry search for %s (of %s): %d rows\n", g_name.rows,
                digits.toUtf8().constData(), barcode.toUtf8().constData(), g_entry.rows);

    MedianRatioReporter nameReport("BM_PickerName_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&nameReport, "BM_PickerName_.*");
    MedianRatioReporter entryReport("BM_EntryText_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&entryReport, "BM_EntryText_.*");
    MedianRatioReporter codeEntryReport("BM_CodeEntry_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&codeEntryReport, "BM_CodeEntry_.*");

    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
