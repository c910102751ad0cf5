// The sales slip at 1,000,000 sale lines: entering a line (product chosen by barcode, line stored,
// balance moved, sums read again) as the slip does it, and opening a customer's month of 5,000
// lines into the slip's list model; each against the bare statements of the same work through the
// client library.
//   bench_sales [benchmark flags]
// The generated data is kept in the database "asvb_sales_1m" for later runs; drop it to generate
// it again.
#include "BareConnection.h"
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "Clock.h"
#include "Cp949.h"
#include "GridModel.h"
#include "MedianRatioReporter.h"
#include "SaleStore.h"
#include "SlipLineEntry.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kSaleLines = 1000000;
constexpr int kMonthLines = 5000;
const QString kDatabase = u"asvb_sales_1m"_s;
// Customers of their own, so that reruns find the month as large as the first run made it.
const QString kBusyCustomer = u"BS0001"_s;
const QString kEnteringCustomer = u"BS0002"_s;

std::unique_ptr<BareConnection> g_bare;
std::unique_ptr<SlipLineEntry> g_slip;
QString g_barcode;
QString g_pcode;
QString g_month;

QByteArray bytes(const QString& sql)
{
    return Cp949::encode(sql);
}

void must(qint64 result, const char* what)
{
    if (result < 0)
        qFatal("%s: %s", what, g_bare->error());
}

// What entering a line costs at least: the product and VAT look-ups, the line and the balance in
// one transaction, and the month's sums.
void BM_EnterLine_BareSQL(benchmark::State& state)
{
    const QByteArray product = bytes(u"SELECT code, saleprice, taxmode, name, norm, unit FROM product WHERE hidden = 0 "
                                     u"AND bcode = '"_s + g_barcode + u"'"_s);
    const QByteArray customer = bytes(u"SELECT taxmode FROM customer WHERE code = '"_s + kEnteringCustomer + u"'"_s);
    const QByteArray insert = bytes(
        u"INSERT INTO sale (ccode, pcode, pname, pnorm, qnt, price, amount, tax, total, dealdate, charge, regucode, "
        u"dealtime, receiptname, receiptmemo) VALUES ('"_s + kEnteringCustomer + u"', '"_s + g_pcode
        + u"', '상품', '', 1, 1000, 1000, 100, 1100, '"_s + g_month + u"-15', '', '', '12:00', '', '')"_s);
    const QByteArray balance =
        bytes(u"UPDATE customer SET nowmoney = nowmoney + 1100 WHERE code = '"_s + kEnteringCustomer + u"'"_s);
    const QString where = u" WHERE dealdate LIKE '"_s + g_month + u"%' AND ccode = '"_s + kEnteringCustomer + u"'"_s;
    const QList<QByteArray> sums{bytes(u"SELECT Sum(amount), Sum(tax), Sum(total) FROM sale"_s + where),
                                 bytes(u"SELECT Sum(amount) FROM receive"_s + where),
                                 bytes(u"SELECT SUM(nowmoney) FROM customer WHERE code = '"_s + kEnteringCustomer + u"'"_s)};
    for (auto _ : state) {
        must(g_bare->fetchAll(product), "product");
        must(g_bare->fetchAll(customer), "customer");
        must(g_bare->execute("START TRANSACTION"), "begin");
        must(g_bare->execute(insert), "insert");
        must(g_bare->execute(balance), "balance");
        must(g_bare->execute("COMMIT"), "commit");
        for (const QByteArray& sql : sums)
            must(g_bare->fetchAll(sql), "sums");
    }
}

void BM_EnterLine_Slip(benchmark::State& state)
{
    for (auto _ : state) {
        if (!g_slip->enter(u"15"_s, g_barcode)) {
            state.SkipWithError("the line was not stored");
            break;
        }
    }
}

void BM_MonthSlip_BareSQL(benchmark::State& state)
{
    const QByteArray sql = bytes(u"SELECT s.code, s.ccode, s.pcode, s.pname, s.pnorm, s.qnt, s.price, s.tax, s.amount, "
                                 u"s.total, s.dealdate, s.dealtime, s.deallistno, s.taxlistno, s.charge, s.prnbigo, "
                                 u"p.unit, p.bcode, s.pserial, s.receiptname, s.receiptmemo FROM sale AS s, product AS p "
                                 u"WHERE s.pcode = p.code AND s.ccode = '"_s
                                 + kBusyCustomer + u"' AND s.dealdate LIKE '"_s + g_month
                                 + u"%' ORDER BY s.dealdate, s.dealtime, s.code"_s);
    for (auto _ : state) {
        if (g_bare->fetchAll(sql) != kMonthLines) {
            state.SkipWithError(g_bare->error());
            break;
        }
    }
}

