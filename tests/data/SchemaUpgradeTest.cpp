#include "BaseSchema.h"
#include "ConsultTextColumns.h"
#include "OnlineAlter.h"
#include "ScriptedPrompter.h"
#include "SearchIndexes.h"
#include "TelSuffixIndex.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMain_dbPatch.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

QStringList structureOf(const QString& database)
{
    RecordSetPtr rs;
    // The search indexes' side tables are no part of the structure, nor is what the older
    // program cannot see.
    DBOpenRS(rs, u"SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE, IFNULL(COLUMN_DEFAULT, 'NULL') "
                 "FROM information_schema.COLUMNS WHERE IS_GENERATED = 'NEVER' AND TABLE_NAME NOT REGEXP '_(tri)?gram(_pos)?$' "
                 "AND EXTRA NOT LIKE '%INVISIBLE%' "
                 "AND TABLE_SCHEMA = '"_s
                     + database + u"' ORDER BY TABLE_NAME, ORDINAL_POSITION"_s);
    QStringList lines;
    for (; rs && !rs->eof(); rs->moveNext())
        lines << QStringList{rs->field(0), rs->field(1), rs->field(2), rs->field(3), rs->field(4)}.join(u'\t');
    return lines;
}

QStringList expectedStructure()
{
    QFile f(QStringLiteral(ASV_SOURCE_DIR) + u"/schema/structure_v14.tsv"_s);
    f.open(QIODevice::ReadOnly);
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    lines.removeFirst();
    return lines;
}

void setVersion(int ver)
{
    DBExecute(u"UPDATE dbversion SET ver = "_s + QString::number(ver) + u" WHERE dbid = 'main'"_s);
}

// The base structure brought to this version by the upgrade's own steps.
void upgradeTo(int ver)
{
    for (int step = 2; step <= ver; ++step) {
        for (const QString& sql : UpgradeStepStatements(step))
            DBExecute(sql);
    }
    setVersion(ver);
}

// What MySQL 5.7/8 in strict mode refuse and MariaDB takes, so the test server cannot show it.
// (MySQL 8.0.13 and later take a text's default as an expression, "default ('')".)
QStringList mysqlRefusals(const QString& statement)
{
    static const QList<std::pair<QRegularExpression, QString>> refused{
        {QRegularExpression(u"\\b(tiny|medium|long)?(text|blob)\\b[^,]*\\bdefault\\s*'"_s,
                            QRegularExpression::CaseInsensitiveOption),
         u"1101 text or blob column with a default"_s},
        {QRegularExpression(u"\\bTYPE\\s*="_s, QRegularExpression::CaseInsensitiveOption), u"1064 TYPE="_s},
        {QRegularExpression(u"\\bint\\b[^,]*\\bdefault\\s*''"_s, QRegularExpression::CaseInsensitiveOption),
         u"1067 empty text as a number's default"_s},
        {QRegularExpression(u"\\bADD\\s+(COLUMN\\s+|INDEX\\s+)?IF\\s+NOT\\s+EXISTS"_s,
                            QRegularExpression::CaseInsensitiveOption),
         u"1064 IF NOT EXISTS in ALTER TABLE"_s},
    };
    QStringList out;
    for (const auto& [pattern, reason] : refused) {
        if (pattern.match(statement).hasMatch())
            out << reason;
    }
    return out;
}

} // namespace

// A database of the first structure, its upgrade to be agreed to or declined.
struct SchemaUpgrade : ::testing::Test {
    TestDatabase db{TestDatabase::Structure::Base};
    ScriptedPrompter prompter;
};

