// Recording a received call in a large office: the intake's statements (earlier name, insert,
// customer match, link) sent bare through the client library against the same through
// CallIntake; and the same statements plus the caller panel's read, bare, against the intake and
// the panel's read as the desk makes them; and a call announced by one desk's relay until another
// desk's relay has it stored and its caller read, against a bare datagram between two sockets.
//   bench_calldesk [benchmark flags]
//   bench_calldesk search [benchmark flags]
// "search" measures instead the desk's customer search (Enter in its search field) at 999,999
// customers, in the customers benchmark's database "asvb_customers_1m": through ConsultStore
// against its statement run bare, and the same rows found by the one OR of every column.
// ASV_BENCH_CUSTOMERS and ASV_BENCH_CALLS set the size (default 990,000, near what six-digit
// customer codes allow, and 2,000,000); the generated rows are kept in
// "asvb_calldesk_<customers>_<calls>" for later runs.
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "CallIntake.h"
#include "ConsultStore.h"
#include "ConsolePrompter.h"
#include "Cp949.h"
#include "MedianRatioReporter.h"
#include "UdpRelay.h"
#include "UdpRelaySettings.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

// The benchmark's calls are on a day of their own, after the generated ones.
const QDateTime kIntakeDay(QDate(2029, 12, 31), QTime(10, 0));

QStringList g_numbers;
std::unique_ptr<BareConnection> g_bare;
// Loopback ports of the benchmark's own, away from the office's 16500.
constexpr quint16 kPortA = 46500;
constexpr quint16 kPortB = 46501;

int sizeFromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok && n > 0 ? n : fallback;
}

QByteArray quoted(const QByteArray& value)
{
    return '\'' + value + '\'';
}

// The statements CallIntake sends, built and run with nothing of ours in between, and with
// withPanel the read of the caller panel the desk adds. The generated names and numbers hold no
// quotes.
bool bareIntake(const QString& number, const QByteArray& date, const QByteArray& time, bool withPanel)
{
    const QByteArray n = quoted(Cp949::encode(number));
    const auto name = g_bare->firstRow("SELECT cname FROM rsvconsult WHERE ctelno = " + n + " GROUP BY cname");
    if (!name)
        return false;
    const QByteArray cname = name->isEmpty() ? QByteArray() : name->first();
    if (g_bare->execute("INSERT INTO rsvconsult (cname, ctelno, condate, contime, pname, refernote, connote) VALUES ("
                        + quoted(cname) + ", " + n + ", " + quoted(date) + ", " + quoted(time) + ", '', '', '')")
        != 1)
        return false;
    const quint64 code = g_bare->insertId();
    const auto customer = g_bare->firstRow("SELECT code, compname, ocode FROM customer WHERE telno1 = " + n
                                           + " OR telno2 = " + n + " OR telno3 = " + n + " OR telno4 = " + n);
    if (!customer)
        return false;
    if (customer->isEmpty())
        return true;
    if (g_bare->execute("UPDATE rsvconsult SET ocode = " + quoted(customer->at(2)) + ", cname = "
                        + quoted(customer->at(1)) + ", ccode = " + quoted(customer->at(0))
                        + " WHERE code = " + QByteArray::number(code))
        < 0)
        return false;
    return !withPanel
        || g_bare->fetchAll(Cp949::encode(ConsultStore::callerSql(QString::fromLatin1(customer->at(0))))) == 1;
}

