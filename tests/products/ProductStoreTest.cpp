#include "AsJobStore.h"
#include "Clock.h"
#include "ConsultStore.h"
#include "DbError.h"
#include "HistoryStore.h"
#include "PClassStore.h"
#include "ProductPrices.h"
#include "ProductSearch.h"
#include "ProductRules.h"
#include "ProductStore.h"
#include "SaleStore.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "cMySQL.h"
#include "modMain_SQL.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = ScriptedPrompter::Kind;

namespace {

struct ProductStoreFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;

    static ProductRecord product(const QString& code, const QString& name, const QString& norm = {})
    {
        ProductRecord p;
        p.code = code;
        p.name = name;
        p.norm = norm;
        p.unit = u"EA"_s;
        return p;
    }
    static int add(const QString& code, const QString& name, const QString& norm = {})
    {
        return ProductStore().insert(product(code, name, norm));
    }
    static void addSaleLine(const QString& pcode, const QString& pname, const QString& pnorm)
    {
        DBExecute(u"INSERT INTO sale (pcode, pname, pnorm) VALUES ('%1', '%2', '%3')"_s.arg(pcode, SQLQuote(pname),
                                                                                            SQLQuote(pnorm)));
    }
    static QStringList saleLines()
    {
        RecordSetPtr rs;
        const int n = DBOpenRS(rs, u"SELECT pcode, pname, pnorm FROM sale ORDER BY code"_s);
        QStringList lines;
        for (int row = 0; row < n; ++row)
            lines << rs->value(row, 0) + u'|' + rs->value(row, 1) + u'|' + rs->value(row, 2);
        return lines;
    }
};

} // namespace

