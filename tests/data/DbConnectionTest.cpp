#include "DbFixture.h"
#include "DbTransaction.h"
#include "LosingProxy.h"
#include "Paths.h"
#include "UserSettings.h"
#include "cMySQL.h"
#include "RecordSet.h"

#include <QFile>
#include <QSettings>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using DbConnection = asv::test::DbFixture;

namespace {

QString roundTrip(const QString& text)
{
    DBExecute(u"DELETE FROM options WHERE optname = 'rt'"_s);
    DBExecute(u"INSERT INTO options (optname, optvalue) VALUES ('rt', '"_s + SQLQuote(text) + u"')"_s);
    return DBGetValue(u"SELECT optvalue FROM options WHERE optname = 'rt'"_s);
}

// The desk's transaction (body, on the program's connection) against another session that holds
// customer 000001 and a hundred rows more, and reaches with reach for a row the desk holds once the
// desk waits for 000001: the desk's is the lighter transaction and the server rolls it back whole.
// Whether the desk stored it in the end.
bool runAgainstHeavier(asv::test::TestDatabase& db, const QString& reach, const std::function<bool()>& body)
{
    DBExecute(u"CREATE TABLE weight (n INT)"_s);
    cMySQL& other = db.admin();
    other.query(u"USE "_s + db.name(), false);
    other.query(u"START TRANSACTION"_s, false);
    other.query(u"INSERT INTO weight (n) SELECT seq FROM seq_1_to_100"_s, false);
    other.query(u"SELECT code FROM customer WHERE code = '000001' FOR UPDATE"_s, false);
    bool stored = false;
    std::thread desk([&] { stored = DbTransaction::run(body); });
    for (int i = 0; i < 500; ++i) {
        const RecordSetPtr waiting = other.query(
            u"SELECT COUNT(*) FROM information_schema.INNODB_TRX WHERE trx_state = 'LOCK WAIT'"_s, false);
        if (waiting && waiting->value(0, 0) == u"1"_s)
            break;
        QThread::msleep(10);
    }
    other.query(reach, false);
    EXPECT_EQ(other.lastErrno(), 0u) << other.lastError().toStdString();
    other.query(u"ROLLBACK"_s, false);
    desk.join();
    return stored;
}

} // namespace

TEST_F(DbConnection, TextRoundTripsInTheKoreanCodePageAndWhatItCannotHoldIsRefusedUnwritten)
{
    EXPECT_EQ(DBGetValue(u"SELECT CONCAT(@@character_set_client, @@character_set_results)"_s), u"euckreuckr"_s);
    EXPECT_NE(DBGetValue(u"SELECT @@sql_mode"_s).indexOf(u"STRICT_TRANS_TABLES"_s), -1);
    for (const QString& text : {u"O'Brien's \"가게\""_s, u"C:\\경로\\파일"_s, u"똠양꿍 뷁 햏"_s, u"\\'"_s,
                                u"끝\\"_s, u"%_ 와일드"_s}) {
        EXPECT_EQ(roundTrip(text), text);
    }
    // What follows a NUL is dropped, as SQLQuote cuts there.
    EXPECT_EQ(roundTrip(u"앞"_s + QChar(u'\0') + u"뒤"_s), u"앞"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());

    DBExecute(u"INSERT INTO options (optname, optvalue) VALUES ('emoji', '웃음 😀')"_s);
    EXPECT_TRUE(DBLastFailed());
    EXPECT_EQ(DBRecordCount(u"options"_s, u"optname = 'emoji'"_s), 0);
    ASSERT_EQ(prompter.count(ScriptedPrompter::Kind::Warn), 1);
    EXPECT_TRUE(prompter.texts().first().contains(u"😀"_s));
}

