#include "BigramIndex.h"
#include "ScriptedPrompter.h"
#include "SearchIndexes.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMySQL_Func.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;

namespace {

QStringList customerGramStatements()
{
    QStringList out;
    for (const QString& s : SearchIndexes::missingStatements()) {
        if (BigramIndex::sideTableOf(s) == u"customer_gram"_s)
            out << s;
    }
    return out;
}

// Customers whose names have pieces but that the side table does not know.
long customersWithoutPieces()
{
    return DBGetValue(u"SELECT COUNT(*) FROM customer AS c WHERE CHAR_LENGTH(c.compname) > 1 "
                      u"AND NOT EXISTS (SELECT 1 FROM customer_gram AS g WHERE g.code = c.code)"_s)
        .toLong();
}

} // namespace

TEST(BigramIndex, NarrowsOnlyContainsTextsItCanAnswer)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    ASSERT_TRUE(BigramIndex::present(u"customer"_s));
    ASSERT_TRUE(BigramIndex::present(u"product"_s));
    const auto narrows = [](const QString& fields, const QString& text) {
        return !BigramIndex::candidates(u"customer"_s, u"c.code"_s, fields, text).isEmpty();
    };
    EXPECT_TRUE(narrows(u"c.compname"_s, u"한빛전"_s));
    EXPECT_TRUE(narrows(u"compalias, c.ceoname"_s, u"a\r\nb'c"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한빛"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한\r\n빛"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한_전자"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한%전자"_s));
    EXPECT_FALSE(narrows(u"c.compname,c.bigo"_s, u"한빛전"_s));
    EXPECT_FALSE(narrows(u"u.name"_s, u"김담당"_s));
    EXPECT_TRUE(BigramIndex::candidates(u"product"_s, u"p.code"_s, u"p.name,norm"_s, u"복합기"_s).contains(u"product_gram"_s));

    // A long text is narrowed by its rarest piece first, then by those far from it: the piece
    // next to it mostly comes with it and would narrow nothing.
    QStringList names;
    for (int i = 1; i <= 40; ++i)
        names << u"('%1', '대한상사 %2')"_s.arg(i, 6, 10, QChar(u'0')).arg(i == 1 ? u"본점"_s : u"지점"_s);
    DBExecute(u"INSERT INTO customer (code, compname) VALUES "_s + names.join(u','));
    const QString sql = BigramIndex::candidates(u"customer"_s, u"c.code"_s, u"c.compname"_s, u"상사 본"_s);
    EXPECT_EQ(sql.count(u".gram = "_s), 2);
    EXPECT_TRUE(sql.contains(u"g0.gram = ' 본'"_s)) << sql.toStdString();
    EXPECT_TRUE(sql.contains(u"g1.gram = '상사'"_s)) << sql.toStdString();
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}

TEST(BigramIndex, IsRebuiltOnRequestInPortionsWhileTheRowsStay)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    // More customers than one portion fills, so that the portions' bounds are crossed, written
    // while the side table was incomplete.
    DBExecute(u"DROP TRIGGER customer_gram_ai2"_s);
    DBExecute(u"DROP TRIGGER customer_gram_ad"_s);
    DBExecute(u"INSERT INTO customer (code, compname, telno1) SELECT LPAD(seq, 6, '0'), CONCAT('고객', seq), '' "
              u"FROM seq_1_to_12345"_s);
    SearchIndexes::forget();
    EXPECT_FALSE(BigramIndex::present(u"customer"_s));
    EXPECT_TRUE(BigramIndex::present(u"product"_s));
    EXPECT_TRUE(BigramIndex::candidates(u"customer"_s, u"c.code"_s, u"c.compname"_s, u"고객12"_s).isEmpty());

    // Only the incomplete side table is offered: its remaining triggers and table go, then all is
    // made again.
    const QStringList statements = SearchIndexes::missingStatements();
    ASSERT_EQ(statements, customerGramStatements());
    EXPECT_EQ(statements.at(0), u"DROP TRIGGER customer_gram_au2"_s);
    EXPECT_EQ(statements.filter(QRegularExpression(u"^INSERT IGNORE INTO customer_gram"_s)).size(), 2);
    EXPECT_TRUE(statements.last().startsWith(u"ALTER TABLE customer_gram COMMENT"_s));

    QList<int> progress;
    EXPECT_TRUE(SearchIndexes::add(*DBConnection(0), statements, [&](int done, const QString&) { progress << done; })
                    .isEmpty());
    EXPECT_EQ(progress.size(), statements.size() + 1);
    SearchIndexes::forget();
    EXPECT_TRUE(BigramIndex::present(u"customer"_s));
    EXPECT_TRUE(SearchIndexes::missingStatements().isEmpty());
    EXPECT_EQ(customersWithoutPieces(), 0);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}

