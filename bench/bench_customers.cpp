// The customer searches an operator waits for, at 999,999 customers (every six-digit code): the
// picker's default key (name) with a typed number, its telephone search, and the management
// list's name search, each built by CustomerSearch and read through DBOpenRS, and the consult
// desk's customer search, against the same statement fetched bare through the client library. Then what the name pieces' triggers cost a
// customer insert, a rename and a balance update, against the same statements without them.
//   bench_customers [benchmark flags]
// The generated customers are kept in the database "asvb_customers_1m" for later runs; drop it
// to generate them again. A database without the search indexes gets them first, timed.
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "ConsultStore.h"
#include "Cp949.h"
#include "CustomerSearch.h"
#include "MedianRatioReporter.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kCustomers = SampleDataGenerator::kMaxCustomers;
const QString kDatabase = u"asvb_customers_1m"_s;

struct Case {
    CustomerSearch::Query query;
    bool picker = false;
    QByteArray bareSql;
    int rows = 0;

    QString sql() const { return picker ? CustomerSearch::pickerSql(query) : CustomerSearch::listSql(query); }
};

// The desk's customer search for what an operator types there: a name, a code, a number with
// and without its hyphens, a number's last four digits.
struct DeskCase {
    QString text;
    QByteArray bareSql;
    int rows = 0;
};
QList<DeskCase> g_desk;

Case g_nameWithNumber;
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

