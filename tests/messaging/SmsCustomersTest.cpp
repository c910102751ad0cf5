#include "SmsCommands.h"
#include "SmsCustomers.h"
#include "SmsCustomersFixture.h"
#include "modSMSLink.h"

#include <QTextStream>

using namespace Qt::StringLiterals;
using namespace asv;
using Filter = SmsCustomers::Filter;

TEST(SmsCustomerNumbers, MobileFirstThenTheKindsTicked)
{
    struct Case {
        QString hpno, telno1, fax;
        SmsCustomers::Kinds kinds;
        QString mobile, numbers;
    };
    const Case cases[] = {
        {u"010-1"_s, u"02-1"_s, u"02-9"_s, {true, true, true}, u"010-1"_s, u"010-1,02-1,02-9"_s},
        {u"02-5"_s, u"011-2"_s, u"02-9"_s, {true, true, false}, u"011-2"_s, u"011-2"_s},
        {{}, u"02-1"_s, u"010-9"_s, {true, true, true}, {}, u"02-1"_s},
        {u"010-1"_s, u"02-1"_s, {}, {false, false, true}, u"010-1"_s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hpno.toStdString() + " " + c.telno1.toStdString());
        EXPECT_EQ(SmsCustomers::mobileNumber(c.hpno, c.telno1), c.mobile);
        EXPECT_EQ(SmsCustomers::searchNumbers(c.hpno, c.telno1, c.fax, c.kinds), c.numbers);
    }
}

TEST_F(SmsCustomersFixture, EverySearchConditionFindsItsCustomers)
{
    struct Case {
        SmsCustomers::Condition condition;
        QStringList names;
        QString memo;
    };
    const Case cases[] = {
        {{Filter::All, {}, {}, 0}, {u"가상사"_s, u"나상사"_s, u"다상사"_s}, {}},
        {{Filter::Receivables, {}, {}, 0}, {u"가상사"_s, u"나상사"_s, u"다상사"_s}, u"12345.0000"_s},
        {{Filter::PlannedVisits, QDate(2026, 1, 25), QDate(2026, 2, 5), 0}, {u"가상사"_s}, u"2026-02-01"_s},
        {{Filter::LastAsDays, {}, {}, 100}, {u"나상사"_s}, u"2025-06-01"_s},
        {{Filter::AsPeriod, QDate(2026, 1, 1), QDate(2026, 1, 31), 0}, {u"가상사"_s}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(SmsCustomers::memo(c.condition.filter).header.toStdString());
        RecordSetPtr rs;
        const int rows = DBOpenRS(rs, SmsCustomers::sql(c.condition));
        QStringList names;
        for (int r = 0; r < rows; ++r)
            names << rs->value(r, u"compname"_s);
        EXPECT_EQ(names, c.names);
        const QString field = SmsCustomers::memo(c.condition.filter).field;
        if (!field.isEmpty()) {
            EXPECT_EQ(rs->value(0, field), c.memo);
        }
        EXPECT_EQ(prompter.count(test::ScriptedPrompter::Kind::Error), 0);
    }
}

TEST_F(SmsCustomersFixture, ListCommandWritesTheNamedCustomersInTheirOrder)
{
    QString printed;
    QTextStream out(&printed);
    EXPECT_EQ(smsList(out, {u"000002"_s, u"000001"_s, u"999999"_s, u"000003"_s}), 0);
    out.flush();
    EXPECT_EQ(printed, inSender(kSmsListFile) + u'\n');
    EXPECT_EQ(Cp949::decode(contentOf(kSmsListFile)), u"011-222-2222,나상사\r\n010-1111-1111,가상사\r\n"_s);

    EXPECT_EQ(smsList(out, {u"999999"_s}), 1);
}