TEST_F(DbConnection, KilledSessionReconnectsButATransactionItCutOffIsNotFinishedAlone)
{
    cMySQL* c = DBConnection(0);
    const quint32 before = c->thread_id();
    ASSERT_GT(before, 0u);
    db.admin().query(u"KILL "_s + QString::number(before), false);

    EXPECT_EQ(DBGetValue(u"SELECT ver FROM dbversion WHERE dbid='main'"_s), u"14"_s);
    EXPECT_FALSE(DBLastFailed());
    EXPECT_NE(c->thread_id(), before);
    EXPECT_EQ(c->reconnectCount(), 1);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    // The new thread id went to config.ini, the old one moved to LPID2.
    QSettings ini(Paths::configIni(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(u"LPID/"_s + c->user()).toString(), QString::number(c->thread_id()));
    EXPECT_EQ(ini.value(u"LPID2/"_s + c->user()).toString(), QString::number(before));

    // A write after a second kill is not lost either.
    db.admin().query(u"KILL "_s + QString::number(c->thread_id()), false);
    EXPECT_EQ(DBExecute(u"INSERT INTO customer (code, compname, nowmoney) VALUES ('000001', '대한상사', 0)"_s), 1);

    DBExecute(u"START TRANSACTION"_s);
    DBExecute(u"INSERT INTO options (optname, optvalue) VALUES ('sale-line', '1')"_s);
    db.admin().query(u"KILL "_s + QString::number(c->thread_id()), false);
    // The line went with the session: the balance move alone must not be stored.
    EXPECT_EQ(DBExecute(u"UPDATE customer SET nowmoney = nowmoney + 3316 WHERE code = '000001'"_s, true), 0);
    EXPECT_TRUE(DBLastFailed());
    // Nor what the document sends after it: the new session would store each statement alone.
    EXPECT_EQ(DBExecute(u"UPDATE customer SET nowmoney = nowmoney + 7 WHERE code = '000001'"_s, true), 0);
    DBExecute(u"COMMIT"_s, true);
    EXPECT_TRUE(DBLastFailed());
    DBExecute(u"ROLLBACK"_s, true);
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000001'"_s).toDouble(), 0.0);
    EXPECT_EQ(DBRecordCount(u"options"_s, u"optname = 'sale-line'"_s), 0);
    // The connection serves the next document, also when the ROLLBACK is what finds the session gone.
    EXPECT_EQ(DBExecute(u"UPDATE customer SET nowmoney = nowmoney + 1 WHERE code = '000001'"_s), 1);
    DBExecute(u"START TRANSACTION"_s);
    DBExecute(u"INSERT INTO options (optname, optvalue) VALUES ('sale-line', '2')"_s);
    db.admin().query(u"KILL "_s + QString::number(c->thread_id()), false);
    DBExecute(u"ROLLBACK"_s, true);
    EXPECT_EQ(DBExecute(u"UPDATE customer SET nowmoney = nowmoney + 1 WHERE code = '000001'"_s), 1);
    EXPECT_EQ(DBRecordCount(u"options"_s, u"optname = 'sale-line'"_s), 0);
}

TEST_F(DbConnection, ATransactionCutOffBeforeItsCommitRunsAgainWholeEvenWhenItsBodyCarriesOn)
{
    ASSERT_EQ(DBExecute(u"INSERT INTO customer (code, compname, nowmoney) VALUES ('000001', '대한상사', 0)"_s), 1);
    int runs = 0;
    const bool stored = DbTransaction::run([&] {
        ++runs;
        DBExecute(u"INSERT INTO options (optname, optvalue) VALUES ('sale-line', '1')"_s);
        if (runs == 1)
            db.admin().query(u"KILL "_s + QString::number(DBConnection(0)->thread_id()), false);
        // A body that does not look at each statement's outcome.
        DBExecute(u"UPDATE customer SET nowmoney = nowmoney + 1000 WHERE code = '000001'"_s, true);
        DBExecute(u"UPDATE customer SET nowmoney = nowmoney + 10 WHERE code = '000001'"_s, true);
        return true;
    });
    EXPECT_TRUE(stored);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000001'"_s).toDouble(), 1010.0);
    EXPECT_EQ(DBRecordCount(u"options"_s, u"optname = 'sale-line'"_s), 1);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST(DbServer, UnreachableServerFailsWithTheConnectionMessage)
{
    ScriptedPrompter prompter;
    QTemporaryDir home;
    Paths::setProgramFolder(home.path());
    // Port 1 on loopback refuses at once.
    EXPECT_FALSE(DBInit(u"127.0.0.1:1"_s, u"nobody"_s, u"x"_s, u"Ostradb"_s));
    EXPECT_TRUE(DBLastConnectFailure().failed);
    EXPECT_TRUE(DBLastConnectFailure().text.contains(u" : Can't connect"_s)) << DBLastConnectFailure().text.toStdString();
    ASSERT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 1);
    const QString box = prompter.texts(ScriptedPrompter::Kind::Error).first();
    EXPECT_TRUE(box.contains(u"(데이터베이스 서버에 접속할 수 없습니다.\r\n\r\n인터넷이 연결되어 있는지 확인 해 주세요."_s))
        << box.toStdString();
    EXPECT_TRUE(box.endsWith(u"in procedure DBInit of Module modMySQL_Func"_s));
    EXPECT_FALSE(DBIsOpen());
}

TEST_F(DbConnection, FailedStatementShowsItsTextAndReturnsNothing)
{
    RecordSetPtr rs;
    EXPECT_EQ(DBOpenRS(rs, u"SELECT nosuchcolumn FROM options"_s), 0);
    EXPECT_EQ(rs, nullptr);
    EXPECT_TRUE(DBLastFailed());
    ASSERT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 1);
    const QString box = prompter.texts().first();
    EXPECT_TRUE(box.startsWith(u"Error 1054 ("_s));
    EXPECT_TRUE(box.endsWith(u"in procedure query of Module cMySQL\r\n\r\nSELECT nosuchcolumn FROM options"_s));

    // Silent statements fail quietly.
    EXPECT_EQ(DBExecute(u"UPDATE nosuchtable SET x = 1"_s, true), 0);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 1);
}