void bare(benchmark::State& state, bool withPanel)
{
    const QByteArray date = kIntakeDay.toString(u"yyyy-MM-dd"_s).toLatin1();
    const QByteArray time = kIntakeDay.toString(u"HH:mm"_s).toLatin1();
    qsizetype i = 0;
    for (auto _ : state) {
        if (!bareIntake(g_numbers[i++ % g_numbers.size()], date, time, withPanel)) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
}

void BM_Intake_BareSQL(benchmark::State& state) { bare(state, false); }
void BM_Desk_BareSQLWithPanel(benchmark::State& state) { bare(state, true); }

void BM_Intake_CallIntake(benchmark::State& state)
{
    CallIntake intake(*DBConnection(0));
    qsizetype i = 0;
    for (auto _ : state) {
        const CallIntake::Call call = intake.record(g_numbers[i++ % g_numbers.size()], true, kIntakeDay);
        if (call.code == 0) {
            state.SkipWithError("the call was not stored");
            break;
        }
    }
}

// A call taken in and its caller shown, as the desk does it for its device (which stores the call)
// and for another desk's relay (whose desk has stored it).
bool takeCall(CallIntake& intake, const QString& number, bool isLocal)
{
    const CallIntake::Call call = intake.record(number, isLocal, kIntakeDay);
    if (call.refusal != CallIntake::Refusal::None || (isLocal && call.code == 0))
        return false;
    return !call.customer || ConsultStore().caller(call.customer->code).has_value();
}

void BM_Desk_IntakeAndPanel(benchmark::State& state)
{
    CallIntake intake(*DBConnection(0));
    qsizetype i = 0;
    for (auto _ : state) {
        if (!takeCall(intake, g_numbers[i++ % g_numbers.size()], true)) {
            state.SkipWithError("the call was not stored");
            break;
        }
    }
}

// The floor of a call crossing between desks: one datagram between two sockets of this process,
// received through the event loop as the desk receives it.
void BM_Crossing_BareDatagram(benchmark::State& state)
{
    QUdpSocket from;
    QUdpSocket to;
    to.bind(QHostAddress::LocalHost, kPortB + 2);
    const QByteArray datagram = "40;" + g_numbers.first().toLatin1();
    for (auto _ : state) {
        from.writeDatagram(datagram, QHostAddress::LocalHost, kPortB + 2);
        while (!to.hasPendingDatagrams())
            QCoreApplication::processEvents();
        to.receiveDatagram();
    }
}

// Announced on one desk's relay until the other desk has taken it in and read its caller.
void BM_Crossing_DatagramToIntake(benchmark::State& state)
{
    UdpRelaySettings::Peers.set(u"127.0.0.1:%1,127.0.0.1:%2"_s.arg(kPortA).arg(kPortB));
    UdpRelaySettings::Port.set(kPortA);
    UdpRelay announcing;
    announcing.open();
    UdpRelaySettings::Port.set(kPortB);
    UdpRelay receiving;
    receiving.open();
    CallIntake intake(*DBConnection(0));
    int taken = 0;
    QObject::connect(&receiving, &UdpRelay::callAnnounced, [&](const QString& number) {
        if (takeCall(intake, number, false))
            ++taken;
    });
    qsizetype i = 0;
    for (auto _ : state) {
        const int before = taken;
        announcing.announceCall(g_numbers[i++ % g_numbers.size()]);
        while (taken == before)
            QCoreApplication::processEvents();
    }
}

// The desk's customer search for a company name and for the middle of a mobile number.
struct DeskSearch {
    QString text;
    QByteArray sql;
    QByteArray oneOr;
    int rows = 0;
};
DeskSearch g_deskSearch[2];

QByteArray oneOrSql(const QString& text)
{
    QStringList likes;
    for (const QString& column : {u"c.code"_s, u"compname"_s, u"compalias"_s, u"telno1"_s, u"telno2"_s, u"telno3"_s,
                                  u"telno4"_s, u"c.hpno"_s})
        likes << column + u" LIKE '%"_s + text + u"%'"_s;
    return Cp949::encode(u"SELECT c.code FROM customer as c, local_user as u WHERE ( "_s + likes.join(u" OR "_s)
                         + u" ) AND c.charge = u.code ORDER BY c.code"_s);
}

void bareSearch(benchmark::State& state, const QByteArray& sql)
{
    const DeskSearch& s = g_deskSearch[state.range(0)];
    for (auto _ : state) {
        if (g_bare->fetchAll(sql) != s.rows) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
    state.counters["rows"] = s.rows;
}

void BM_DeskSearch_BareSQL(benchmark::State& state) { bareSearch(state, g_deskSearch[state.range(0)].sql); }
void BM_DeskSearch_OneOrBare(benchmark::State& state) { bareSearch(state, g_deskSearch[state.range(0)].oneOr); }

void BM_DeskSearch_ConsultStore(benchmark::State& state)
{
    const DeskSearch& s = g_deskSearch[state.range(0)];
    for (auto _ : state) {
        if (ConsultStore().searchCustomers(s.text, false).size() != s.rows) {
            state.SkipWithError("unexpected row count");
            break;
        }
    }
    state.counters["rows"] = s.rows;
}

// Real time decides the iterations: this process mostly waits for the server.
BENCHMARK(BM_DeskSearch_BareSQL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_DeskSearch_ConsultStore)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
// Seconds a search: a few runs tell.
BENCHMARK(BM_DeskSearch_OneOrBare)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

BENCHMARK(BM_Intake_BareSQL)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Intake_CallIntake)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Desk_BareSQLWithPanel)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Desk_IntakeAndPanel)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Crossing_BareDatagram)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Crossing_DatagramToIntake)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

