#include "DbError.h"
#include "DbFixture.h"
#include "SharedOptions.h"
#include "StoreSql.h"
#include "UserSettings.h"
#include "modBarCode.h"
#include "modDBMS_comn.h"
#include "modMain_SQL.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = ScriptedPrompter::Kind;
using SharedLookups = asv::test::DbFixture;

namespace {

void addCustomer(const QString& code, const QString& name, int taxmode, const QString& basemoney = u"0"_s)
{
    DBExecute(u"INSERT INTO customer (code, compname, compalias, taxmode, basemoney, nowmoney) VALUES ('%1', '%2', "
              u"'%2약칭', %3, %4, %4)"_s.arg(code, name, QString::number(taxmode), basemoney));
}

void addProduct(const QString& code, const QString& name, const QString& norm, int taxmode,
                const QString& bcode = {}, int hidden = 0)
{
    DBExecute(u"INSERT INTO product (code, name, norm, taxmode, bcode, hidden, saleprice) VALUES ('%1', '%2', '%3', "
              u"%4, '%5', %6, 1500.25)"_s.arg(code, name, norm, QString::number(taxmode), bcode,
                                               QString::number(hidden)));
}

} // namespace

TEST_F(SharedLookups, OptionsStoreTheirDefaultOnFirstReadAndLoadIntoMemory)
{
    bool ok = false;
    EXPECT_EQ(GetOption(u"전표수량한도"_s, u"999999"_s, &ok), u"999999"_s);
    EXPECT_TRUE(ok);
    EXPECT_EQ(GetOption(u"전표수량한도"_s, u"5"_s), u"999999"_s);
    EXPECT_EQ(DBRecordCount(u"options"_s, u"optname = '전표수량한도' AND optvalue = '999999'"_s), 1);

    EXPECT_TRUE(SetOption(u"전표수량한도"_s, u"100"_s));
    EXPECT_EQ(GetOption(u"전표수량한도"_s, u"5"_s), u"100"_s);
    EXPECT_TRUE(SetOption(u"새옵션"_s, u"O'Reilly\\"_s));
    EXPECT_EQ(GetOption(u"새옵션"_s, u"x"_s), u"O'Reilly\\"_s);
    // An empty stored value is a value, not a missing row.
    EXPECT_TRUE(SetOption(u"Customize_Tamber"_s, QString()));
    EXPECT_EQ(GetOption(u"Customize_Tamber"_s, u"x"_s), QString());

    const SharedOptions saved = SharedOptions::current();
    ASSERT_TRUE(ReadOptions());
    const SharedOptions& o = SharedOptions::current();
    EXPECT_EQ(o.qtyDecimals, 0);
    EXPECT_EQ(o.stockAlert, 3);
    EXPECT_FALSE(o.basePriceChange[1]);
    EXPECT_FALSE(o.showTrailingZeros);
    // Every key now exists with its default.
    EXPECT_EQ(DBRecordCount(u"options"_s, u"optname IN ('수량소수점수','단가소수점수','금액소수점수','부가세소수처리',"
                                          u"'기초단가변경_0','기초단가변경_1','적정재고부족알림','재고부족시처리')"_s),
              8);

    for (const auto& [name, value] : {std::pair{u"수량소수점수"_s, u"2"_s}, {u"단가소수점수"_s, u"3"_s},
                                      {u"금액소수점수"_s, u"1"_s}, {u"부가세소수처리"_s, u"2"_s}, {u"기초단가변경_1"_s, u"1"_s},
                                      {u"적정재고부족알림"_s, u"2"_s}, {u"재고부족시처리"_s, u"1"_s}})
        SetOption(name, value);
    UserSettings::set(u"Config"_s, u"한줄소계표시"_s, u"1"_s);
    UserSettings::set(u"Config"_s, u"소수이하0표시"_s, u"1"_s);
    ASSERT_TRUE(ReadOptions());
    EXPECT_EQ(o.qtyDecimals, 2);
    EXPECT_EQ(o.priceDecimals, 3);
    EXPECT_EQ(o.amountDecimals, 1);
    EXPECT_EQ(o.vatRounding, 2);
    EXPECT_FALSE(o.basePriceChange[0]);
    EXPECT_TRUE(o.basePriceChange[1]);
    EXPECT_EQ(o.stockAlert, 2);
    EXPECT_TRUE(o.stockShortage);
    EXPECT_TRUE(o.oneLineSubtotal);
    EXPECT_TRUE(o.showTrailingZeros);
    EXPECT_TRUE(prompter.messages().isEmpty());
    SharedOptions::current() = saved;
}

