#include "CanonicalTelNo.h"
#include "CommandOutput.h"
#include "CustomerCommands.h"
#include "CustomerListFixture.h"
#include "CustomerSearch.h"
#include "TelSuffixIndex.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::commandOutput;
using asv::test::CustomerListFixture;

namespace {

const QString kContains = u"*s*: 검색어를 포함"_s;
const QString kEnds = u"*s : 검색어로 끝남"_s;
const QString kEquals = u"=  : 검색어와 일치"_s;

FindKey pickerKey(const QString& label)
{
    for (const FindKey& key : CustomerSearch::pickerKeys()) {
        if (key.label == label)
            return key;
    }
    ADD_FAILURE() << "no picker key " << label.toStdString();
    return {};
}

CustomerSearch::Query pickerQuery(const QString& label, const QString& text)
{
    const FindKey key = pickerKey(label);
    CustomerSearch::Query q;
    q.fields = key.fields;
    q.opText = key.op;
    q.text = text;
    return q;
}

CustomerSearch::Query listQuery(const QString& fields, const QString& text, const QString& op)
{
    CustomerSearch::Query q;
    q.fields = fields;
    q.text = text;
    q.opText = op;
    return q;
}

using Search = CustomerListFixture;

} // namespace

TEST(CanonicalTelNo, GroupsAreaCodeExchangeAndLastFourAndTheLocalPartFollowsTheAreaCode)
{
    // Unlike the editor's format, 0505 is no area code of its own here; too short to group is left.
    const QList<std::pair<QString, QString>> grouped{
        {u"0212345678"_s, u"02-1234-5678"_s},      {u"021234567"_s, u"02-123-4567"_s},
        {u"0311234567"_s, u"031-123-4567"_s},      {u"01012345678"_s, u"010-1234-5678"_s},
        {u"15881234"_s, u"1588-1234"_s},           {u"(02) 123-4567"_s, u"02-123-4567"_s},
        {u"*23#4567"_s, u"*23-4567"_s},            {u"050512345678"_s, u"050-51234-5678"_s},
        {u"12345"_s, u"12345"_s},                  {u"12-34"_s, u"12-34"_s},
        {u"tel 1234"_s, u"1234"_s}};
    for (const auto& [typed, canonical] : grouped)
        EXPECT_EQ(CanonicalTelNo(typed), canonical);
    const QList<std::pair<QString, QString>> local{
        {u"12345678"_s, u"1234-5678"_s}, {u"0212345678"_s, u"1234-5678"_s}, {u"01098765432"_s, u"9876-5432"_s},
        {u"12345"_s, u"12345"_s},        {u"1234"_s, QString()},            {u"1234-5678"_s, QString()},
        {u"대한상사"_s, QString()}};
    for (const auto& [typed, part] : local)
        EXPECT_EQ(TelLocalPart(typed), part) << typed.toStdString();
}

TEST_F(Search, NumbersAreFoundByLocalDigitsAndEndingsWithOrWithoutTheReversedNumberIndex)
{
    // The hidden customer has 000001's number and is never offered. Whatever key is chosen, eight
    // digits also reach telephone 1, 2, the fax and the mobile; four are no telephone number.
    const QList<std::tuple<QString, QString, QStringList>> picked{
        {u"전화번호"_s, u"12345678"_s, {u"000001"_s, u"000006"_s}},
        {u"전화번호"_s, u"0212345678"_s, {u"000001"_s, u"000006"_s}},
        {u"전화번호"_s, u"5432"_s, {u"000002"_s}},
        {u"전화번호"_s, u"-1234"_s, {u"000002"_s}},
        {u"상호"_s, u"98765432"_s, {u"000002"_s}},
        {u"상호"_s, u"12345678"_s, {u"000001"_s}},
        {u"상호"_s, u"5678"_s, {}},
    };
    const auto searchesFindTheirRows = [&] {
        for (const auto& [key, text, expected] : picked)
            EXPECT_EQ(codes(CustomerSearch::pickerSql(pickerQuery(key, text))), expected) << text.toStdString();
        const QString numbers = u"c.telno1,c.hpno"_s;
        EXPECT_EQ(codes(CustomerSearch::listSql(listQuery(numbers, u"5432"_s, kEnds))), QStringList{u"000002"_s});
        EXPECT_TRUE(codes(CustomerSearch::listSql(listQuery(numbers, u"5'4\\"_s, kEnds))).isEmpty());
    };
    ASSERT_TRUE(TelSuffixIndex::present());
    EXPECT_TRUE(CustomerSearch::pickerSql(pickerQuery(u"전화번호"_s, u"5432"_s)).contains(u"hpno_rev LIKE '2345%'"_s));
    searchesFindTheirRows();

    DBExecute(u"ALTER TABLE customer DROP COLUMN fax_rev"_s);
    TelSuffixIndex::forget();
    EXPECT_FALSE(CustomerSearch::pickerSql(pickerQuery(u"전화번호"_s, u"5432"_s)).contains(u"_rev"_s));
    searchesFindTheirRows();
    EXPECT_EQ(prompter.count(test::ScriptedPrompter::Kind::Error), 0);

    EXPECT_TRUE(TelSuffixIndex::ensure());
    searchesFindTheirRows();
}