void BM_DeskSearch_BareSQL(benchmark::State& state)
{
    const DeskCase& c = g_desk.at(state.range(0));
    for (auto _ : state) {
        if (g_bare->fetchAll(c.bareSql) != c.rows) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
    state.counters["rows"] = c.rows;
}

void BM_DeskSearch_ConsultStore(benchmark::State& state)
{
    const DeskCase& c = g_desk.at(state.range(0));
    for (auto _ : state) {
        if (ConsultStore().searchCustomers(c.text, false).size() != c.rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = c.rows;
}

void BM_PickerNumber_BareSQL(benchmark::State& state) { bare(state, g_nameWithNumber); }
void BM_PickerNumber_CustomerSearch(benchmark::State& state) { ours(state, g_nameWithNumber); }
void BM_PickerTel_BareSQL(benchmark::State& state) { bare(state, g_telephone); }
void BM_PickerTel_CustomerSearch(benchmark::State& state) { ours(state, g_telephone); }
void BM_ListName_BareSQL(benchmark::State& state) { bare(state, g_name); }
void BM_ListName_CustomerSearch(benchmark::State& state) { ours(state, g_name); }

// The name pieces' triggers on or off for the writes measured next. Off, they are kept aside as
// the server wrote them, and put back as they were.
QStringList g_triggers;

void setTriggers(bool on)
{
    static const QStringList names{u"customer_trigram_ai"_s, u"customer_trigram_au"_s, u"customer_trigram_ad"_s};
    const bool off = !g_triggers.isEmpty();
    if (on && off) {
        for (const QString& sql : std::as_const(g_triggers))
            DBExecute(sql);
        g_triggers.clear();
    } else if (!on && !off) {
        for (const QString& name : names) {
            RecordSetPtr rs;
            DBOpenRS(rs, u"SHOW CREATE TRIGGER "_s + name);
            g_triggers << rs->field(2);
            DBExecute(u"DROP TRIGGER "_s + name);
        }
    }
}

// A customer as the editor writes one; the codes above the generated ones are removed after.
void insertCustomers(benchmark::State& state, bool triggers)
{
    setTriggers(triggers);
    int n = 0;
    for (auto _ : state) {
        DBExecute(u"INSERT INTO customer (code, compname, compalias, ceoname, telno1, hpno, charge, regdate) VALUES ('X%1', "
                  u"'(주)한빛정밀테크 %1', '한빛정밀테크', '김민준', '02-555-%1', '010-1234-5678', '01', '2026-01-01')"_s
                      .arg(++n, 5, 10, QChar(u'0')));
    }
    DBExecute(u"DELETE FROM customer WHERE code LIKE 'X%'"_s);
}

// A rename back and forth, and the balance update every sale makes.
void renameCustomer(benchmark::State& state, bool triggers)
{
    setTriggers(triggers);
    int n = 0;
    for (auto _ : state)
        DBExecute(u"UPDATE customer SET compname = '%1' WHERE code = '500000'"_s.arg(++n % 2 ? u"(주)새빛물산"_s : u"새빛물산"_s));
    DBExecute(u"UPDATE customer SET compname = '새빛물산' WHERE code = '500000'"_s);
}

void updateBalance(benchmark::State& state, bool triggers)
{
    setTriggers(triggers);
    for (auto _ : state)
        DBExecute(u"UPDATE customer SET nowmoney = nowmoney + 1000 WHERE code = '500001'"_s);
}

void BM_Insert_NoTriggers(benchmark::State& state) { insertCustomers(state, false); }
void BM_Insert_Triggers(benchmark::State& state) { insertCustomers(state, true); }
void BM_Rename_NoTriggers(benchmark::State& state) { renameCustomer(state, false); }
void BM_Rename_Triggers(benchmark::State& state) { renameCustomer(state, true); }
void BM_Balance_NoTriggers(benchmark::State& state) { updateBalance(state, false); }
void BM_Balance_Triggers(benchmark::State& state) { updateBalance(state, true); }

// Real time decides the iterations: this process mostly waits for the server.
void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_DeskSearch_BareSQL)->DenseRange(0, 4)->Apply(measured);
BENCHMARK(BM_DeskSearch_ConsultStore)->DenseRange(0, 4)->Apply(measured);
BENCHMARK(BM_PickerNumber_BareSQL)->Apply(measured);
BENCHMARK(BM_PickerNumber_CustomerSearch)->Apply(measured);
BENCHMARK(BM_PickerTel_BareSQL)->Apply(measured);
BENCHMARK(BM_PickerTel_CustomerSearch)->Apply(measured);
BENCHMARK(BM_ListName_BareSQL)->Apply(measured);
BENCHMARK(BM_ListName_CustomerSearch)->Apply(measured);
BENCHMARK(BM_Insert_NoTriggers)->Apply(measured);
BENCHMARK(BM_Insert_Triggers)->Apply(measured);
BENCHMARK(BM_Rename_NoTriggers)->Apply(measured);
BENCHMARK(BM_Rename_Triggers)->Apply(measured);
BENCHMARK(BM_Balance_NoTriggers)->Apply(measured);
BENCHMARK(BM_Balance_Triggers)->Apply(measured);

// The generated customers of an earlier run, or new ones, with the search indexes an
// administrator adds (timed when they are added here).
void fill()
{
    const long customers = DBRecordCount(u"customer"_s);
    if (customers == kCustomers) {
        BenchDatabase::addSearchIndexes(kCustomers, "customers");
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
    BenchProgram<QCoreApplication> program(argc, argv);

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
    g_nameWithNumber.query = keyQuery(pickerKeys.at(1), localDigits, pickerKeys.at(1).op);
    g_nameWithNumber.picker = true;
    g_telephone.query = keyQuery(*telKey, localDigits, telKey->op);
    g_telephone.picker = true;
    g_name.query = keyQuery(CustomerSearch::listKeys(false).at(1), u"한빛전자"_s, u"*s*"_s);
    prepare(g_nameWithNumber);
    prepare(g_telephone);
    prepare(g_name);
    std::printf("search for %s (%s) by name: %d rows, by telephone: %d rows; list name search: %d rows\n",
                localDigits.toUtf8().constData(), telno.toUtf8().constData(), g_nameWithNumber.rows, g_telephone.rows,
                g_name.rows);
    const QString number = DBGetValue(u"SELECT telno1 FROM customer AS c, local_user AS u WHERE c.charge = u.code "
                                      u"AND telno1 LIKE '0%-%-%' ORDER BY c.code LIMIT 1 OFFSET 70000"_s);
    const QString code = DBGetValue(u"SELECT c.code FROM customer AS c, local_user AS u WHERE c.charge = u.code "
                                    u"ORDER BY c.code LIMIT 1 OFFSET 90000"_s);
    for (const QString& text : {u"한빛전자"_s, code, number, QString(number).remove(u'-'), number.right(4)}) {
        DeskCase c{text, Cp949::encode(ConsultStore::customerSearchSql(text, false)), 0};
        c.rows = g_bare->fetchAll(c.bareSql);
        if (c.rows <= 0)
            qFatal("the desk finds nothing for %s", text.toUtf8().constData());
        std::printf("desk search %lld for %s: %d rows\n", static_cast<long long>(g_desk.size()),
                    text.toUtf8().constData(), c.rows);
        g_desk << c;
    }

    const std::pair<const char*, const char*> groups[] = {
        {"BM_DeskSearch_BareSQL", "BM_DeskSearch_.*"},
        {"BM_PickerNumber_BareSQL", "BM_PickerNumber_.*"}, {"BM_PickerTel_BareSQL", "BM_PickerTel_.*"},
        {"BM_ListName_BareSQL", "BM_ListName_.*"},         {"BM_Insert_NoTriggers", "BM_Insert_.*"},
        {"BM_Rename_NoTriggers", "BM_Rename_.*"},          {"BM_Balance_NoTriggers", "BM_Balance_.*"}};
    for (const auto& [baseline, filter] : groups) {
        MedianRatioReporter report(baseline);
        benchmark::RunSpecifiedBenchmarks(&report, filter);
    }
    setTriggers(true);

    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
