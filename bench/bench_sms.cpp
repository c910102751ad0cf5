// Handing 1,000 customers to the SMS program: the list file written from the rows of the SMS
// screen, and from customer codes read from the database first (the "sms list" command and the
// screens that pass their selected customers). Both must stay well under a second.
//   bench_sms [benchmark flags]
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "MedianRatioReporter.h"
#include "SmsCustomers.h"
#include "modMySQL_Func.h"
#include "modSMSLink.h"
#include "RecordSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kRecipients = 1000;

QStringList g_codes;
QList<SmsRecipient> g_rows;
QString g_listFile;

void BM_SmsList_FromRows(benchmark::State& state)
{
    for (auto _ : state) {
        if (!CreateTelListFile(g_listFile, g_rows)) {
            state.SkipWithError("the list was not written");
            break;
        }
    }
    state.counters["recipients"] = kRecipients;
}

void BM_SmsList_FromCustomerCodes(benchmark::State& state)
{
    for (auto _ : state) {
        if (!CreateTelListFile(g_listFile, SmsCustomers::byCodes(g_codes))) {
            state.SkipWithError("the list was not written");
            break;
        }
    }
    state.counters["recipients"] = kRecipients;
}

BENCHMARK(BM_SmsList_FromRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_SmsList_FromCustomerCodes)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase::generated({.customers = 3 * kRecipients, .products = 10});
    // Customers of distinct mobile numbers, so that no shared-number question interrupts.
    RecordSetPtr rs;
    const int rows = DBOpenRS(rs, u"SELECT MIN(code) AS code FROM customer WHERE hpno LIKE '01%' GROUP BY hpno "
                                  u"ORDER BY code LIMIT %1"_s.arg(kRecipients));
    for (int r = 0; r < rows; ++r)
        g_codes << rs->value(r, u"code"_s);
    CloseRS(rs);
    g_rows = SmsCustomers::byCodes(g_codes);
    if (g_rows.size() != kRecipients)
        qFatal("only %lld customers with distinct mobile numbers", static_cast<long long>(g_rows.size()));

    const QTemporaryDir sender;
    g_listFile = QDir(sender.path()).filePath(kSmsListFile);
    MedianRatioReporter report("BM_SmsList_FromRows");
    benchmark::RunSpecifiedBenchmarks(&report);

    DBClose();
    BenchDatabase::dropGenerated();
    benchmark::Shutdown();
    return 0;
}