TEST_F(ProductStoreFixture, CodesCountOnFromTheLargestNumberAndStopAtTheMaximum)
{
    // Only the free-text product so far.
    EXPECT_EQ(ProductStore().nextCode(), u"000001"_s);
    EXPECT_EQ(ProductStore().nextCode(u"A"_s), u"A00001"_s);
    ASSERT_EQ(add(u"000041"_s, u"가"_s), 1);
    ASSERT_EQ(add(u"A00007"_s, u"나"_s), 1);
    EXPECT_EQ(ProductStore().nextCode(), u"000042"_s);
    EXPECT_EQ(ProductStore().nextCode(u"A"_s), u"A00008"_s);
    EXPECT_EQ(ProductStore().nextCode(u"B12345"_s), u"B12345"_s);
    // A code another desk stored after it was computed here is passed over.
    ProductRecord late = product(ProductStore().nextCode(u"A"_s), u"라"_s);
    ASSERT_EQ(add(u"A00008"_s, u"다른 PC"_s), 1);
    EXPECT_EQ(ProductStore().insertUnderNextCode(late, u"A"_s), 1);
    EXPECT_EQ(late.code, u"A00009"_s);
    EXPECT_EQ(DBGetValue(u"SELECT name FROM product WHERE code = 'A00009'"_s), u"라"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
    // Generated barcodes are numeric and as long as the option, read as the editor reads it.
    const auto barcode = [] {
        return ProductStore().nextBarcode(GeneratedBarcodeLength(GetOption(u"바코드자동생성길이"_s, u"6"_s)));
    };
    EXPECT_EQ(barcode(), u"000001"_s);
    DBExecute(u"UPDATE product SET bcode = IF(code = '000041', '000120', 'A99999') WHERE code <> '000000'"_s);
    EXPECT_EQ(barcode(), u"000121"_s);
    const auto lengthOption = [&barcode](const QString& length) {
        DBExecute(u"UPDATE options SET optvalue = '%1' WHERE optname = '바코드자동생성길이'"_s.arg(length));
        return barcode();
    };
    // Never shorter than six digits.
    EXPECT_EQ(lengthOption(u"4"_s), u"000121"_s);
    EXPECT_EQ(lengthOption(QString()), u"000121"_s);
    EXPECT_EQ(lengthOption(u" 8"_s), u"00000001"_s);

    ASSERT_EQ(add(u"999999"_s, u"다"_s), 1);
    EXPECT_EQ(ProductStore().nextCode(), QString());
    EXPECT_EQ(prompter.texts(), QStringList{u"해당 순번이 최대값을 넘어 자동으로 값을 구할 수가 없습니다."_s});
    // Nor is one left to pass over to.
    prompter.clear();
    ProductRecord last = product(u"999999"_s, u"마"_s);
    EXPECT_EQ(ProductStore().insertUnderNextCode(last, {}), 0);
    EXPECT_EQ(prompter.texts(Kind::Error).size(), 1);
}

// A tax-free product is tax-free for every customer; otherwise the customer's mode decides, also for a
// line without a registered product.
TEST_F(ProductStoreFixture, PricesAndTheVatModeOfACustomersLine)
{
    DBExecute(u"INSERT INTO customer (code, compname, taxmode) VALUES ('000001', '대한상사', 1), ('000002', '별도', 2)"_s);
    ASSERT_EQ(add(u"000010"_s, u"냉장고"_s, u"500L"_s), 1);
    ASSERT_EQ(add(u"000011"_s, u"세제"_s), 1);
    DBExecute(u"UPDATE product SET taxmode = 1, saleprice = 1500.25 WHERE code = '000010'"_s);
    DBExecute(u"UPDATE product SET taxmode = 0 WHERE code = '000011'"_s);
    const ProductPrices prices;
    EXPECT_DOUBLE_EQ(prices.salePrice(u"000010"_s), 1500.25);
    ASSERT_TRUE(prices.setSalePrice(u"000010"_s, 1234.5678));
    EXPECT_DOUBLE_EQ(prices.salePrice(u"000010"_s), 1234.5678);
    EXPECT_EQ(prices.vatMode(u"000002"_s, u"000011"_s), 0);
    EXPECT_EQ(prices.vatMode(u"000001"_s, u"000010"_s), 1);
    EXPECT_EQ(prices.vatMode(u"000002"_s, u"000010"_s), 2);
    EXPECT_EQ(prices.vatMode(u"000002"_s, u"000000"_s), 2);
    EXPECT_EQ(prices.vatMode(u"000002"_s, u"777777"_s), 2);
    EXPECT_EQ(prices.vatMode(u"999999"_s, u"000010"_s), 0);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(ProductStoreFixture, RenameCarriesToSaleLinesButKeepsNormsTypedByHand)
{
    ASSERT_EQ(add(u"000001"_s, u"볼트"_s, u"M3"_s), 1);
    ASSERT_EQ(add(u"000002"_s, u"볼트"_s, u"M3"_s), 1);
    addSaleLine(u"000001"_s, u"볼트"_s, u"M3"_s);
    addSaleLine(u"000001"_s, u"볼트"_s, u"M3 손질"_s);
    addSaleLine(u"000001"_s, u"볼트 특가"_s, u"M3"_s);
    addSaleLine(u"000002"_s, u"볼트"_s, u"M3"_s);

    // The norm changes: only lines still carrying the loaded name and norm.
    ProductRecord p = *ProductStore().load(u"000001"_s);
    p.name = u"렌치볼트"_s;
    p.norm = u"M4"_s;
    ASSERT_EQ(ProductStore().update(p, u"볼트"_s, u"M3"_s), 1);
    EXPECT_EQ(saleLines(), QStringList({u"000001|렌치볼트|M4"_s, u"000001|볼트|M3 손질"_s, u"000001|볼트 특가|M3"_s,
                                        u"000002|볼트|M3"_s}));

    // The name alone: every line of the product, each keeping its norm.
    p.name = u"육각볼트"_s;
    ASSERT_EQ(ProductStore().update(p, u"렌치볼트"_s, u"M4"_s), 1);
    EXPECT_EQ(saleLines(), QStringList({u"000001|육각볼트|M4"_s, u"000001|육각볼트|M3 손질"_s,
                                        u"000001|육각볼트|M3"_s, u"000002|볼트|M3"_s}));

    // A failed product update renames nothing.
    p.code = u"000009"_s;
    EXPECT_EQ(ProductStore().update(p, u"볼트"_s, u"M3"_s), 0);
    EXPECT_EQ(saleLines().last(), u"000002|볼트|M3"_s);
}

// A product still named by a document keeps its row: an AS job or result line whose product is
// gone would drop out of the lists while its charge stays in the balance.
TEST_F(ProductStoreFixture, DeleteIsRefusedWhileADocumentRefersToTheProduct)
{
    for (const QString& code : {u"000001"_s, u"000002"_s, u"000003"_s, u"000004"_s, u"000005"_s, u"000006"_s})
        ASSERT_EQ(add(code, u"상품"_s + code), 1);
    addSaleLine(u"000001"_s, {}, {});
    addSaleLine(u"000003"_s, {}, {});
    DBExecute(u"INSERT INTO rsvconsult (pcode) VALUES ('000002'), ('000003')"_s);
    DBExecute(u"INSERT INTO aslist_m (pcode) VALUES ('000004')"_s);
    DBExecute(u"INSERT INTO aslist_d (code, seq, pcode) VALUES (1, 1, '000005')"_s);
    ASSERT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    const QString used = u"해당 데이터가 「%1」에서 사용중이기 때문에 삭제할 수 없습니다."_s;
    for (const QString& code : {u"000001"_s, u"000002"_s, u"000003"_s, u"000004"_s, u"000005"_s})
        EXPECT_FALSE(ProductStore().remove(code));
    // Sale lines are asked first; one message per refusal.
    EXPECT_EQ(prompter.texts(), QStringList({used.arg(u"매출전표"_s), used.arg(u"상담내역"_s), used.arg(u"매출전표"_s),
                                             used.arg(u"AS 내역"_s), used.arg(u"AS 내역"_s)}));

    prompter.clear();
    EXPECT_TRUE(ProductStore().remove(u"000006"_s));
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(ProductStore().codeExists(u"000006"_s));

    const QString notDeleted =
        u"자료를 삭제 할 수 없습니다.\r\n\r\n이미 삭제되었거나, 삭제할 수 없는 경우가 발생했습니다."_s;
    EXPECT_FALSE(ProductStore().remove(u"000006"_s));
    EXPECT_FALSE(ProductStore().remove(u"000000"_s));
    EXPECT_EQ(prompter.texts(Kind::Warn), QStringList({notDeleted, notDeleted}));
    EXPECT_TRUE(ProductStore().codeExists(u"000000"_s));
}

// A desk storing a line holds the product's row first. A delete asked meanwhile waits for the line
// and then finds it; a line stored while the delete is under way waits for it and is refused, with
// the operator told, instead of naming a product that is gone.
TEST_F(ProductStoreFixture, ALineAndTheDeleteOfItsProductAtOneMomentNeverLeaveTheLineWithoutIt)
{
    DBExecute(u"INSERT INTO customer (code, compname, nowmoney) VALUES ('000001', '고객', 0)"_s);
    ASSERT_EQ(add(u"000009"_s, u"남는 상품"_s), 1);
    const std::unique_ptr<cMySQL> writing = DBConnection(0)->connectAnother();
    const std::unique_ptr<cMySQL> deleting = DBConnection(0)->connectAnother();

    ASSERT_EQ(add(u"000010"_s, u"파는 중"_s), 1);
    writing->query(u"START TRANSACTION"_s, false);
    writing->query(u"SELECT code FROM product WHERE code = '000010' LOCK IN SHARE MODE"_s, false);
    writing->query(u"INSERT INTO sale (ccode, pcode, dealdate, total) VALUES ('000001', '000010', '2026-12-07', 1100)"_s, false);
    bool removed = true;
    std::thread remove([&] { removed = ProductStore(deleting.get()).remove(u"000010"_s); });
    QThread::msleep(300);
    writing->query(u"COMMIT"_s, false);
    remove.join();
    EXPECT_FALSE(removed);
    EXPECT_TRUE(ProductStore().codeExists(u"000010"_s));
    EXPECT_TRUE(prompter.texts().value(0).contains(u"매출전표"_s)) << prompter.texts().join(u'\n').toStdString();

    SaleLine kept;
    kept.ccode = u"000001"_s;
    kept.pcode = u"000009"_s;
    kept.dealdate = u"2026-12-07"_s;
    ASSERT_GT(SaleStore().insert(kept), 0);
    const int job = AsJobStore().insert([] {
        AsJobRecord j;
        j.ccode = u"000001"_s;
        j.dealdate = u"2026-12-07"_s;
        return j;
    }());
    ASSERT_GT(job, 0);
    AsLineRecord keptLine;
    keptLine.code = job;
    keptLine.pcode = u"000009"_s;
    keptLine.seq = AsJobStore().saveLine(keptLine);
    ASSERT_GT(keptLine.seq, 0);
    DBExecute(u"INSERT INTO rsvconsult (ccode, pcode, condate, state) VALUES ('000001', '000009', '2026-12-07', '1')"_s);
    const auto call = static_cast<quint32>(DBGetValue(u"SELECT MAX(code) FROM rsvconsult"_s).toUInt());
    const std::vector<std::pair<const char*, std::function<int(const QString&)>>> lines{
        {"sale line",
         [&](const QString& pcode) {
             SaleLine line;
             line.ccode = u"000001"_s;
             line.pcode = pcode;
             line.dealdate = u"2026-12-07"_s;
             line.total = 1100;
             return SaleStore(writing.get()).insert(line);
         }},
        {"sale line given the product",
         [&](const QString& pcode) {
             SaleChange change;
             change.setText(u"pcode"_s, pcode);
             return int(SaleStore(writing.get()).update(kept.code, kept.ccode, change));
         }},
        {"AS job",
         [&](const QString& pcode) {
             AsJobRecord j;
             j.ccode = u"000001"_s;
             j.pcode = pcode;
             j.dealdate = u"2026-12-07"_s;
             return AsJobStore(writing.get()).insert(j);
         }},
        {"AS job given the product",
         [&](const QString& pcode) {
             AsJobRecord j = *AsJobStore().load(job);
             j.pcode = pcode;
             return int(AsJobStore(writing.get()).update(j));
         }},
        {"AS line",
         [&](const QString& pcode) {
             AsLineRecord line;
             line.code = job;
             line.pcode = pcode;
             line.amount = 3000;
             return AsJobStore(writing.get()).saveLine(line);
         }},
        {"AS line given the product",
         [&](const QString& pcode) {
             AsLineRecord line = keptLine;
             line.pcode = pcode;
             return AsJobStore(writing.get()).saveLine(line);
         }},
        {"consultation given the product",
         [&](const QString& pcode) {
             ConsultStore::Consultation consultation = *ConsultStore().load(call);
             consultation.pcode = pcode;
             return int(ConsultStore(writing.get()).save(call, consultation));
         }},
        {"consultation corrected to the product",
         [&](const QString& pcode) {
             HistoryStore::Correction correction;
             correction.code = static_cast<int>(call);
             correction.pcode = pcode;
             return HistoryStore(writing.get()).correctConsultation(correction);
         }},
    };
    int n = 10;
    for (const auto& [kind, store] : lines) {
        SCOPED_TRACE(kind);
        prompter.clear();
        const QString code = u"0000%1"_s.arg(++n);
        ASSERT_EQ(add(code, u"지우는 중"_s), 1);
        deleting->query(u"START TRANSACTION"_s, false);
        deleting->query(u"SELECT code FROM product WHERE code = '"_s + code + u"' FOR UPDATE"_s, false);
        int stored = -1;
        std::thread write([&] { stored = store(code); });
        QThread::msleep(300);
        deleting->query(u"DELETE FROM product WHERE code = '"_s + code + u"'"_s, false);
        deleting->query(u"COMMIT"_s, false);
        write.join();
        EXPECT_EQ(stored, 0);
        for (const char* table : {"sale", "aslist_m", "aslist_d", "rsvconsult"})
            EXPECT_EQ(DBRecordCount(QString::fromLatin1(table), u"pcode = '"_s + code + u"'"_s), 0) << table;
        EXPECT_EQ(prompter.texts(Kind::Warn),
                  QStringList{u"선택한 품목이 다른 곳에서 삭제되어 저장하지 않았습니다.\r\n품목을 다시 선택하세요."_s});
    }
    EXPECT_EQ(DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '000001'"_s).toDouble(), 0.0); // nothing refused moved it

    // A consultation that keeps a product deleted long ago is still written.
    DBExecute(u"UPDATE rsvconsult SET pcode = '000099' WHERE code = %1"_s.arg(call));
    ConsultStore::Consultation still = *ConsultStore().load(call);
    still.refernote = u"다시 전화 요청"_s;
    EXPECT_TRUE(ConsultStore().save(call, still));
    EXPECT_EQ(ConsultStore().load(call)->refernote, u"다시 전화 요청"_s);
}

TEST_F(ProductStoreFixture, SearchesFilterByClassTextAndHiddenStateAndNeverOfferTheFreeTextProduct)
{
    EXPECT_FALSE(ProductStore().load(u"000000"_s));
    EXPECT_EQ(ProductStore().update(product(u"000000"_s, u"덮어쓰기"_s), {}, {}), 0);
    EXPECT_EQ(DBGetValue(u"SELECT name FROM product WHERE code = '000000'"_s), QString());
    const auto addIn = [](const QString& code, const QString& name, const QString& classname, bool hidden) {
        ProductRecord p = product(code, name);
        p.classname = classname;
        p.hidden = hidden;
        ASSERT_EQ(ProductStore().insert(p), 1);
    };
    addIn(u"000001"_s, u"O'Neil 볼트"_s, u"공구"_s, false);
    addIn(u"000002"_s, u"너트"_s, u"공구"_s, false);
    addIn(u"000003"_s, u"볼트 세트"_s, u"공구"_s, true);
    addIn(u"000004"_s, u"볼트"_s, u"잡화"_s, false);
    const auto codes = [](const QString& sql) {
        RecordSetPtr rs;
        const int n = DBOpenRS(rs, sql);
        QStringList found;
        for (int row = 0; row < n; ++row)
            found << rs->value(row, u"code"_s);
        return found;
    };

    ProductSearch::Query query;
    query.className = u"공구"_s;
    query.fields = u"p.name"_s;
    query.text = u"볼트"_s;
    query.opText = u"*s*"_s;
    EXPECT_EQ(codes(ProductSearch::listSql(query)), QStringList{u"000001"_s});
    EXPECT_EQ(codes(ProductSearch::pickerSql(query)), QStringList{u"000001"_s});
    query.showHidden = true;
    EXPECT_EQ(codes(ProductSearch::listSql(query)), QStringList({u"000001"_s, u"000003"_s}));
    query.className.clear();
    query.text = u"O'N"_s;
    query.opText = u"s* : 검색어로 시작"_s;
    EXPECT_EQ(codes(ProductSearch::listSql(query)), QStringList{u"000001"_s});
    // In name order; the picker never offers hidden products.
    ProductSearch::Query all;
    all.showHidden = true;
    EXPECT_EQ(codes(ProductSearch::listSql(all)), QStringList({u"000001"_s, u"000002"_s, u"000004"_s, u"000003"_s}));
    EXPECT_EQ(codes(ProductSearch::pickerSql({})), QStringList({u"000001"_s, u"000002"_s, u"000004"_s}));
    ProductSearch::Query designated;
    designated.extraCondition = u"p.code <> '000002'"_s;
    EXPECT_EQ(codes(ProductSearch::pickerSql(designated)), QStringList({u"000001"_s, u"000004"_s}));
    EXPECT_EQ(ProductSearch::pickerClasses(), QStringList({u"공구"_s, u"잡화"_s}));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(ProductStoreFixture, QuotesBackslashesAndRareHangulRoundTrip)
{
    ProductRecord p = product(u"000001"_s, u"O'Neil \\ 똠양꿍"_s, u"5\" \\'규격'"_s);
    p.bcode = u"88'\\똠"_s;
    p.bigo = u"메모 '\\n' 뷁 \\"_s;
    p.unit = u"똠뷁햏똠뷁"_s;
    p.classname = u"분'류\\"_s;
    p.saleprice = 1234.5;
    p.taxmode = 0;
    p.hidden = true;
    ASSERT_EQ(ProductStore().insert(p), 1);
    p.regdate = Clock::today().toString(u"yyyy-MM-dd"_s);
    const ProductRecord loaded = *ProductStore().load(p.code);
    const auto& fields = ProductRecord::fields();
    for (const auto& f : fields.fields())
        EXPECT_EQ(fields.text(f, loaded), fields.text(f, p)) << f.column.toStdString();

    // Duplicate checks leave the product itself out; the free-text product has no barcode to share.
    EXPECT_TRUE(ProductStore().nameNormTaken(p.name, p.norm, {}));
    EXPECT_FALSE(ProductStore().nameNormTaken(p.name, p.norm, p.code));
    EXPECT_FALSE(ProductStore().nameNormTaken(p.name, {}, {}));
    EXPECT_TRUE(ProductStore().barcodeTaken(p.bcode, u"000002"_s));
    EXPECT_FALSE(ProductStore().barcodeTaken(p.bcode, p.code));
    EXPECT_FALSE(ProductStore().barcodeTaken({}, {}));
    EXPECT_EQ(ProductStore().normsOf(p.name), QStringList{p.norm});
    EXPECT_TRUE(ProductStore().units().contains(p.unit));

    // The sale lines are found by the quoted old name and norm.
    addSaleLine(p.code, p.name, p.norm);
    const QString oldName = p.name, oldNorm = p.norm;
    p.name = u"새 '이름' \\똠"_s;
    p.norm = u"\\\\"_s;
    ASSERT_EQ(ProductStore().update(p, oldName, oldNorm), 1);
    EXPECT_EQ(saleLines(), QStringList{u"000001|새 '이름' \\똠|\\\\"_s});
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(ProductStoreFixture, TextOutsideTheCodePageIsRefusedWithNothingWrittenAndFailedStatementsAreNeverDone)
{
    EXPECT_EQ(ProductStore().insert(product(u"000001"_s, u"이모지 😀"_s)), 0);
    EXPECT_FALSE(ProductStore().codeExists(u"000001"_s));
    EXPECT_EQ(prompter.count(Kind::Warn), 1);

    ASSERT_EQ(add(u"000001"_s, u"볼트"_s), 1);
    addSaleLine(u"000001"_s, u"볼트"_s, {});
    // A refused update renames no sale line either.
    ProductRecord p = *ProductStore().load(u"000001"_s);
    p.name = u"너트"_s;
    p.unit = u"개"_s;
    p.bigo = u"₩1000"_s;
    EXPECT_EQ(ProductStore().update(p, u"볼트"_s, {}), 0);
    p.bigo.clear();
    p.name = u"너트 😀"_s;
    EXPECT_EQ(ProductStore().update(p, u"볼트"_s, {}), 0);
    EXPECT_EQ(prompter.count(Kind::Warn), 3);
    EXPECT_EQ(ProductStore().load(u"000001"_s)->unit, u"EA"_s);
    EXPECT_EQ(ProductStore().load(u"000001"_s)->name, u"볼트"_s);
    EXPECT_EQ(saleLines(), QStringList{u"000001|볼트|"_s});

    // Failed reads throw; a failed write is not reported as done.
    DBExecute(u"DROP TABLE product"_s);
    EXPECT_THROW(ProductStore().load(u"000001"_s), DbError);
    EXPECT_THROW(ProductStore().nameNormTaken(u"가"_s, {}, {}), DbError);
    EXPECT_THROW(ProductStore().nextCode(), DbError);
    EXPECT_EQ(ProductStore().insert(product(u"000002"_s, u"가"_s)), 0);
}

TEST_F(ProductStoreFixture, ClassCodesCountOnAndARenameMovesOnlyItsOwnProducts)
{
    const QString odd = u"가전 '똠' \\"_s;
    EXPECT_EQ(PClassStore().insert(u"공구"_s), u"0001"_s);
    DBExecute(u"INSERT INTO pclass (code, name) VALUES ('0041', '잡화')"_s);
    EXPECT_EQ(PClassStore().insert(odd), u"0042"_s);
    EXPECT_EQ(PClassStore().list(),
              (QList<PClassRecord>{{u"0042"_s, odd}, {u"0001"_s, u"공구"_s}, {u"0041"_s, u"잡화"_s}}));
    DBExecute(u"INSERT INTO product (code, name, classname) VALUES ('000001', '가', '공구'), ('000002', '나', '%1')"_s
                  .arg(SQLQuote(odd)));
    const auto classes = [] { return DBGetValue(u"SELECT GROUP_CONCAT(classname ORDER BY code) FROM product"_s); };

    EXPECT_TRUE(PClassStore().rename(u"0042"_s, odd, u"생활 '가전'"_s));
    EXPECT_EQ(classes(), u",공구,생활 '가전'"_s);
    // A class that is gone, or a name the code page cannot hold, moves nothing.
    EXPECT_FALSE(PClassStore().rename(u"0099"_s, u"공구"_s, u"수공구"_s));
    EXPECT_FALSE(PClassStore().rename(u"0001"_s, u"공구"_s, u"공구 😀"_s));
    EXPECT_EQ(classes(), u",공구,생활 '가전'"_s);
    EXPECT_EQ(PClassStore().names(), QStringList({u"공구"_s, u"생활 '가전'"_s, u"잡화"_s}));

    EXPECT_TRUE(PClassStore().remove({u"0041"_s, u"잡화"_s}));
    EXPECT_FALSE(PClassStore().remove({u"0041"_s, u"잡화"_s}));
    EXPECT_EQ(prompter.count(Kind::Warn), 2);
}
