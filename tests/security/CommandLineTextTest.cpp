#include "CtlProgram.h"
#include "TestDatabase.h"
#include "modMySQL_Func.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::runCtl;

// A command line cannot carry a NUL, so the NUL text of the window sweep is left out here.
TEST(CommandLineText, HostileTextInEveryTextArgumentIsQuotedStoredAsGivenOrRefused)
{
    test::TestDatabase db;
    ASSERT_EQ(DBExecute(u"INSERT INTO customer (code, compname, compalias) VALUES ('C00001', '가나상사', '가나')"_s), 1);
    ASSERT_EQ(DBExecute(u"INSERT INTO product (code, name) VALUES ('000001', '필터')"_s), 1);
    const QString period = u"2026-01-01"_s;

    const struct {
        QString text;
        bool storable;
    } texts[] = {{u"'; DROP TABLE customer; --"_s, true},
                 {u"\\'\\\\\"%_"_s, true},
                 {u"똠방각하"_s, true},
                 {u"\u1112\u119E\u11AB글"_s, false}};
    for (const auto& t : texts) {
        SCOPED_TRACE(t.text.toStdString());
        const QList<QStringList> lookups{
            {u"customer"_s, u"find"_s, t.text},
            {u"product"_s, u"find"_s, t.text},
            {u"zipcode"_s, u"find"_s, t.text},
            {u"sale"_s, u"add"_s, t.text, u"000001"_s, u"1"_s},
            {u"as"_s, u"add"_s, t.text, u"000001"_s, u"x"_s},
            {u"report"_s, u"sales"_s, u"--from"_s, period, u"--to"_s, period, u"--customer"_s, t.text},
            {u"report"_s, u"ledger"_s, u"--customer"_s, t.text},
            {u"report"_s, u"receivables"_s, u"--from"_s, period, u"--to"_s, period, u"--customer"_s, t.text},
        };
        for (const QStringList& args : lookups) {
            const test::CtlRun run = runCtl(db, args);
            EXPECT_FALSE((run.out + run.err).contains(u"in procedure"_s)) << args.join(u' ').toStdString() << "\n"
                                                                          << (run.out + run.err).toStdString();
        }
        const long jobs = DBRecordCount(u"aslist_m"_s);
        const test::CtlRun added = runCtl(db, {u"as"_s, u"add"_s, u"C00001"_s, u"000001"_s, t.text});
        if (t.storable) {
            ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
            EXPECT_EQ(DBGetValue(u"SELECT dealbigo FROM aslist_m WHERE code = "_s + added.out.trimmed()), t.text);
        } else {
            EXPECT_NE(added.exitCode, 0);
            EXPECT_TRUE((added.out + added.err).contains(u"CP949"_s)) << added.err.toStdString();
            EXPECT_EQ(DBRecordCount(u"aslist_m"_s), jobs);
        }
    }
    EXPECT_EQ(DBGetValue(u"SELECT compname FROM customer WHERE code = 'C00001'"_s), u"가나상사"_s);
}