TEST(Options, FailuresSayTheProgramFailedAndFallBack)
{
    ScriptedPrompter prompter;
    {
        TestDatabase db;
        // Refused before anything is written.
        EXPECT_FALSE(SetOption(u"메모"_s, u"a\u20A9b"_s));
        EXPECT_EQ(DBRecordCount(u"options"_s, u"optname = '메모'"_s), 0);
        EXPECT_EQ(prompter.count(Kind::Warn), 1);
        EXPECT_FALSE(prompter.saw(u"프로그램 수행도중 오류가 발생했습니다."_s));

        DBExecute(u"DROP TABLE options"_s);
        prompter.clear();
        bool ok = true;
        EXPECT_EQ(GetOption(u"수량소수점수"_s, u"0"_s, &ok), u"0"_s);
        EXPECT_FALSE(ok);
        EXPECT_FALSE(SetOption(u"수량소수점수"_s, u"2"_s));
        EXPECT_EQ(prompter.texts(Kind::Warn),
                  (QStringList{u"프로그램 수행도중 오류가 발생했습니다."_s, u"프로그램 수행도중 오류가 발생했습니다."_s}));
        EXPECT_FALSE(ReadOptions());
    }
    prompter.clear();
    bool ok = true;
    EXPECT_EQ(GetOption(u"수량소수점수"_s, u"1"_s, &ok), u"1"_s); // no connection at all
    EXPECT_FALSE(ok);
    EXPECT_TRUE(prompter.saw(u"프로그램 수행도중 오류가 발생했습니다."_s));
    // A store made without a connection says so instead of running on nothing.
    EXPECT_THROW(StoreSql(nullptr, u"test"_s), DbError);
}