TEST_F(SchemaUpgrade, FromOneInStrictModeWithStatementsMySqlAcceptsTooEqualsTheCurrentStructure)
{
    // The statements a MySQL server of each kind is given; the 8.0.13 one takes an expression default.
    for (const QString& mysql : {u"5.7.44-log"_s, u"8.0.12"_s, u"8.0.36"_s}) {
        QStringList statements = BaseSchema::statements();
        for (int step = 2; step <= kProgramDbVersion; ++step)
            statements += UpgradeStepStatements(step, mysql);
        for (const QString& sql : statements)
            EXPECT_EQ(mysqlRefusals(sql), QStringList()) << mysql.toStdString() << sql.toStdString();
    }
    // The checker itself: the form older servers took is caught.
    EXPECT_EQ(mysqlRefusals(u"`pname` text NOT NULL default '',"_s).size(), 1);

    EXPECT_EQ(DBStructureVersion(), 1);
    DBExecute(u"INSERT INTO local_user (code, loginid, name) VALUES ('01', 'kim', '김상담')"_s);
    DBExecute(u"SET SESSION sql_mode = 'STRICT_ALL_TABLES,STRICT_TRANS_TABLES,NO_ZERO_DATE,ERROR_FOR_DIVISION_BY_ZERO'"_s);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(ChkDBpatch());
    ASSERT_EQ(prompter.count(Kind::YesNo), 1);
    EXPECT_EQ(prompter.count(Kind::Error), 0) << prompter.texts().join(u'\n').toStdString();
    EXPECT_TRUE(prompter.texts().first().startsWith(u"< 데이터베이스 구조 업그레이드 >\r\n\r\n"_s + QString(74, u'=')));
    EXPECT_TRUE(prompter.texts().first().endsWith(u"\r\n지금 DB업그레이드를 진행하시겠습니까?"_s));
    EXPECT_EQ(DBStructureVersion(), 14);
    EXPECT_EQ(structureOf(db.name()), expectedStructure());
    // What only speeds the searches up is the administrator's choice, not the upgrade's.
    EXPECT_FALSE(TelSuffixIndex::present());
    // Users who existed before the consult desk keep it.
    EXPECT_EQ(DBRecordCount(u"local_user"_s, u"consult = 1"_s), 2);
    // A call row written without its notes is still taken, and an older desk reads '' from it.
    DBExecute(u"INSERT INTO rsvconsult (ctelno) VALUES ('0212345678')"_s);
    EXPECT_FALSE(DBLastFailed());
    EXPECT_EQ(DBGetValue(u"SELECT CONCAT('[', pname, refernote, connote, ']') FROM rsvconsult"_s), u"[]"_s);
}

TEST_F(SchemaUpgrade, ConsultTextsMadeNullableEarlierGetTheirDefaultFromTheIndexStepNotFromTheStart)
{
    upgradeTo(14);
    // As an earlier release made the table, with a row of an older desk.
    DBExecute(u"ALTER TABLE rsvconsult MODIFY pname text, MODIFY refernote text, MODIFY connote text"_s);
    DBExecute(u"INSERT INTO rsvconsult (ctelno, connote) VALUES ('0212345678', '통화')"_s);
    EXPECT_TRUE(ChkDBpatch());
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(DBGetValue(u"SELECT COUNT(*) FROM rsvconsult WHERE pname IS NULL"_s), u"1"_s);

    EXPECT_EQ(SearchIndexes::addMissing().size(), 0);
    EXPECT_EQ(structureOf(db.name()), expectedStructure());
    EXPECT_EQ(DBGetValue(u"SELECT CONCAT(pname, '|', refernote, '|', connote) FROM rsvconsult"_s), u"||통화"_s);
    EXPECT_TRUE(SearchIndexes::missingStatements().filter(u"rsvconsult"_s).isEmpty());
}

