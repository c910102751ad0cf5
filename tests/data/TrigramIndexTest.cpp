#include "TrigramIndex.h"
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
        if (TrigramIndex::sideTableOf(s) == u"customer_trigram"_s)
            out << s;
    }
    return out;
}

// Customers whose names have pieces but that the side table does not know.
long customersWithoutPieces()
{
    return DBGetValue(u"SELECT COUNT(*) FROM customer AS c WHERE CHAR_LENGTH(c.compname) > 2 "
                      u"AND NOT EXISTS (SELECT 1 FROM customer_trigram AS g WHERE g.code = c.code)"_s)
        .toLong();
}

} // namespace

TEST(TrigramIndex, NarrowsOnlyContainsTextsItCanAnswer)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    ASSERT_TRUE(TrigramIndex::present(u"customer"_s));
    ASSERT_TRUE(TrigramIndex::present(u"product"_s));
    const auto narrows = [](const QString& fields, const QString& text) {
        return !TrigramIndex::candidates(u"customer"_s, u"c.code"_s, fields, text).isEmpty();
    };
    EXPECT_TRUE(narrows(u"c.compname"_s, u"한빛전"_s));
    EXPECT_TRUE(narrows(u"compalias, c.ceoname"_s, u"a\r\nb'c"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한빛"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한\r\n빛"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한_전자"_s));
    EXPECT_FALSE(narrows(u"c.compname"_s, u"한%전자"_s));
    EXPECT_FALSE(narrows(u"c.compname,c.bigo"_s, u"한빛전"_s));
    EXPECT_FALSE(narrows(u"u.name"_s, u"김담당"_s));
    EXPECT_TRUE(TrigramIndex::candidates(u"product"_s, u"p.code"_s, u"p.name,norm"_s, u"복합기"_s).contains(u"product_trigram"_s));

    // A long text is narrowed by its rarest piece first, then by those far from it: the piece
    // next to it mostly comes with it and would narrow nothing.
    QStringList names;
    for (int i = 1; i <= 40; ++i)
        names << u"('%1', '대한상사 %2')"_s.arg(i, 6, 10, QChar(u'0')).arg(i == 1 ? u"본점"_s : u"지점"_s);
    DBExecute(u"INSERT INTO customer (code, compname) VALUES "_s + names.join(u','));
    const QString sql = TrigramIndex::candidates(u"customer"_s, u"c.code"_s, u"c.compname"_s, u"대한상사 본"_s);
    EXPECT_EQ(sql.count(u".gram = "_s), 2);
    EXPECT_TRUE(sql.contains(u"g0.gram = '사 본'"_s)) << sql.toStdString();
    EXPECT_TRUE(sql.contains(u"g1.gram = '대한상'"_s)) << sql.toStdString();
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}

TEST(TrigramIndex, IsRebuiltOnRequestInPortionsWhileTheRowsStay)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    // More customers than one portion fills, so that the portions' bounds are crossed, written
    // while the side table was incomplete.
    DBExecute(u"DROP TRIGGER customer_trigram_ai"_s);
    DBExecute(u"DROP TRIGGER customer_trigram_ad"_s);
    DBExecute(u"INSERT INTO customer (code, compname, telno1) SELECT LPAD(seq, 6, '0'), CONCAT('고객', seq), '' "
              u"FROM seq_1_to_12345"_s);
    // The two-character pieces of an earlier release, still written by their trigger.
    DBExecute(u"CREATE TABLE customer_gram (code CHAR(6) NOT NULL, gram CHAR(2) NOT NULL, PRIMARY KEY (gram, code))"_s);
    DBExecute(u"CREATE TRIGGER customer_gram_ai2 AFTER INSERT ON customer FOR EACH ROW "
              u"INSERT IGNORE INTO customer_gram VALUES (NEW.code, LEFT(NEW.compname, 2))"_s);
    SearchIndexes::forget();
    EXPECT_FALSE(TrigramIndex::present(u"customer"_s));
    EXPECT_TRUE(TrigramIndex::present(u"product"_s));
    EXPECT_TRUE(TrigramIndex::candidates(u"customer"_s, u"c.code"_s, u"c.compname"_s, u"고객12"_s).isEmpty());

    // Only the incomplete side table is offered: the earlier pieces and its remaining triggers and
    // table go, then all is made again.
    const QStringList statements = SearchIndexes::missingStatements();
    ASSERT_EQ(statements.mid(2), customerGramStatements());
    EXPECT_EQ(statements.mid(0, 4),
              (QStringList{u"DROP TRIGGER customer_gram_ai2"_s, u"DROP TABLE IF EXISTS customer_gram, customer_gram_pos"_s,
                           u"DROP TRIGGER customer_trigram_au"_s, u"DROP TABLE IF EXISTS customer_trigram, customer_trigram_pos"_s}));
    EXPECT_EQ(statements.filter(QRegularExpression(u"^INSERT IGNORE INTO customer_trigram"_s)).size(), 2);
    EXPECT_TRUE(statements.last().startsWith(u"ALTER TABLE customer_trigram COMMENT"_s));

    QList<int> progress;
    EXPECT_TRUE(SearchIndexes::add(*DBConnection(0), statements, [&](int done, const QString&) { progress << done; })
                    .isEmpty());
    EXPECT_EQ(progress.size(), statements.size() + 1);
    SearchIndexes::forget();
    EXPECT_TRUE(TrigramIndex::present(u"customer"_s));
    EXPECT_TRUE(SearchIndexes::missingStatements().isEmpty());
    EXPECT_EQ(customersWithoutPieces(), 0);
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
                         u"AND TABLE_NAME = 'customer_gram'"_s),
              u"0"_s);

    // Only the session that defers the pieces goes without them.
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('100001', '새빛상회')"_s);
    DBExecute(TrigramIndex::deferStatement(u"customer"_s, true));
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('100002', '새빛상회')"_s);
    DBExecute(TrigramIndex::deferStatement(u"customer"_s, false));
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(code) FROM customer_trigram WHERE gram = '새빛상'"_s), u"100001"_s);

    // A rename writes only the pieces it changes; the kept ones stay where a case changed.
    DBExecute(u"UPDATE customer SET compname = '(주)한빛전자' WHERE code = '100001'"_s);
    DBExecute(u"UPDATE customer SET compname = '한빛Net' WHERE code = '100001'"_s);
    DBExecute(u"UPDATE customer SET compname = '한빛NET' WHERE code = '100001'"_s);
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(gram ORDER BY gram SEPARATOR '|') FROM customer_trigram WHERE code = '100001'"_s),
              u"Net|빛Ne|한빛N"_s);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}