// Customer panel, list and sums, as the slip opens for a customer.
void BM_MonthSlip_Slip(benchmark::State& state)
{
    GridModel list;
    for (auto _ : state) {
        SaleStore store;
        benchmark::DoNotOptimize(store.userNames());
        benchmark::DoNotOptimize(store.customerInfo(kBusyCustomer));
        list.setRecordSet(store.monthLines(kBusyCustomer, g_month));
        benchmark::DoNotOptimize(store.monthSums(kBusyCustomer, g_month));
        if (list.rowCount() != kMonthLines) {
            state.SkipWithError("the month is not all there");
            break;
        }
    }
}

void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_EnterLine_BareSQL)->Apply(measured);
BENCHMARK(BM_EnterLine_Slip)->Apply(measured);
BENCHMARK(BM_MonthSlip_BareSQL)->Apply(measured);
BENCHMARK(BM_MonthSlip_Slip)->Apply(measured);

void sql(const QString& statement)
{
    must(g_bare->execute(bytes(statement)), "prepare");
}

// The customer with its 5,000 lines of the month and the customer who gets the entered lines,
// made once.
void addBenchCustomers()
{
    if (DBRecordCount(u"customer"_s, u"code = '"_s + kBusyCustomer + u"'"_s) > 0)
        return;
    sql(u"INSERT INTO customer (code, compname, taxmode) VALUES ('"_s + kBusyCustomer + u"', '벤치상사', 2), ('"_s
        + kEnteringCustomer + u"', '입력상사', 2)"_s);
    // A customer buys many products: spread over the catalogue, as the index statistics expect.
    sql(u"INSERT INTO sale (ccode, pcode, pname, pnorm, qnt, price, amount, tax, total, dealdate, dealtime) SELECT '"_s
        + kBusyCustomer + u"', LPAD(1 + seq MOD 3000, 6, '0'), '상품', '', 1, 1000, 1000, 100, 1100, CONCAT('"_s
        + g_month + u"-', LPAD(1 + seq MOD 28, 2, '0')), '10:00' FROM seq_1_to_"_s + QString::number(kMonthLines));
    sql(u"UPDATE customer SET nowmoney = "_s + QString::number(kMonthLines * 1100) + u" WHERE code = '"_s
        + kBusyCustomer + u"'"_s);
    // Fresh statistics, as after the server's own sampling: right after a bulk insert the optimizer
    // may still walk the sale lines by product.
    must(g_bare->fetchAll("ANALYZE TABLE sale"), "analyze");
}

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase db(kDatabase);
    g_month = Clock::today().toString(u"yyyy-MM"_s);
    // A book of 1M sale lines: the lines are what the statements walk, so fewer customers than
    // the large sample keep the generation short.
    if (DBRecordCount(u"sale"_s) == 0
        && !SampleDataGenerator().generate({.customers = 10000, .products = 3000, .saleLines = kSaleLines,
                                            .payments = 100000, .asJobs = 1000, .calls = 1000}))
        qFatal("cannot generate the sample data");
    g_bare = std::make_unique<BareConnection>(db.name());
    g_pcode = DBGetValue(u"SELECT code FROM product WHERE bcode <> '' AND hidden = 0 ORDER BY code LIMIT 1"_s);
    g_barcode = DBGetValue(u"SELECT bcode FROM product WHERE code = '"_s + g_pcode + u"'"_s);
    addBenchCustomers();
    std::printf("%ld sale lines; entering %s (%s) for %s; the month %s of %s\n", DBRecordCount(u"sale"_s),
                g_pcode.toUtf8().constData(), g_barcode.toUtf8().constData(), kEnteringCustomer.toUtf8().constData(),
                g_month.toUtf8().constData(), kBusyCustomer.toUtf8().constData());

    g_slip = std::make_unique<SlipLineEntry>(kEnteringCustomer, g_month);
    MedianRatioReporter enterReport("BM_EnterLine_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&enterReport, "BM_EnterLine_.*");
    MedianRatioReporter monthReport("BM_MonthSlip_BareSQL");
    benchmark::RunSpecifiedBenchmarks(&monthReport, "BM_MonthSlip_.*");

    // The entered lines go again, so that every run enters into the same book.
    sql(u"DELETE FROM sale WHERE ccode = '"_s + kEnteringCustomer + u"'"_s);
    sql(u"UPDATE customer SET nowmoney = 0 WHERE code = '"_s + kEnteringCustomer + u"'"_s);
    g_slip.reset();
    g_bare.reset();
    DBClose();
    benchmark::Shutdown();
    return 0;
}
