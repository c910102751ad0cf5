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
    QFile f(QStringLiteral(ASV_SOURCE_DIR) + u"/.testdb/env"_s);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QString l = QString::fromUtf8(line).trimmed().remove(u"export "_s);
        if (l.startsWith(key + u'='))
            return l.mid(key.size() + 1);
    }
    return {};
}

QString setting(const char* key)
{
    const QString name = QString::fromLatin1(key);
    const QString env = qEnvironmentVariable(key);
    return env.isEmpty() ? fromEnvFile(name) : env;
}

} // namespace

ServerAccount testServer()
{
    ServerAccount a{setting("ASV_TEST_DB_HOST") + u':' + setting("ASV_TEST_DB_PORT"), setting("ASV_TEST_DB_USER"),
                    setting("ASV_TEST_DB_PASSWORD")};
    if (a.user.isEmpty())
        throw std::runtime_error("test server not running: start it with scripts/testdb start");
    return a;
}

TestDatabase::TestDatabase(Structure structure)
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
        const ServerAccount a = testServer();
        m_admin = std::make_unique<cMySQL>();
        m_admin->real_connect(a.host, a.user, a.password, {}, 3306, {}, 0, u"euckr"_s);
    }
    return *m_admin;
}

void TestDatabase::reopen()
{
    const ServerAccount a = testServer();
    if (!DBInit(a.host, a.user, a.password, m_name))
        throw std::runtime_error("cannot connect to the test server");
}

} // namespace asv::test