TEST(ConsultTextColumns, EachServerGetsTheFormItTakes)
{
    const struct {
        const char* version;
        const char* definition;
    } cases[]{
        {"10.11.6-MariaDB-0+deb12u1", "text NOT NULL default ''"}, {"5.5.5-10.3.39-MariaDB", "text NOT NULL default ''"},
        {"8.0.13", "text NOT NULL default ('')"},                   {"8.4.0", "text NOT NULL default ('')"},
        {"8.0.12-log", "text"},                                      {"5.7.44", "text"},
        {"", "text"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConsultTextColumns::definition(QString::fromLatin1(c.version)), QString::fromLatin1(c.definition)) << c.version;
}

TEST_F(SchemaUpgrade, ThirteenRunsOnlyTheLastStep)
{
    upgradeTo(13);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(ChkDBpatch());
    EXPECT_EQ(prompter.count(Kind::Error), 0) << prompter.texts().join(u'\n').toStdString();
    EXPECT_EQ(DBStructureVersion(), 14);
    EXPECT_EQ(structureOf(db.name()), expectedStructure());
}

TEST_F(SchemaUpgrade, DecliningOrAnotherDeskUpgradingMeanwhileLeavesTheDatabaseAlone)
{
    const QStringList before = structureOf(db.name());
    prompter.answer(MsgAnswer::No);
    EXPECT_FALSE(ChkDBpatch());
    EXPECT_EQ(DBStructureVersion(), 1);
    EXPECT_EQ(structureOf(db.name()), before);

    prompter.answerAfter([] { setVersion(14); }, MsgAnswer::Yes);
    bool needs = false;
    EXPECT_TRUE(ChkDBpatch(&needs));
    EXPECT_FALSE(needs);
    EXPECT_EQ(prompter.count(Kind::Error), 0);
    EXPECT_EQ(structureOf(db.name()), before);
}

TEST_F(SchemaUpgrade, StepFailingOnAnExistingObjectIsShownAndPassedOver)
{
    // Someone added one column by hand: its step fails, the others still run.
    DBExecute(u"ALTER TABLE `customer` ADD `agency` VARCHAR(100) DEFAULT '' NOT NULL"_s);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(ChkDBpatch());
    ASSERT_EQ(prompter.count(Kind::Error), 1);
    EXPECT_TRUE(prompter.texts(Kind::Error).first().startsWith(u"Error 1060 ("_s));
    EXPECT_EQ(DBStructureVersion(), 14);
    // The hand-made column stands elsewhere in the table; what matters is that all are there.
    QStringList actual = structureOf(db.name()), expected = expectedStructure();
    actual.sort();
    expected.sort();
    EXPECT_EQ(actual, expected);
}

TEST_F(SchemaUpgrade, StepThatLeavesSomethingMissingKeepsTheOldVersion)
{
    upgradeTo(7);
    DBExecute(u"DROP TABLE sale"_s);
    prompter.answer(MsgAnswer::Yes);
    EXPECT_FALSE(ChkDBpatch());
    EXPECT_EQ(prompter.count(Kind::Error), 2); // steps 8 and 14 name the missing table
    EXPECT_EQ(DBStructureVersion(), 7);
    // The next start runs the steps again; the ones already applied fail harmlessly.
    DBExecute(u"CREATE TABLE sale (code int unsigned NOT NULL)"_s);
    prompter.clear();
    prompter.answer(MsgAnswer::Yes);
    EXPECT_TRUE(ChkDBpatch());
    EXPECT_EQ(DBStructureVersion(), 14);
    for (const QString& error : prompter.texts(Kind::Error))
        EXPECT_TRUE(error.startsWith(u"Error 1060 ("_s)) << error.toStdString();
}

TEST(SchemaVersion, CurrentAsksNothingNewerAsksForTheProgramAndMissingReadsAsNotCreated)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    const int before = DBConnection(0)->reconnectCount();
    EXPECT_TRUE(ChkDBpatch());
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(DBConnection(0)->reconnectCount(), before);
    EXPECT_EQ(structureOf(db.name()), expectedStructure());

    setVersion(15);
    bool needs = false;
    EXPECT_FALSE(ChkDBpatch(&needs));
    EXPECT_TRUE(needs);
    ASSERT_EQ(prompter.count(Kind::Warn), 1);
    EXPECT_EQ(prompter.texts().first(), u"데이터베이스 구조가 업그레이드 되었습니다.\r\n\r\n프로그램을 재설치하시기 바랍니다.\r\n\r\n문의전화: "_s
                                            + SupportTelephone() + u"\r\n\r\nOstraSoft"_s);

    // No version row reads as a database never created; no table, the same after the failed read's box.
    const QString notCreated = u"데이터베이스가 생성되지 않았습니다.\r\n당사로 연락바랍니다. Tel) "_s + SupportTelephone();
    prompter.clear();
    DBExecute(u"DELETE FROM dbversion"_s);
    needs = false;
    EXPECT_FALSE(ChkDBpatch(&needs));
    EXPECT_FALSE(needs);
    EXPECT_EQ(prompter.texts(), QStringList{notCreated});
    prompter.clear();
    DBExecute(u"DROP TABLE dbversion"_s);
    EXPECT_FALSE(ChkDBpatch());
    ASSERT_EQ(prompter.messages().size(), 2);
    EXPECT_EQ(prompter.messages()[0].kind, Kind::Error);
    EXPECT_EQ(prompter.messages()[1].text, notCreated);
}

