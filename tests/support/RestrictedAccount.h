#pragma once

#include "AppState.h"
#include "LocalServer.h"
#include "ServerLogin.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modDBMS_comn.h"
#include "modMySQL_Func.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>

namespace asv::test {

// The program connected as an account with the rights a private server gives its own and no
// more: no SUPER, nothing but the database and those beside it. The account, and the databases a
// restore leaves beside the test's, go at the end.
class RestrictedAccount {
public:
    explicit RestrictedAccount(TestDatabase& db, const QString& password = QStringLiteral("asv-restricted-pw"))
        : m_db(db), m_login{testServer().host, QStringLiteral("asvbk_%1").arg(QCoreApplication::applicationPid()), password,
                            db.name()}
    {
        allow(db.name());
        connectAs(m_login);
        App().DbHost = m_login.host;
        App().DbUser = m_login.user;
        App().DbPassword = m_login.password;
        App().DbName = m_login.database;
    }
    ~RestrictedAccount()
    {
        DBClose();
        for (const QString& host : hosts())
            m_db.admin().query(QStringLiteral("DROP USER IF EXISTS '") + m_login.user + QStringLiteral("'@") + host, true);
        const RecordSetPtr all = m_db.admin().query(QStringLiteral("SELECT SCHEMA_NAME FROM information_schema.SCHEMATA"), true);
        for (int row = 0; all && row < all->rowCount(); ++row) {
            const QString name = all->value(row, 0);
            if (name.startsWith(m_db.name() + u'_'))
                m_db.admin().query(QStringLiteral("DROP DATABASE `") + name + u'`', true);
        }
    }
    RestrictedAccount(const RestrictedAccount&) = delete;
    RestrictedAccount& operator=(const RestrictedAccount&) = delete;

    const ServerLogin& login() const { return m_login; }

    // Gives the account the same rights on another database.
    void allow(const QString& database)
    {
        for (const QString& host : hosts()) {
            const QString account = u'\'' + m_login.user + QStringLiteral("'@") + host;
            m_db.admin().query(QStringLiteral("CREATE USER IF NOT EXISTS ") + account + QStringLiteral(" IDENTIFIED BY '")
                                   + SQLQuote(m_login.password) + u'\'',
                               false);
            for (const QString& grant : LocalServer::grants(account, database))
                m_db.admin().query(grant, false);
        }
    }
    static void connectAs(const ServerLogin& login)
    {
        ASSERT_TRUE(DBInit(login.host, login.user, login.password, login.database));
    }

private:
    static QStringList hosts() { return {QStringLiteral("'%'"), QStringLiteral("'127.0.0.1'"), QStringLiteral("'localhost'")}; }

    TestDatabase& m_db;
    ServerLogin m_login;
};

} // namespace asv::test