// Numbers as the devices report them: customers' numbers on any of their lines, and callers
// known only by earlier calls.
QStringList callerNumbers()
{
    QStringList out;
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT telno1 FROM customer WHERE telno1 <> '' ORDER BY RAND(7) LIMIT 150"_s);
    for (int r = 0; rs && r < rs->rowCount(); ++r)
        out << rs->value(r, 0);
    DBOpenRS(rs, u"SELECT ctelno FROM rsvconsult WHERE ccode = '' AND ctelno <> '' ORDER BY code DESC LIMIT 50"_s);
    for (int r = 0; rs && r < rs->rowCount(); ++r)
        out << rs->value(r, 0);
    return out;
}

void fill(int customers, int calls)
{
    const long have = DBRecordCount(u"customer"_s);
    if (have == 0) {
        QElapsedTimer timer;
        timer.start();
        if (!SampleDataGenerator().generate({.customers = customers, .products = 300, .calls = calls}))
            qFatal("cannot generate the sample data");
        std::printf("generated %d customers and %d calls in %lld s\n", customers, calls, timer.elapsed() / 1000);
    } else if (have != customers) {
        qFatal("the database holds %ld customers, not %d: drop it to generate again", have, customers);
    }
    BenchDatabase::addSearchIndexes(customers, "customers");
}

// The desk's search at the customers benchmark's 999,999 customers, with its search indexes.
int measureDeskSearch()
{
    BenchDatabase db(u"asvb_customers_1m"_s);
    if (DBRecordCount(u"customer"_s) != 999999)
        qFatal("asvb_customers_1m lacks its customers: run bench_customers first");
    BenchDatabase::addSearchIndexes(999999, "customers");
    g_bare = std::make_unique<BareConnection>(db.name());
    const QString mobile = DBGetValue(u"SELECT hpno FROM customer WHERE hpno <> '' ORDER BY code LIMIT 1 OFFSET 50000"_s);
    const QString texts[] = {u"정우건설"_s, mobile.mid(4, 9)};
    for (int i = 0; i < 2; ++i) {
        DeskSearch& s = g_deskSearch[i];
        s.text = texts[i];
        s.sql = Cp949::encode(ConsultStore::customerSearchSql(s.text, false));
        s.oneOr = oneOrSql(s.text);
        s.rows = g_bare->fetchAll(s.sql);
        std::printf("desk search %d for \"%s\": %d rows\n", i, s.text.toUtf8().constData(), s.rows);
        if (s.rows <= 0)
            qFatal("the desk's search finds nothing");
    }
    MedianRatioReporter report("BM_DeskSearch_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&report, "BM_DeskSearch_.*");
    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ConsolePrompter prompter(MsgAnswer::No);
    const bool search = argc > 1 && qstrcmp(argv[1], "search") == 0;
    if (search) {
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    InitializeInterleaved(argc, argv);
    if (search)
        return measureDeskSearch();

    const int customers = sizeFromEnvironment("ASV_BENCH_CUSTOMERS", 990000);
    const int calls = sizeFromEnvironment("ASV_BENCH_CALLS", 2000000);
    BenchDatabase db(u"asvb_calldesk_%1_%2"_s.arg(customers).arg(calls));
    fill(customers, calls);
    g_bare = std::make_unique<BareConnection>(db.name());
    g_numbers = callerNumbers();
    std::printf("%ld customers, %ld calls; %lld caller numbers\n", DBRecordCount(u"customer"_s),
                DBRecordCount(u"rsvconsult"_s), static_cast<long long>(g_numbers.size()));

    MedianRatioReporter intakeReport("BM_Intake_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&intakeReport, "BM_Intake_.*");
    MedianRatioReporter deskReport("BM_Desk_BareSQLWithPanel");
    benchmark::RunSpecifiedBenchmarks(&deskReport, "BM_Desk_.*");
    MedianRatioReporter crossingReport("BM_Crossing_BareDatagram");
    benchmark::RunSpecifiedBenchmarks(&crossingReport, "BM_Crossing_.*");
    // The benchmark's own calls go again, so later runs start from the generated rows.
    DBExecute(u"DELETE FROM rsvconsult WHERE condate >= '2029-12-31'"_s);
    benchmark::Shutdown();
    return 0;
}