TEST(BigramIndex, TheFirstReleasesTriggersAreReplacedWithoutARebuild)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000001', '한빛전자')"_s);
    // A database indexed by the first release: its insert trigger wrote the pieces whoever
    // inserted, and its update trigger had the first name.
    const auto body = [](const QString& trigger, const QString& event) {
        RecordSetPtr rs;
        DBOpenRS(rs, u"SHOW CREATE TRIGGER "_s + trigger);
        const QString text = rs->field(2).section(event, 1);
        CloseRS(rs);
        return text;
    };
    const QString insertBody = body(u"customer_gram_ai2"_s, u" AFTER INSERT "_s)
                                   .replace(QRegularExpression(u"IF @customer_gram_deferred IS NULL THEN (.*); END IF$"_s),
                                            u"\\1"_s);
    const QString updateBody = body(u"customer_gram_au2"_s, u" AFTER UPDATE "_s);
    DBExecute(u"DROP TRIGGER customer_gram_ai2"_s);
    DBExecute(u"DROP TRIGGER customer_gram_au2"_s);
    DBExecute(u"CREATE TRIGGER customer_gram_ai AFTER INSERT "_s + insertBody);
    DBExecute(u"CREATE TRIGGER customer_gram_au AFTER UPDATE "_s + updateBody);
    SearchIndexes::forget();
    EXPECT_TRUE(BigramIndex::present(u"customer"_s));
    EXPECT_FALSE(BigramIndex::defersPieces(u"customer"_s));

    const QStringList statements = SearchIndexes::missingStatements();
    ASSERT_EQ(statements.size(), 4);
    EXPECT_TRUE(statements.at(0).startsWith(u"CREATE TRIGGER customer_gram_ai2"_s));
    EXPECT_EQ(statements.at(1), u"DROP TRIGGER customer_gram_ai"_s);
    EXPECT_TRUE(statements.at(2).startsWith(u"CREATE TRIGGER customer_gram_au2"_s));
    EXPECT_EQ(statements.at(3), u"DROP TRIGGER customer_gram_au"_s);
    EXPECT_TRUE(SearchIndexes::add(*DBConnection(0), statements).isEmpty());
    SearchIndexes::forget();
    EXPECT_TRUE(SearchIndexes::missingStatements().isEmpty());
    EXPECT_TRUE(BigramIndex::defersPieces(u"customer"_s));

    // Only the session that defers the pieces goes without them.
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000002', '새빛')"_s);
    DBExecute(BigramIndex::deferStatement(u"customer"_s, true));
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000003', '새빛')"_s);
    DBExecute(BigramIndex::deferStatement(u"customer"_s, false));
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(code) FROM customer_gram WHERE gram = '새빛'"_s), u"000002"_s);

    // A rename writes only the pieces it changes; the kept ones stay where a case changed.
    DBExecute(u"UPDATE customer SET compname = '(주)한빛전자' WHERE code = '000001'"_s);
    DBExecute(u"UPDATE customer SET compname = '한빛Net' WHERE code = '000001'"_s);
    DBExecute(u"UPDATE customer SET compname = '한빛NET' WHERE code = '000001'"_s);
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(gram ORDER BY gram SEPARATOR '|') FROM customer_gram WHERE code = '000001'"_s),
              u"et|Ne|빛N|한빛"_s);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}

TEST(BigramIndex, AnAccountThatMayNotCreateTriggersKeepsTheScan)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000001', '한빛전자')"_s);
    DBExecute(u"DROP TRIGGER customer_gram_ai2"_s);
    DBExecute(u"DROP TRIGGER customer_gram_au2"_s);
    DBExecute(u"DROP TRIGGER customer_gram_ad"_s);
    DBExecute(u"DROP TABLE customer_gram"_s);

    const QString user = db.name().right(16);
    cMySQL& admin = db.admin();
    admin.query(u"CREATE USER '%1'@'%' IDENTIFIED BY 'pw'"_s.arg(user), false);
    admin.query(u"GRANT SELECT, INSERT, UPDATE, DELETE, CREATE, DROP, ALTER, INDEX ON `%1`.* TO '%2'@'%'"_s.arg(db.name(), user),
                false);
    const QList<SearchIndexes::Failure> failed = [&] {
        cMySQL limited;
        limited.real_connect(test::testServer().host, user, u"pw"_s, db.name(), 3306, {}, 0, u"euckr"_s);
        return SearchIndexes::add(limited, SearchIndexes::missingStatements());
    }();
    admin.query(u"DROP USER '%1'@'%'"_s.arg(user), false);

    // The first trigger is refused and the rest of the side table is not attempted.
    ASSERT_FALSE(failed.isEmpty());
    EXPECT_TRUE(failed.first().statement.startsWith(u"CREATE TRIGGER customer_gram_ai"_s));
    for (qsizetype i = 1; i < failed.size(); ++i)
        EXPECT_TRUE(failed.at(i).error.startsWith(u"skipped"_s)) << failed.at(i).statement.toStdString();
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM customer_gram"_s), u"0"_s);
    SearchIndexes::forget();
    EXPECT_FALSE(BigramIndex::present(u"customer"_s));
    EXPECT_EQ(BigramIndex::containsCondition(u"customer"_s, u"c.code"_s, u"c.compname"_s, u"빛전자"_s),
              u"c.compname LIKE '%빛전자%'"_s);
    // Writing customers goes on as before.
    DBExecute(u"UPDATE customer SET compname = '새빛전자' WHERE code = '000001'"_s);
    EXPECT_FALSE(DBLastFailed());
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}