TEST_F(SharedLookups, NamesAndCodes)
{
    addCustomer(u"000001"_s, u"대한상사"_s, 1);
    addCustomer(u"000002"_s, u"별도"_s, 2);
    addProduct(u"000010"_s, u"냉장고"_s, u"500L"_s, 1);
    addProduct(u"000011"_s, u"세제"_s, QString(), 0);

    EXPECT_EQ(GetName_User(u"00"_s), u"관리자"_s);
    EXPECT_EQ(GetName_User(u"99"_s), QString());
    EXPECT_EQ(GetName_Cust(u"000001"_s), u"대한상사"_s);
    EXPECT_EQ(GetName_Cust(u"000001"_s, true), u"대한상사약칭"_s);
    EXPECT_EQ(GetName_Cust(u"x' OR '1'='1"_s), QString());
    EXPECT_EQ(GetName_Prod(u"000010"_s), u"냉장고"_s);
    EXPECT_EQ(GetName_Prod(u"000010"_s, true), u"냉장고(500L)"_s);
    EXPECT_EQ(GetName_Prod(u"000011"_s, true), u"세제"_s);
    EXPECT_EQ(GetPCodeByName(u"냉장고"_s, u"500L"_s), u"000010"_s);
    EXPECT_EQ(GetPCodeByName(u"냉장고"_s, u"300L"_s), u"000000"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(SharedLookups, SearchConditionsFindTextWithQuotesBackslashesAndLineBreaks)
{
    const QString stored = u"O'Neil\\상 사"_s; // one backslash
    DBExecute(u"INSERT INTO customer (code, compname, telno2) VALUES ('000001', '"_s + SQLQuote(stored)
              + u"', '02-1234-5678')"_s);
    // The operator is the start of the search box's caption.
    const std::pair<QString, QString> searches[] = {{u"*s*: 검색어를 포함"_s, u"'Neil\\상"_s},
                                                    {u"s* : 검색어로 시작"_s, u"O'Neil\\"_s},
                                                    {u"*s : 검색어로 끝남"_s, u"\\상 사"_s},
                                                    {u"=  : 검색어와 일치"_s, stored},
                                                    {u"=  : 검색어와 일치"_s, u"O'Neil\\상\r\n 사"_s}};
    for (const auto& [op, text] : searches)
        EXPECT_EQ(DBRecordCount(u"customer"_s, MakeFindWhere(u"compname"_s, text, op)), 1) << op.toStdString();
    // Several fields are alternatives; spaces may be ignored in each.
    EXPECT_EQ(DBRecordCount(u"customer AS c"_s, MakeFindWhere(u"c.telno1, c.telno2"_s, u"5678"_s, u"*s"_s)), 1);
    EXPECT_EQ(DBRecordCount(u"customer"_s, MakeFindWhere(u"compalias,compname"_s, u"l\\상사"_s, u"*s*"_s, true)), 1);
    EXPECT_TRUE(prompter.messages().isEmpty());

    EXPECT_EQ(MakeFindWhere(u"name"_s, u"x"_s, u"~~ : 비슷"_s), QString());
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList{u"fixme"_s});
}

TEST_F(SharedLookups, BalancesAddUpTheDocumentsAndTheRunningOneMovesByDifferences)
{
    addCustomer(u"000001"_s, u"대한상사"_s, 1, u"1000.5"_s);
    addCustomer(u"000002"_s, u"남의거래처"_s, 1, u"7"_s);
    DBExecute(u"INSERT INTO sale (ccode, dealdate, total) VALUES ('000001', '2024-01-10', 5000), "
              u"('000001', '2024-02-01', 2500.25), ('000001', '2024-03-01', 900), ('000002', '2024-01-10', 777)"_s);
    DBExecute(u"INSERT INTO receive (ccode, dealdate, amount, dc) VALUES ('000001', '2024-01-31', 3000, 200), "
              u"('000001', '2024-03-05', 100, 0), ('000002', '2024-01-31', 1, 1)"_s);

    EXPECT_DOUBLE_EQ(GetBalance(u"000001"_s, true, u"2024-02-29"_s), 1000.5 + 5000 + 2500.25 - 3200);
    EXPECT_DOUBLE_EQ(GetBalance(u"000001"_s, true, u"2024-02-29"_s, u"2024-01-15"_s), 2500.25 - 3200);
    EXPECT_DOUBLE_EQ(GetBalance(u"000001"_s, true, u"2024-12-31"_s), 1000.5 + 8400.25 - 3300);
    // The end date counts whole.
    EXPECT_DOUBLE_EQ(GetBalance(u"000001"_s, true, u"2024-01-10"_s, u"2024-01-10"_s), 5000);
    EXPECT_DOUBLE_EQ(GetBalance(u"000003"_s, true, u"2024-12-31"_s), 0);

}

TEST_F(SharedLookups, UsedRecordsAreNamedAndKept)
{
    DBExecute(u"INSERT INTO sale (ccode, dealdate, total) VALUES ('000001', '2024-01-10', 5000)"_s);
    DBExecute(u"INSERT INTO receive (ccode, dealdate, amount) VALUES ('000001', '2024-01-10', 0)"_s);

    EXPECT_TRUE(IsUsedData(DBMainConnection(), u"sale"_s, u"ccode"_s, u"000001"_s, true, QString(), u"매출전표"_s));
    EXPECT_EQ(prompter.texts(Kind::Info),
              QStringList{u"해당 데이터가 「매출전표」에서 사용중이기 때문에 삭제할 수 없습니다."_s});
    prompter.clear();
    EXPECT_TRUE(IsUsedData(DBMainConnection(), u"sale"_s, u"ccode"_s, u"000001"_s, true, QString(), u"매출전표"_s, false));
    EXPECT_FALSE(IsUsedData(DBMainConnection(), u"sale"_s, u"ccode"_s, u"000002"_s, true, QString(), u"매출전표"_s));
    EXPECT_FALSE(IsUsedData(DBMainConnection(), u"sale"_s, u"ccode"_s, u"000001"_s, true, u"dealdate > '2024-06-01'"_s, u"매출전표"_s));
    EXPECT_TRUE(IsUsedData(DBMainConnection(), u"sale"_s, u"total"_s, u"5000"_s, false, QString(), u"매출전표"_s, false));
    EXPECT_TRUE(prompter.messages().isEmpty());

    // A value that is not a number is not pasted into the statement; a failed look-up keeps the record.
    EXPECT_TRUE(IsUsedData(DBMainConnection(), u"sale"_s, u"total"_s, u"1 OR 1=1"_s, false, QString(), u"매출전표"_s));
    EXPECT_EQ(prompter.count(Kind::Error), 1);
    EXPECT_TRUE(prompter.texts(Kind::Error).value(0).contains(u"in procedure IsUsedData of Module modMain"_s));
    EXPECT_TRUE(IsUsedData(DBMainConnection(), u"nosuchtable"_s, u"ccode"_s, u"1"_s, true, QString(), u"없음"_s));
    EXPECT_FALSE(prompter.saw(u"「없음」"_s));
}

TEST_F(SharedLookups, BarcodeNoneOneOrAChoiceByNumber)
{
    addProduct(u"000012"_s, u"우유"_s, u"1L"_s, 1, u"880111"_s);
    addProduct(u"000011"_s, u"우유"_s, QString(), 1, u"880111"_s);
    addProduct(u"000013"_s, u"숨긴우유"_s, QString(), 1, u"880111"_s, 1);
    addProduct(u"000020"_s, u"빵"_s, QString(), 1, u"880222"_s);
    addProduct(u"000021"_s, u"과자"_s, QString(), 1, u"880333"_s, 1);

    // The scanner's prefix is dropped, once.
    const std::pair<QString, QString> scanned[] = {{u"&8801234567890"_s, u"8801234567890"_s}, {u"+123"_s, u"123"_s},
                                                   {u"123&"_s, u"123&"_s}, {u"&&1"_s, u"&1"_s}, {u"&"_s, QString()}};
    for (const auto& [raw, code] : scanned)
        EXPECT_EQ(ConvBarCode(raw), code);

    EXPECT_EQ(GetProdByBarCode(QString()), QString());
    EXPECT_EQ(GetProdByBarCode(u"&"_s), QString());
    EXPECT_EQ(GetProdByBarCode(u"999"_s), QString());
    EXPECT_EQ(GetProdByBarCode(u"880333"_s), QString());
    EXPECT_EQ(GetProdByBarCode(u"880222"_s), u"000020"_s);
    EXPECT_EQ(GetProdByBarCode(u";880222"_s), u"000020"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());

    prompter.answerInput(u" 2 "_s);
    EXPECT_EQ(GetProdByBarCode(u"+880111"_s), u"000012"_s);
    ASSERT_EQ(prompter.count(Kind::Input), 1);
    EXPECT_EQ(prompter.texts(Kind::Input).value(0),
              u"동일한 바코드번호(880111)가 발견되었습니다.\r\n선택할 상품 번호를 입력하세요.\r\n\r\n"
              u"1. (000011) 우유\r\n2. (000012) 우유(1L)"_s);

    for (const QString& answer : {u"0"_s, QString(u""_s), u"둘"_s}) {
        prompter.answerInput(answer);
        EXPECT_EQ(GetProdByBarCode(u"880111"_s), QString()) << answer.toStdString();
    }
    EXPECT_EQ(GetProdByBarCode(u"880111"_s), QString()); // cancelled
    EXPECT_EQ(prompter.count(Kind::Error), 0);

    prompter.answerInput(u"3"_s);
    EXPECT_EQ(GetProdByBarCode(u"880111"_s), QString());
    EXPECT_EQ(prompter.count(Kind::Error), 1);
    EXPECT_TRUE(prompter.texts(Kind::Error).value(0).contains(u"in procedure GetProdByBarCode of Module modMain"_s));
}