// The desk's transaction takes the payment's row, then waits for the customer, which another
// session holds while it reaches for the customer's payments: the desk's is the lighter one and
// the server rolls it back whole.
TEST_F(DbConnection, ADeadlockedTransactionRunsAgainWholeAndIsStoredOnce)
{
    DBExecute(u"INSERT INTO customer (code, compname, nowmoney) VALUES ('000001', '대한상사', 0)"_s);
    int runs = 0;
    const bool stored = runAgainstHeavier(db, u"SELECT code FROM receive WHERE ccode = '000001' FOR UPDATE"_s, [&] {
        ++runs;
        return DBExecute(u"INSERT INTO receive (ccode, amount, dc, dealdate) VALUES ('000001', 1000, 0, '2026-12-06')"_s) == 1
            && DBExecute(u"UPDATE customer SET nowmoney = nowmoney - 1000 WHERE code = '000001'"_s) == 1;
    });

    EXPECT_TRUE(stored);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(DBRecordCount(u"receive"_s), 1);
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000001'"_s).toDouble(), -1000.0);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
    QFile log(Paths::logFolder() + u"/Deadlock_log.txt"_s);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains(" UPDATE customer SET nowmoney"));
}

// A read chosen as a deadlock's victim fails even when the server had already sent its columns, and
// the server has then rolled back all the transaction did: what the body still sends is refused
// unsent instead of being stored alone, and the document runs again whole.
TEST_F(DbConnection, AReadThatLosesADeadlockFailsAndTheRestOfItsTransactionIsNotStoredAlone)
{
    DBExecute(u"INSERT INTO customer (code, compname, nowmoney) VALUES ('000001', '대한상사', 0), ('000002', '민국상사', 0)"_s);
    int runs = 0;
    unsigned int readFailure = 0;
    const bool stored = runAgainstHeavier(db, u"SELECT code FROM customer WHERE code = '000002' FOR UPDATE"_s, [&] {
        ++runs;
        // A body that does not look at each statement's outcome.
        DBExecute(u"SELECT code FROM customer WHERE code = '000002' FOR UPDATE"_s, true);
        DBExecute(u"INSERT INTO receive (ccode, amount, dc, dealdate) VALUES ('000002', 1000, 0, '2026-12-07')"_s, true);
        DBGetValue(u"SELECT SUM(nowmoney) FROM customer WHERE code = '000001' FOR UPDATE"_s);
        if (runs == 1)
            readFailure = DBConnection(0)->lastErrno();
        DBExecute(u"UPDATE customer SET nowmoney = nowmoney - 1000 WHERE code = '000002'"_s, true);
        return true;
    });

    EXPECT_EQ(readFailure, 1213u);
    EXPECT_TRUE(stored);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(DBRecordCount(u"receive"_s), 1);
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000002'"_s).toDouble(), -1000.0);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(DbConnection, AWriteWhoseAnswerWasLostIsReportedAndNotSentAgainWhileAReadIsAskedAgain)
{
    const asv::test::ServerAccount account = asv::test::testServer();
    asv::test::LosingProxy proxy(static_cast<quint16>(account.host.section(u':', 1).toUInt()));
    cMySQL c;
    c.real_connect(u"127.0.0.1:%1"_s.arg(proxy.port()), account.user, account.password, db.name(), 3306, {}, 0,
                   u"euckr"_s);

    proxy.loseAnswerTo("'lost-answer'");
    c.query(u"INSERT INTO receive (ccode, amount, dealdate, bigo) VALUES ('000001', 1000, '2026-12-06', 'lost-answer')"_s,
            false);
    EXPECT_EQ(c.lastErrno(), 2013u);
    EXPECT_EQ(DBRecordCount(u"receive"_s, u"bigo = 'lost-answer'"_s), 1);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 1);

    // A COMMIT's lost answer leaves the document as the server has it, and says it may be stored.
    proxy.loseAnswerTo("COMMIT");
    const bool stored = DbTransaction::run(c, [&c] {
        c.query(u"INSERT INTO receive (ccode, amount, dealdate, bigo) VALUES ('000001', 1000, '2026-12-06', 'commit-lost')"_s,
                false);
        return c.lastErrno() == 0;
    });
    EXPECT_FALSE(stored);
    EXPECT_EQ(DBRecordCount(u"receive"_s, u"bigo = 'commit-lost'"_s), 1);
    EXPECT_TRUE(prompter.texts(ScriptedPrompter::Kind::Error).value(1).contains(u"저장되었는지 알 수 없습니다"_s))
        << prompter.texts().join(u'\n').toStdString();

    proxy.loseAnswerTo("'asked-again'");
    const RecordSetPtr rs = c.query(u"SELECT 'asked-again'"_s, false);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->value(0, 0), u"asked-again"_s);
    EXPECT_EQ(c.reconnectCount(), 3);
}
