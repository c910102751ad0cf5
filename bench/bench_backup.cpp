// A backup of 1,000,000 sale lines through the program (option file, our first and last lines,
// the file put in place) against the same dump program run by hand into a file.
//   bench_backup [benchmark flags]
// The generated data is kept in the database "asvb_backup_1m" for later runs; drop it to generate
// it again.
#include "BenchDatabase.h"
#include "BenchProgram.h"
#include "DatabaseBackup.h"
#include "DumpTools.h"
#include "MedianRatioReporter.h"
#include "Paths.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace asv;

namespace {

constexpr int kSaleLines = 1000000;
const QString kDatabase = u"asvb_backup_1m"_s;

ServerLogin g_login;
QString g_byHandFile;

void BM_Dump_ByHand(benchmark::State& state)
{
    const qsizetype colon = g_login.host.lastIndexOf(u':');
    const QStringList args{u"-h"_s + g_login.host.left(colon), u"-P"_s + g_login.host.mid(colon + 1),
                           u"-u"_s + g_login.user, u"-p"_s + g_login.password, u"-q"_s, u"-e"_s, u"-c"_s,
                           u"--single-transaction"_s, u"--default-character-set=euckr"_s, g_login.database};
    const QString program = DumpTools::find({u"mariadb-dump"_s, u"mysqldump"_s});
    for (auto _ : state) {
        QProcess dump;
        dump.setStandardOutputFile(g_byHandFile);
        dump.start(program, args);
        if (!dump.waitForFinished(-1) || dump.exitCode() != 0) {
            state.SkipWithError("the dump program failed");
            break;
        }
    }
}

void BM_Dump_Program(benchmark::State& state)
{
    for (auto _ : state) {
        if (DatabaseBackup(g_login, {}).backUp().isEmpty()) {
            state.SkipWithError("the backup failed");
            break;
        }
    }
}

void measured(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_Dump_ByHand)->Apply(measured);
BENCHMARK(BM_Dump_Program)->Apply(measured);

} // namespace

int main(int argc, char** argv)
{
    BenchProgram<QCoreApplication> program(argc, argv);

    BenchDatabase db(kDatabase);
    if (DBRecordCount(u"sale"_s) == 0
        && !SampleDataGenerator().generate({.customers = 10000, .products = 3000, .saleLines = kSaleLines,
                                            .payments = 100000, .asJobs = 10000, .calls = 10000}))
        qFatal("cannot generate the sample data");
    const test::ServerAccount server = test::testServer();
    g_login = {server.host, server.user, server.password, db.name()};
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    g_byHandFile = home.filePath(u"byhand.sql"_s);
    std::printf("%ld sale lines in %s\n", DBRecordCount(u"sale"_s), db.name().toUtf8().constData());

    MedianRatioReporter report("BM_Dump_ByHand");
    benchmark::RunSpecifiedBenchmarks(&report);
    std::printf("file sizes: by hand %lld bytes, program %lld bytes\n",
                static_cast<long long>(QFile(g_byHandFile).size()),
                static_cast<long long>(QDir(home.path() + u"/BK_DB"_s).entryInfoList(QDir::Files).value(0).size()));
    DBClose();
    benchmark::Shutdown();
    return 0;
}
