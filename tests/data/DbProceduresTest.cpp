#include "Clock.h"
#include "DbFixture.h"
#include "Paths.h"
#include "SqlLog.h"
#include "TestDatabase.h"
#include "UserSettings.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::TestDatabase;
using DbProcedures = asv::test::DbFixture;

// Plain quoting is seen through the round trips of the connection test.
TEST(SqlQuoting, LikeQuoteEscapesForLikeAndCutsAtNul)
{
    QString text = u"it's a\\b"_s + QChar(u'\0') + u"tail"_s;
    EXPECT_EQ(SQLQuoteLike(text), u"it''s a\\\\\\\\b"_s);
    // The caller's variable keeps the doubled quote, not the four backslashes.
    EXPECT_EQ(text, u"it''s a\\b"_s);
}

TEST_F(DbProcedures, ResultsCountsInsertIdsAndTrimmedCounts)
{
    RecordSetPtr rs;
    EXPECT_EQ(DBOpenRS(rs, u"SELECT optname FROM options WHERE 1=0"_s), 0);
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(rs->fieldName(0), u"optname"_s);
    CloseRS(rs);
    EXPECT_EQ(rs, nullptr);

    DBExecute(u"INSERT INTO options (optname, optvalue) VALUES ('a', '1'), ('b', '2'), ('c', '')"_s);
    EXPECT_EQ(DBOpenRS(rs, u"SELECT optname AS n, optvalue AS n, NULL AS z FROM options ORDER BY optname"_s), 3);
    // A repeated label stays reachable under its position.
    EXPECT_EQ(rs->fieldNames(), (QStringList{u"n"_s, u"n_1"_s, u"z"_s}));
    EXPECT_EQ(rs->field(u"N"_s), u"a"_s);
    EXPECT_EQ(rs->field(u"n_1"_s), u"1"_s);
    EXPECT_TRUE(rs->isNull(0, 2));
    EXPECT_EQ(rs->field(u"z"_s), QString());
    rs->moveLast();
    EXPECT_EQ(rs->field(0), u"c"_s);
    rs->moveNext();
    EXPECT_TRUE(rs->eof());

    EXPECT_EQ(DBExecute(u"UPDATE options SET optvalue = '1' WHERE optname = 'a'"_s), 0);
    EXPECT_EQ(DBExecute(u"UPDATE options SET optvalue = 'x' WHERE optname IN ('a','b')"_s), 2);
    EXPECT_EQ(DBGetValue(u"SELECT optvalue FROM options WHERE optname = 'none'"_s), QString());
    EXPECT_EQ(DBRecordCount(u"options"_s, u"optname LIKE 'a%'"_s), 1);
    EXPECT_EQ(DBMaxValue(u"options"_s, u"optname"_s), u"c"_s);

    DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0001', '  가전 ')"_s);
    EXPECT_EQ(DBTrimCount(u"pclass"_s, u"name"_s, u"name = '가전'"_s), 1);
    EXPECT_EQ(DBRecordCount(u"pclass"_s, u"name = '가전'"_s), 0);
    DBExecute(u"INSERT INTO receive (ccode, dealdate) VALUES ('000001', '2026-01-02')"_s);
    const qint32 first = DBInsertId();
    DBExecute(u"INSERT INTO receive (ccode, dealdate) VALUES ('000001', '2026-01-03')"_s);
    EXPECT_EQ(DBInsertId(), first + 1);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DbProcedures, NumericAndPrefixedCodesAndDuplicateChecks)
{
    EXPECT_EQ(NextNumericCode(u"pclass"_s, u"code"_s, 4), u"0001"_s);
    DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0009', 'a'), ('A001', 'b'), ('099', 'c')"_s);
    // Letters and other lengths are passed over.
    EXPECT_EQ(NextNumericCode(u"pclass"_s, u"code"_s, 4), u"0010"_s);
    EXPECT_EQ(NextNumericCode(u"pclass"_s, u"code"_s, 4, u"name = 'zzz'"_s), u"0001"_s);
    EXPECT_EQ(NextNumericCode(u"pclass"_s, u"code"_s, 4, {}, true), u"001"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6), u"000001"_s);
    DBExecute(u"INSERT INTO product (code, name) VALUES ('000009', 'a'), ('AB0041', 'b'), ('AB00x9', 'c')"_s);
    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6), u"000010"_s);
    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6, u"AB"_s), u"AB0042"_s);
    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6, u"ZZ"_s), u"ZZ0001"_s);
    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6, u"ABCDEFG"_s), u"ABCDEFG"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());

    DBExecute(u"INSERT INTO product (code, name) VALUES ('Q99999', 'full')"_s);
    EXPECT_EQ(NextCode(u"product"_s, u"code"_s, 6, u"Q"_s), QString());
    EXPECT_EQ(prompter.texts(), QStringList{u"해당 순번이 최대값을 넘어 자동으로 값을 구할 수가 없습니다."_s});

    prompter.clear();
    DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0002', 'O''Neil ')"_s);
    EXPECT_FALSE(DBCheckDup(u"pclass"_s, u"name"_s, u"없음"_s));
    EXPECT_TRUE(DBCheckDup(u"pclass"_s, u"name"_s, u"O'Neil"_s, {}, false, {}, {}, true));
    EXPECT_TRUE(DBCheckDup(u"pclass"_s, u"name"_s, u"O'Neil "_s));
    EXPECT_FALSE(DBCheckDup(u"pclass"_s, u"name"_s, u"O'Neil "_s, u"code <> '0002'"_s));

    prompter.answer(MsgAnswer::No);
    EXPECT_TRUE(DBCheckDup(u"pclass"_s, u"name"_s, u"O'Neil"_s, {}, true, u"분류명"_s, {}, true));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].title, u"동일 분류명 발견"_s);
    EXPECT_EQ(prompter.messages()[0].text, u"『O'Neil』는 이미 등록된 분류명입니다.\r\n\r\n그래도, 등록하시겠습니까?"_s);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_FALSE(DBCheckDup(u"pclass"_s, u"name"_s, u"O'Neil"_s, {}, true, u"분류명"_s, {}, true));
}