TEST(SchemaVersion, SearchIndexesAnOlderDatabaseLacksAreAddedOnRequestOnly)
{
    TestDatabase db;
    ScriptedPrompter prompter;
    EXPECT_TRUE(SearchIndexes::missingStatements().isEmpty());

    // As the older program left them: one index gone, one under its own name, one table missing,
    // the tax-invoice lines shaped otherwise and without a key, no reversed numbers.
    DBExecute(u"ALTER TABLE customer DROP INDEX idx_customer_telno1"_s);
    DBExecute(u"ALTER TABLE customer DROP INDEX idx_customer_telno2, ADD INDEX tel2 (telno2, telno3)"_s);
    DBExecute(u"ALTER TABLE sale DROP INDEX idx_sale_ccode_date_total"_s);
    DBExecute(u"ALTER TABLE rsvconsult DROP INDEX idx_rsvconsult_ctelno"_s);
    DBExecute(u"DROP TABLE taxlist_m"_s);
    DBExecute(u"DROP TABLE taxlist_d"_s);
    DBExecute(u"CREATE TABLE taxlist_d (taxno varchar(20) NOT NULL, seq int NOT NULL, pname varchar(100)) ENGINE=InnoDB"_s);
    DBExecute(u"ALTER TABLE customer DROP INDEX idx_customer_hpno_rev, DROP COLUMN hpno_rev"_s);
    const QStringList expected{
        u"ALTER TABLE taxlist_d ADD asv_row_id BIGINT UNSIGNED NOT NULL AUTO_INCREMENT INVISIBLE PRIMARY KEY"_s,
        u"ALTER TABLE customer ADD INDEX idx_customer_telno1 (telno1)"_s,
        u"ALTER TABLE sale ADD INDEX idx_sale_ccode_date_total (ccode,dealdate,total)"_s,
        u"ALTER TABLE rsvconsult ADD INDEX idx_rsvconsult_ctelno (ctelno)"_s,
        u"ALTER TABLE customer ADD COLUMN hpno_rev VARCHAR(100) AS (REVERSE(hpno)) VIRTUAL INVISIBLE"_s,
        u"ALTER TABLE customer ADD INDEX idx_customer_hpno_rev (hpno_rev)"_s};
    EXPECT_EQ(SearchIndexes::missingStatements(), expected);

    // The start of a current database leaves them alone.
    EXPECT_TRUE(ChkDBpatch());
    EXPECT_EQ(SearchIndexes::missingStatements(), expected);

    EXPECT_TRUE(SearchIndexes::addMissing().isEmpty());
    EXPECT_TRUE(SearchIndexes::missingStatements().isEmpty());

    // A change the server cannot make without locking the table is made all the same; a refused
    // one brings the server's text back and no message box.
    QString error;
    EXPECT_TRUE(OnlineAlter::run(*DBConnection(0),
                                 u"ALTER TABLE customer ADD COLUMN bigo_rev VARCHAR(300) AS (REVERSE(bigo)) VIRTUAL, "
                                 u"ADD INDEX idx_bigo_rev (bigo_rev)"_s,
                                 &error))
        << error.toStdString();
    EXPECT_FALSE(OnlineAlter::run(*DBConnection(0), u"ALTER TABLE taxlist_d ADD INDEX idx_taxlist_d_mcode (mcode)"_s, &error));
    EXPECT_TRUE(error.startsWith(u"1072 : "_s)) << error.toStdString();
    EXPECT_TRUE(TelSuffixIndex::present());
    EXPECT_EQ(DBRecordCount(u"information_schema.STATISTICS"_s,
                            u"TABLE_SCHEMA = DATABASE() AND TABLE_NAME = 'customer' AND COLUMN_NAME = 'telno2'"_s),
              1);
    EXPECT_EQ(prompter.count(Kind::Error), 0) << prompter.texts().join(u'\n').toStdString();
}
