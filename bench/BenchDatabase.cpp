#include "BenchDatabase.h"

#include "BaseSchema.h"
#include "Paths.h"
#include "SearchIndexes.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <map>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

using SizeKey = std::array<int, 6>;

std::map<SizeKey, std::unique_ptr<BenchDatabase>>& generatedDatabases()
{
    static std::map<SizeKey, std::unique_ptr<BenchDatabase>> databases;
    return databases;
}

// Logs and connection notes of the benchmarks stay out of the operator's program folder.
void useScratchProgramFolder()
{
    static QTemporaryDir home;
    if (Paths::programFolder() != home.path())
        Paths::setProgramFolder(home.path());
}

} // namespace

BenchDatabase::BenchDatabase(const QString& keepName, std::optional<test::ServerAccount> server)
    : m_server(server ? *server : test::testServer())
    , m_name(keepName)
    , m_keep(!keepName.isEmpty())
{
    useScratchProgramFolder();
    if (m_name.isEmpty()) {
        static int counter = 0;
        m_name = u"asvb_%1_%2_%3"_s.arg(QCoreApplication::applicationPid())
                     .arg(counter++)
                     .arg(QRandomGenerator::global()->bounded(1000000));
    }
    admin().query(u"CREATE DATABASE IF NOT EXISTS `"_s + m_name + u"` DEFAULT CHARACTER SET euckr"_s, false);
    open();
    const QString tables = DBGetValue(u"SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = '"_s
                                      + SQLQuote(m_name) + u"'"_s);
    if (tables.toInt() == 0 && !BaseSchema::installCurrent())
        throw std::runtime_error("cannot install the database structure");
}

BenchDatabase::~BenchDatabase()
{
    if (!m_keep)
        admin().query(u"DROP DATABASE IF EXISTS `"_s + m_name + u"`"_s, true);
}

cMySQL& BenchDatabase::admin()
{
    if (!m_admin) {
        m_admin = std::make_unique<cMySQL>();
        m_admin->real_connect(m_server.host, m_server.user, m_server.password, {}, 3306, {}, 0, u"euckr"_s);
    }
    return *m_admin;
}

void BenchDatabase::open()
{
    if (!DBInit(m_server.host, m_server.user, m_server.password, m_name))
        throw std::runtime_error("cannot connect to the test server");
}

BenchDatabase& BenchDatabase::generated(const SampleDataGenerator::Size& size)
{
    const SizeKey key{size.customers, size.products, size.saleLines, size.payments, size.asJobs, size.calls};
    auto& databases = generatedDatabases();
    auto found = databases.find(key);
    if (found == databases.end()) {
        auto db = std::make_unique<BenchDatabase>();
        if (!SampleDataGenerator().generate(size))
            throw std::runtime_error("cannot generate the sample data");
        found = databases.emplace(key, std::move(db)).first;
    }
    found->second->open();
    return *found->second;
}

void BenchDatabase::dropGenerated()
{
    DBClose();
    generatedDatabases().clear();
}

BenchDatabase& BenchDatabase::books()
{
    static BenchDatabase db(u"asvb_books_1m"_s);
    // About 1.25 result lines per job.
    if (DBRecordCount(u"sale"_s) == 0
        && !SampleDataGenerator().generate({.customers = 10000, .products = 3000, .saleLines = 1000000,
                                            .payments = 200000, .asJobs = 80000, .calls = 1000}))
        qFatal("cannot generate the sample data");
    return db;
}

void BenchDatabase::addSearchIndexes(long rows, const char* what)
{
    const QStringList missing = SearchIndexes::missingStatements();
    if (missing.isEmpty())
        return;
    QElapsedTimer timer;
    timer.start();
    if (!SearchIndexes::add(*DBConnection(0), missing).isEmpty())
        qFatal("the server refuses the search indexes");
    SearchIndexes::forget();
    std::printf("%lld statements of search indexes added to %ld %s in %lld ms\n",
                static_cast<long long>(missing.size()), rows, what, timer.elapsed());
}

} // namespace asv