TEST(SqlLogFiles, LevelsSlowLogAndDailyCleanUp)
{
    TestDatabase db;
    Clock::setFixed(QDateTime(QDate(2026, 3, 31), QTime(9, 5, 0)));
    const QString log = Paths::logFolder();
    // Last year's files of the same day and old hourly files go when the day changes.
    QFile(log + u"/SQLLog_0331.dat"_s).open(QIODevice::WriteOnly);
    QFile(log + u"/SQLLog_0331_slow.dat"_s).open(QIODevice::WriteOnly);
    QFile(log + u"/SQLLog_0331_full_07.dat"_s).open(QIODevice::WriteOnly);
    QFile(log + u"/SQLLog_0330.dat"_s).open(QIODevice::WriteOnly);
    UserSettings::set(u"Config"_s, u"SQLLogLast"_s, u"2026-03-30"_s);
    UserSettings::set(u"Config"_s, u"SQLSlowTime"_s, u"0.05"_s);

    SqlLog::start(1);
    EXPECT_EQ(UserSettings::get(u"Config"_s, u"SQLLogLast"_s), u"2026-03-31"_s);
    EXPECT_EQ(QDir(log).entryList(QDir::Files), QStringList{u"SQLLog_0330.dat"_s});

    DBExecute(u"UPDATE options SET optvalue = '' WHERE 1=0"_s);
    DBGetValue(u"SELECT SLEEP(0.1)"_s);
    DBGetValue(u"SELECT 1"_s);
    Clock::clearFixed();

    QFile daily(log + u"/SQLLog_0331.dat"_s), slow(log + u"/SQLLog_0331_slow.dat"_s);
    ASSERT_TRUE(daily.open(QIODevice::ReadOnly));
    ASSERT_TRUE(slow.open(QIODevice::ReadOnly));
    const QString d = QString::fromUtf8(daily.readAll()), s = QString::fromUtf8(slow.readAll());
    // Level 1 logs writes only; the slow log has the slow read whatever the level.
    EXPECT_TRUE(d.startsWith(u"260331090500\t"_s)) << d.toStdString();
    EXPECT_TRUE(d.contains(u";0 -> UPDATE options"_s));
    EXPECT_FALSE(d.contains(u"SLEEP"_s));
    EXPECT_TRUE(s.contains(u"SELECT SLEEP(0.1)"_s));
    EXPECT_FALSE(s.contains(u"SELECT 1"_s));
    EXPECT_FALSE(QFile::exists(log + u"/SQLLog_0331_full_09.dat"_s));
    SqlLog::start(0);
}
