// The two customer searches an operator waits for, at 100,000 customers: the picker's telephone
// search (the endings of five numbers plus the local-part match, through the reversed-number index) and the management
// list's name search, each built by CustomerSearch and read through DBOpenRS, against the same
// statement fetched bare through the client library.
//   bench_customers [benchmark flags]
// The generated customers are kept in the database "asvb_customers_100k" for later runs; drop it
// to generate them again.
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "ConsolePrompter.h"
#include "Cp949.h"
#include "CustomerSearch.h"
#include "MedianRatioReporter.h"
#include "TelSuffixIndex.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kCustomers = 100000;
const QString kDatabase = u"asvb_customers_100k"_s;

struct Case {
    CustomerSearch::Query query;
    bool picker = false;
    QByteArray bareSql;
    int rows = 0;

    QString sql() const { return picker ? CustomerSearch::pickerSql(query) : CustomerSearch::listSql(query); }
};

Case g_telephone;
Case g_name;
std::unique_ptr<BareConnection> g_bare;

CustomerSearch::Query keyQuery(const FindKey& key, const QString& text, const QString& opText)
{
    CustomerSearch::Query q;
    q.fields = key.fields;
    q.text = text;
    q.opText = opText;
    return q;
}

void prepare(Case& c)
{
    c.bareSql = Cp949::encode(c.sql());
    c.rows = g_bare->fetchAll(c.bareSql);
    if (c.rows <= 0)
        qFatal("the statement finds nothing: %s", c.sql().toUtf8().constData());
}

void bare(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        if (g_bare->fetchAll(c.bareSql) != c.rows) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
    state.counters["rows"] = c.rows;
}

void ours(benchmark::State& state, const Case& c)
{
    for (auto _ : state) {
        RecordSetPtr rs;
        if (DBOpenRS(rs, c.sql()) != c.rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
        CloseRS(rs);
    }
    state.counters["rows"] = c.rows;
}

void BM_PickerTel_BareSQL(benchmark::State& state) { bare(state, g_telephone); }
void BM_PickerTel_CustomerSearch(benchmark::State& state) { ours(state, g_telephone); }
void BM_ListName_BareSQL(benchmark::State& state) { bare(state, g_name); }
void BM_ListName_CustomerSearch(benchmark::State& state) { ours(state, g_name); }

// Real time decides the iterations: this process mostly waits for the server.
BENCHMARK(BM_PickerTel_BareSQL)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_PickerTel_CustomerSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ListName_BareSQL)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ListName_CustomerSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

// The generated customers of an earlier run, or new ones, with the reversed-number index the
// program adds at start-up.
void fill()
{
    const long customers = DBRecordCount(u"customer"_s);
    if (customers == kCustomers) {
        if (!TelSuffixIndex::present()) {
            QElapsedTimer timer;
            timer.start();
            if (!TelSuffixIndex::ensure())
                qFatal("the server refuses the reversed-number index");
            std::printf("reversed-number index added to %d customers in %lld ms\n", kCustomers, timer.elapsed());
        }
        return;
    }
    if (customers != 0)
        qFatal("%s holds %ld customers, not %d: drop it to generate them again", kDatabase.toUtf8().constData(),
               customers, kCustomers);
    if (!SampleDataGenerator().generate({.customers = kCustomers, .products = 300}))
        qFatal("cannot generate the sample customers");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ConsolePrompter prompter(MsgAnswer::No);

    InitializeInterleaved(argc, argv);

    BenchDatabase db(kDatabase);
    fill();
    g_bare = std::make_unique<BareConnection>(db.name());

    // What an operator types: the digits of a customer's number without its area code, and a
    // company name.
    const QString telno = DBGetValue(
        u"SELECT telno1 FROM customer WHERE telno1 LIKE '0%-%-%' ORDER BY code LIMIT 1 OFFSET 50000"_s);
    const QString localDigits = telno.section(u'-', 1).remove(u'-');
    const QList<FindKey> pickerKeys = CustomerSearch::pickerKeys();
    const auto telKey = std::find_if(pickerKeys.begin(), pickerKeys.end(),
                                     [](const auto& k) { return k.label == u"전화번호"_s; });
    g_telephone.query = keyQuery(*telKey, localDigits, telKey->op);
    g_telephone.picker = true;
    g_name.query = keyQuery(CustomerSearch::listKeys(false).at(1), u"한빛전자"_s, u"*s*"_s);
    prepare(g_telephone);
    prepare(g_name);
    std::printf("telephone search for %s (%s): %d rows; name search: %d rows\n", localDigits.toUtf8().constData(),
                telno.toUtf8().constData(), g_telephone.rows, g_name.rows);

    MedianRatioReporter pickerReport("BM_PickerTel_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&pickerReport, "BM_PickerTel_.*");
    MedianRatioReporter listReport("BM_ListName_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&listReport, "BM_ListName_.*");

    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