TEST(TrigramIndex, ATrailingBlankCountsWhereTheNamesAreComparedWithoutPadding)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    DBExecute(u"ALTER TABLE customer CONVERT TO CHARACTER SET euckr COLLATE euckr_korean_nopad_ci"_s);
    DBExecute(u"DROP TRIGGER customer_trigram_ad"_s);
    SearchIndexes::forget();
    ASSERT_TRUE(SearchIndexes::add(*DBConnection(0), customerGramStatements()).isEmpty());
    SearchIndexes::forget();
    ASSERT_TRUE(TrigramIndex::present(u"customer"_s));

    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000001', '새빛상사 '), ('000002', '새빛상사')"_s);
    const QString condition = TrigramIndex::containsCondition(u"customer"_s, u"c.code"_s, u"c.compname"_s, u"상사 "_s);
    ASSERT_TRUE(condition.contains(u"customer_trigram"_s));
    EXPECT_EQ(DBGetValue(u"SELECT GROUP_CONCAT(code) FROM customer AS c WHERE "_s + condition), u"000001"_s);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}

TEST(TrigramIndex, AnAccountThatMayNotCreateTriggersKeepsTheScan)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    DBExecute(u"INSERT INTO customer (code, compname) VALUES ('000001', '한빛전자')"_s);
    DBExecute(u"DROP TRIGGER customer_trigram_ai"_s);
    DBExecute(u"DROP TRIGGER customer_trigram_au"_s);
    DBExecute(u"DROP TRIGGER customer_trigram_ad"_s);
    DBExecute(u"DROP TABLE customer_trigram"_s);

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
    EXPECT_TRUE(failed.first().statement.startsWith(u"CREATE TRIGGER customer_trigram_ai"_s));
    for (qsizetype i = 1; i < failed.size(); ++i)
        EXPECT_TRUE(failed.at(i).error.startsWith(u"skipped"_s)) << failed.at(i).statement.toStdString();
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM customer_trigram"_s), u"0"_s);
    SearchIndexes::forget();
    EXPECT_FALSE(TrigramIndex::present(u"customer"_s));
    EXPECT_EQ(TrigramIndex::containsCondition(u"customer"_s, u"c.code"_s, u"c.compname"_s, u"빛전자"_s),
              u"c.compname LIKE '%빛전자%'"_s);
    // Writing customers goes on as before.
    DBExecute(u"UPDATE customer SET compname = '새빛전자' WHERE code = '000001'"_s);
    EXPECT_FALSE(DBLastFailed());
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Error), 0);
}