TEST_F(Search, ReversedNumbersStayOutOfWhatAnOlderProgramSees)
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT * FROM customer WHERE code = '000001'"_s);
    EXPECT_EQ(rs->fieldIndex(u"telno1_rev"_s), -1);
    EXPECT_EQ(rs->fieldIndex(u"serialnumber"_s), rs->fieldCount() - 1);

    // A copy made without naming columns, and it is found by its number at once.
    DBExecute(u"CREATE TEMPORARY TABLE copied AS SELECT * FROM customer WHERE code = '000002'"_s);
    DBExecute(u"UPDATE copied SET code = '000099', hpno = '010-5555-7777'"_s);
    DBExecute(u"INSERT INTO customer SELECT * FROM copied"_s);
    EXPECT_FALSE(DBLastFailed());
    EXPECT_EQ(codes(CustomerSearch::pickerSql(pickerQuery(u"전화번호"_s, u"55557777"_s))), QStringList{u"000099"_s});
}

TEST_F(Search, ListKeysOperatorsSortOrdersLimitAndExtraConditions)
{
    const auto run = [](const QString& fields, const QString& text, const QString& op) {
        return codes(CustomerSearch::listSql(listQuery(fields, text, op)));
    };
    EXPECT_EQ(run(u"c.compname"_s, u"상사"_s, kEnds), QStringList{u"000001"_s});
    EXPECT_EQ(run(u"c.code"_s, u"00000"_s, kEquals), QStringList());
    EXPECT_EQ(run(u"u.name"_s, u"김담"_s, kContains), (QStringList{u"000001"_s, u"000002"_s, u"000006"_s}));
    EXPECT_EQ(run(u"c.addr1"_s, u"중구"_s, kContains), QStringList{u"000001"_s});
    // A quote or a backslash is searched for, never breaks the statement.
    EXPECT_EQ(run(u"c.compname"_s, u"대'한\\"_s, kContains), QStringList());
    EXPECT_FALSE(DBLastFailed());
    EXPECT_EQ(prompter.count(test::ScriptedPrompter::Kind::Error), 0);
    EXPECT_EQ(codes(CustomerSearch::pickerSql(pickerQuery(u"메모/계좌"_s, u"123"_s))), QStringList{u"000002"_s});

    CustomerSearch::Query q;
    q.order = CustomerSearch::ByAlias;
    // An empty short name sorts first; equal short names fall back to the name, then the code.
    EXPECT_EQ(codes(CustomerSearch::listSql(q)), (QStringList{u"000006"_s, u"000002"_s, u"000001"_s}));
    q.limitClause = u" LIMIT 0, 2"_s;
    EXPECT_EQ(codes(CustomerSearch::pickerSql(q)), (QStringList{u"000006"_s, u"000002"_s}));

    CustomerSearch::Query filtered = pickerQuery(u"상호"_s, u"대한"_s);
    filtered.extraCondition = u"c.charge = '01' OR c.charge = ''"_s;
    filtered.order = CustomerSearch::ByCode;
    EXPECT_EQ(codes(CustomerSearch::pickerSql(filtered)), (QStringList{u"000001"_s, u"000006"_s}));
    filtered.extraCondition = u"c.code = '000006' OR c.code = '000003'"_s;
    EXPECT_EQ(codes(CustomerSearch::pickerSql(filtered)), QStringList{u"000006"_s});
}

TEST_F(Search, CommandLineFindAndShow)
{
    EXPECT_EQ(commandOutput(customerFind, u"12345678"_s, 0), u"000001\t대한상사\t대한\t02-1234-5678\n"_s);
    EXPECT_EQ(commandOutput(customerFind, u"없는고객"_s, 1), QString());
    const QStringList lines = commandOutput(customerShow, u"000002"_s, 0).split(u'\n');
    for (const QString& line : {u"상호: 한빛전자"_s, u"전화번호: 031-555-1234"_s, u"담당자: 01 김담당"_s, u"메모: 계좌 123"_s})
        EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    commandOutput(customerShow, u"999999"_s, 1);
}
