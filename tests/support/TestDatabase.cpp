#include "TestDatabase.h"

#include "BaseSchema.h"
#include "Paths.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace asv::test {

namespace {

QString fromEnvFile(const QString& key)
{
    // The cluster's variables are named apart from the single server's.
    const QString folder = key.startsWith(u"ASV_TEST_CLUSTER_"_s) ? u"/.testdb-cluster"_s : u"/.testdb"_s;
    QFile f(QStringLiteral(ASV_SOURCE_DIR) + folder + u"/env"_s);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QString l = QString::fromUtf8(line).trimmed().remove(u"export "_s);
        if (l.startsWith(key + u'='))
            return l.mid(key.size() + 1);
    }
    return {};
}

QString setting(const QString& name)
{
    const QString env = qEnvironmentVariable(name.toLatin1().constData());
    return env.isEmpty() ? fromEnvFile(name) : env;
}

} // namespace

ServerAccount testServer()
{
    ServerAccount a{setting(u"ASV_TEST_DB_HOST"_s) + u':' + setting(u"ASV_TEST_DB_PORT"_s),
                    setting(u"ASV_TEST_DB_USER"_s), setting(u"ASV_TEST_DB_PASSWORD"_s)};
    if (a.user.isEmpty())
        throw std::runtime_error("test server not running: start it with scripts/testdb start");
    return a;
}

ServerAccount testCluster()
{
    return {setting(u"ASV_TEST_CLUSTER_NODES"_s), setting(u"ASV_TEST_CLUSTER_USER"_s),
            setting(u"ASV_TEST_CLUSTER_PASSWORD"_s)};
}

QString clusterNode(int n)
{
    return testCluster().host.split(u',').value(n - 1);
}

QString clusterSetting(const QString& name)
{
    return setting(u"ASV_TEST_CLUSTER_"_s + name);
}

TestDatabase::TestDatabase(Structure structure, std::optional<ServerAccount> server)
    : m_server(server ? *server : testServer())
{
    static QAtomicInt counter;
    m_name = u"asvt_%1_%2_%3"_s.arg(QCoreApplication::applicationPid())
                 .arg(counter.fetchAndAddRelaxed(1))
                 .arg(QRandomGenerator::global()->bounded(1000000));
    Paths::setProgramFolder(m_home.path());
    admin().query(u"CREATE DATABASE `"_s + m_name + u"` DEFAULT CHARACTER SET euckr"_s, false);
    reopen();
    if (structure == Structure::Base)
        BaseSchema::install();
    else if (structure == Structure::Current)
        BaseSchema::installCurrent();
}

TestDatabase::~TestDatabase()
{
    DBClose();
    admin().query(u"DROP DATABASE IF EXISTS `"_s + m_name + u"`"_s, true);
}

cMySQL& TestDatabase::admin()
{
    if (!m_admin) {
        m_admin = std::make_unique<cMySQL>();
        m_admin->real_connect(m_server.host, m_server.user, m_server.password, {}, 3306, {}, 0, u"euckr"_s);
    }
    return *m_admin;
}

void TestDatabase::reopen()
{
    if (!DBInit(m_server.host, m_server.user, m_server.password, m_name))
        throw std::runtime_error("cannot connect to the test server");
}

} // namespace asv::test
