#include "CodeKey.h"
#include "CodeRows.h"
#include "Cp949.h"
#include "DbFixture.h"
#include "FrmRPT_ledger.h"
#include "Grid.h"
#include "GridDriver.h"
#include "GridFixtures.h"
#include "HCTerm.h"
#include "LedgerCommands.h"
#include "LedgerMerge.h"
#include "MailDraftCatcher.h"
#include "Paths.h"
#include "WidgetDriver.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::column;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

// 한빛 owes 1,000 from before it was entered here; 다른 owes nothing. The ledger looks at March.
struct LedgerWindow : test::DbFixture {
    FrmRPT_ledger window;

    LedgerWindow() : DbFixture(QDateTime(QDate(2026, 3, 20), QTime(10, 0)))
    {
        sql(u"INSERT INTO customer (code, compname, compalias, telno1, fax, basemoney) VALUES "
            "('C00001', '한빛상사', '한빛', '02-123-4567', '02-123-4568', 1000), ('C00002', '다른상사', '다른', '', '', 0)"_s);
        sql(u"INSERT INTO product (code, name, norm, unit) VALUES ('P00001', '세탁기', 'WM-10', '대')"_s);
        window.period()->SetText1(u"2026-03-01"_s);
        window.period()->SetText2(u"2026-03-31"_s);
    }
    static void sale(const QString& ccode, const QString& date, int total)
    {
        sql(u"INSERT INTO sale (ccode, pcode, pname, pnorm, qnt, price, total, dealdate) "
            "VALUES ('%1', 'P00001', '세탁기', 'WM-10', 1, %3, %3, '%2')"_s.arg(ccode, date, QString::number(total)));
    }
    static void payment(const QString& ccode, const QString& date, int amount, int dc = 0)
    {
        sql(u"INSERT INTO receive (ccode, dealdate, amount, dc, type, bigo) VALUES ('%1', '%2', %3, %4, 1, '월말')"_s.arg(
            ccode, date, QString::number(amount), QString::number(dc)));
    }
    // An AS job of the customer with one item of that amount.
    static void asItem(const QString& ccode, const QString& date, int amount, bool free)
    {
        sql(u"INSERT INTO aslist_m (ccode, pcode, dealdate) VALUES ('%1', 'P00001', '%2')"_s.arg(ccode, date));
        sql(u"INSERT INTO aslist_d (code, seq, pcode, amount, isfree) VALUES (%1, 1, 'P00001', %2, %3)"_s.arg(
            QString::number(DBInsertId()), QString::number(amount), free ? u"1"_s : u"0"_s));
    }

    QStringList col(const QString& caption) { return column(window.list(), caption); }
    void query()
    {
        test::click(window, u"btnQuery"_s);
    }
};

TEST_F(LedgerWindow, CarriesTheDocumentsBeforeThePeriodAndPutsSameDayDebitsFirst)
{
    sale(u"C00001"_s, u"2026-02-10"_s, 5000);
    payment(u"C00001"_s, u"2026-02-20"_s, 2000, 100);
    asItem(u"C00001"_s, u"2026-02-25"_s, 300, false);
    asItem(u"C00001"_s, u"2026-02-26"_s, 700, true);
    // In March: the payment is entered before the sale of the same day, an AS item later; a free
    // one never shows.
    payment(u"C00001"_s, u"2026-03-05"_s, 1000);
    sale(u"C00001"_s, u"2026-03-05"_s, 1000);
    asItem(u"C00001"_s, u"2026-03-06"_s, 250, false);
    asItem(u"C00001"_s, u"2026-03-06"_s, 900, true);
    payment(u"C00002"_s, u"2026-03-02"_s, 50);
    sale(u"C00001"_s, u"2026-04-01"_s, 9999); // after the period

    query();
    // By alias: 다른 before 한빛.
    EXPECT_EQ(col(u"거래처"_s), QStringList({u"다른"_s, {}, {}, u"한빛"_s, {}, {}, {}, {}, {}}));
    EXPECT_EQ(col(u"품명"_s), QStringList({u"[전기이월]"_s, u"입금"_s, u"[소 계]"_s, u"[전기이월]"_s, u"세탁기(WM-10)"_s,
                                           u"입금"_s, u"세탁기(WM-10)"_s, u"[소 계]"_s, u"[합 계]"_s}));
    EXPECT_EQ(col(u"잔액"_s), QStringList({u"0"_s, u"-50"_s, u"-50"_s, u"4200"_s, u"5200"_s, u"4200"_s, u"4450"_s,
                                           u"4450"_s, u"4400"_s}));
    EXPECT_EQ(col(u"일자"_s).mid(4, 3), QStringList({u"2026-03-05"_s, u"2026-03-05"_s, u"2026-03-06"_s}));
    EXPECT_EQ(col(u"매출"_s)[7], u"1250"_s);
    EXPECT_EQ(col(u"입금"_s)[7], u"1000"_s);
    EXPECT_EQ(col(u"입금"_s)[8], u"1050"_s);
    EXPECT_EQ(col(u"단위"_s)[5], u"카드"_s);
    EXPECT_EQ(col(u"비고"_s)[6].trimmed(), u"AS"_s);
    EXPECT_EQ(window.periodHeading(), u"기간: 2026-03-01 ~ 2026-03-31"_s);
}

// Without the period only the opening balance is carried and every line is listed; the command
// prints the window's rows either way.
TEST_F(LedgerWindow, WithoutThePeriodCarriesOnlyTheOpeningBalanceAndTheCommandWritesTheWindowsRows)
{
    sale(u"C00001"_s, u"2025-12-31"_s, 5000);
    payment(u"C00001"_s, u"2026-02-20"_s, 2000, 100);
    sale(u"C00001"_s, u"2026-04-01"_s, 10);
    sale(u"C00002"_s, u"2026-03-01"_s, 70);
    const auto commandMatchesWindow = [this](const QStringList& args) {
        QString text;
        QTextStream out(&text);
        ASSERT_EQ(reportLedger(out, args + QStringList{u"--csv"_s}), 0);
        out.flush();
        const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), window.list()->rowCount() + 1);
        EXPECT_EQ(lines[0], u"거래처,일자,품명,수량,단위,단가,매출,입금,잔액,비고"_s);
        for (int r = 0; r < window.list()->rowCount(); ++r) {
            QStringList shown;
            for (int c = 0; c < window.list()->columnCount(); ++c)
                shown << window.list()->text(r, c);
            EXPECT_EQ(lines[r + 1], shown.join(u','));
        }
    };
    query();
    commandMatchesWindow({u"--from"_s, u"2026-03-01"_s, u"--to"_s, u"2026-03-31"_s});

    window.findChild<QCheckBox*>(u"chkTerm"_s)->setChecked(false);
    window.findChild<ucFindBox*>(u"fbCust"_s)->setRecord(u"C00001"_s, u"한빛"_s);
    query();
    EXPECT_EQ(col(u"일자"_s), QStringList({{}, u"2025-12-31"_s, u"2026-02-20"_s, u"2026-04-01"_s, {}, {}}));
    EXPECT_EQ(col(u"잔액"_s), QStringList({u"1000"_s, u"6000"_s, u"3900"_s, u"3910"_s, u"3910"_s, u"3910"_s}));
    EXPECT_EQ(window.periodHeading(), u"전체"_s);
    commandMatchesWindow({u"--customer"_s, u"C00001"_s});
    QString ignored;
    QTextStream out(&ignored);
    EXPECT_EQ(reportLedger(out, {u"--from"_s, u"2026-03-01"_s}), 2);
}

TEST_F(LedgerWindow, AFailingStepNamesItselfAndNoCustomerIsSaid)
{
    sale(u"C00001"_s, u"2026-03-02"_s, 5000);
    query();
    ASSERT_EQ(window.list()->rowCount(), 6);

    // Only the debit lines read the products.
    sql(u"RENAME TABLE product TO product_gone"_s);
    query();
    ASSERT_FALSE(prompter.texts(Kind::Error).isEmpty());
    EXPECT_TRUE(prompter.texts(Kind::Error).last().contains(u"in procedure Refresh_Sheet_3_RsSale of Form FrmRPT_ledger"_s));
    EXPECT_EQ(window.list()->rowCount(), 0);
    EXPECT_EQ(window.ledger(), nullptr);

    sql(u"UPDATE customer SET hidden = 1"_s);
    sql(u"RENAME TABLE product_gone TO product"_s);
    query();
    EXPECT_EQ(window.list()->rowCount(), 0);
    EXPECT_TRUE(prompter.texts(Kind::Notice).contains(u"검색된 결과가 없습니다."_s));
}


using test::makeRecordSet;

TEST_F(LedgerWindow, OneCustomersLedgerIsMailedToThatCustomerAsItsPrintout)
{
    sql(u"UPDATE customer SET email = 'hanbit@customer.example' WHERE code = 'C00001'"_s);
    sale(u"C00001"_s, u"2026-03-05"_s, 1000);
    test::MailDraftCatcher mail;
    FrmRPT_ledger ledger;
    ledger.period()->SetText1(u"2026-03-01"_s);
    ledger.period()->SetText2(u"2026-03-31"_s);
    test::click(ledger, u"btnEMail"_s);
    EXPECT_EQ(prompter.texts().last(), u"메일로 보낼 거래처를 선택하고 원장을 조회하세요."_s);
    EXPECT_EQ(mail.opened, 0);

    ledger.findChild<ucFindBox*>(u"fbCust"_s)->setRecord(u"C00001"_s, u"한빛"_s);
    test::click(ledger, u"btnQuery"_s);
    test::click(ledger, u"btnEMail"_s);
    ASSERT_TRUE(mail.last);
    EXPECT_EQ(mail.last->toName, u"한빛상사"_s);
    EXPECT_EQ(mail.last->toAddress, u"hanbit@customer.example"_s);
    EXPECT_EQ(mail.last->subject, u"매출처 원장"_s);
    ASSERT_EQ(mail.last->files.size(), 1);
    const QFileInfo pdf(mail.last->files.first());
    EXPECT_EQ(pdf.absolutePath(), Paths::file(u"Mail"_s));
    EXPECT_EQ(pdf.suffix(), u"pdf"_s);
    EXPECT_GT(pdf.size(), 0);
}

TEST(LedgerMergeTest, MoneyIsExactInTenThousandths)
{
    const struct {
        QString text;
        qint64 units;
        QString shown;
    } cases[] = {
        {u"4200.0000"_s, 42000000, u"4200"_s}, {u"-0.5000"_s, -5000, u"-0.5"_s}, {u"12.3456"_s, 123456, u"12.3456"_s},
        {u"-1234.05"_s, -12340500, u"-1234.05"_s}, {u"7"_s, 70000, u"7"_s}, {QString(), 0, u"0"_s},
        {u" -3.25 "_s, -32500, u"-3.25"_s}, {u"1.23456"_s, 12345, u"1.2345"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(LedgerMerge::money(c.text), c.units);
        EXPECT_EQ(LedgerMerge::money(QByteArrayView(c.text.toLatin1())), c.units);
        EXPECT_EQ(LedgerMerge::moneyText(c.units), c.shown);
    }
    // Binary fractions would leave 0.30000000000000004 - 0.3 behind.
    EXPECT_EQ(LedgerMerge::money(u"0.1"_s) + LedgerMerge::money(u"0.2"_s) - LedgerMerge::money(u"0.3"_s), 0);
}

// Codes as the server sent them find the rows their decoded text would: ASCII ones without
// decoding, the others (Hangul, long codes, letters whose capital is ASCII) through the text.
TEST(LedgerMergeTest, CodesAsSentFindTheRowsOfTheirDecodedText)
{
    const QStringList codes = {u"P00001"_s,  u"p00001"_s,  u"P00001  "_s, u"aB c "_s, u" a"_s,  u""_s,
                               u"A"_s,       u"ABCDEFG"_s, u"abcdefg "_s, u"ABCDEFGH"_s, u"abcdefgh"_s,
                               u"한빛"_s,    u"한빛a "_s,  u"한빛A"_s,    u"ıa"_s,    u"IA"_s};
    QList<QStringList> rows;
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        const QByteArray bytes = Cp949::encode(code);
        ASSERT_EQ(Cp949::decode(bytes), code);
        EXPECT_EQ(CodeKey::ofBytes(bytes), CodeKey::of(code).toUtf8());
        rows << QStringList{code};
    }
    const CodeRows byCode(*makeRecordSet({u"code"_s}, rows), u"code"_s);
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        int last = -1;
        for (int r = 0; r < codes.size(); ++r)
            last = CodeKey::of(codes[r]) == CodeKey::of(code) ? r : last;
        EXPECT_EQ(byCode.row(Cp949::encode(code)), last);
    }
    EXPECT_EQ(byCode.row("P00002"), -1);
    EXPECT_EQ(byCode.row("ABCDEFGHI"), -1);
}

// The lines come in any order and in several lists: each customer's run by date, then document, a sale line before an
// AS item of the same document number, and payments after the debits of their day. Lines of a
// customer not listed and sale lines naming no product are left out.
TEST(LedgerMergeTest, OrdersEachCustomersLinesAndMergesThemByDate)
{
    const QStringList saleFields = {u"ccode"_s, u"dealdate"_s, u"code"_s, u"pcode"_s, u"total"_s, u"pname"_s};
    LedgerStore::Debits debits{
        {makeRecordSet(saleFields, {{u"A"_s, u"2026-03-01"_s, u"9"_s, u"P1"_s, u"100"_s, u"d1"_s},
                                   {u"A"_s, u"2026-03-01"_s, u"5"_s, u"P1"_s, u"50"_s, u"d0"_s},
                                   {u"A"_s, u"2026-03-02"_s, u"4"_s, u"P9"_s, u"999"_s, u"gone"_s},
                                   {u"Z"_s, u"2026-03-01"_s, u"1"_s, u"P1"_s, u"1"_s, u"z"_s}}),
         // Written by another program in lower case with a blank: the server's join matched it.
         makeRecordSet(saleFields, {{u"a "_s, u"2026-03-05"_s, u"7"_s, u"p1"_s, u"200"_s, u"d2"_s}})},
        makeRecordSet({u"ccode"_s, u"dealdate"_s, u"code"_s, u"pcode"_s, u"amount"_s},
                      {{u"A"_s, u"2026-03-01"_s, u"5"_s, u"P2"_s, u"30"_s}}),
        makeRecordSet({u"code"_s, u"name"_s, u"norm"_s, u"unit"_s},
                      {{u"P1"_s, u"세탁기"_s, u"WM"_s, u"대"_s}, {u"P2"_s, u"모터"_s, {}, u"개"_s}})};
    const QStringList creditFields = {u"ccode"_s, u"dealdate"_s, u"code"_s, u"amount"_s, u"type"_s};
    LedgerMerge ledger(
        makeRecordSet({u"code"_s, u"basebaln"_s, u"compalias"_s}, {{u"A"_s, u"10"_s, u"가"_s}, {u"B"_s, u"0"_s, u"나"_s}}),
        makeRecordSet({u"ccode"_s, u"sumtot"_s}, {{u"A"_s, u"5"_s}, {u"Z"_s, u"99"_s}, {u"a"_s, u"-3"_s}}), debits,
        makeRecordSet(creditFields, {{u"A"_s, u"2026-03-09"_s, u"12"_s, u"4"_s, u"9"_s},
                                     {u"B"_s, u"2026-03-03"_s, u"13"_s, u"8"_s, u"1"_s},
                                     {u"A"_s, u"2026-03-01"_s, u"11"_s, u"2"_s, u"0"_s},
                                     {u"A"_s, u"2026-02-28"_s, u"10"_s, u"1"_s, u"0"_s}}));
    ledger.carryForward();
    ledger.mergeLines();

    QStringList items;
    QStringList balances;
    for (int r = 0; r < ledger.rowCount(); ++r) {
        items << ledger.text(r, LedgerMerge::ColItem) + ledger.text(r, LedgerMerge::ColDate).right(2);
        balances << ledger.text(r, LedgerMerge::ColBalance);
    }
    EXPECT_EQ(items, QStringList({u"[전기이월]"_s, u"입금28"_s, u"d001"_s, u"모터01"_s, u"d101"_s, u"입금01"_s, u"d205"_s,
                                  u"입금09"_s, u"[소 계]"_s, u"[전기이월]"_s, u"입금03"_s, u"[소 계]"_s, u"[합 계]"_s}));
    EXPECT_EQ(balances, QStringList({u"12"_s, u"11"_s, u"61"_s, u"91"_s, u"191"_s, u"189"_s, u"389"_s, u"385"_s,
                                     u"385"_s, u"0"_s, u"-8"_s, u"-8"_s, u"377"_s}));
    // The units come from the products; an AS item is one piece at its amount.
    EXPECT_EQ(ledger.text(2, LedgerMerge::ColUnit), u"대"_s);
    EXPECT_EQ(ledger.text(3, LedgerMerge::ColUnit) + ledger.text(3, LedgerMerge::ColQty)
                  + ledger.text(3, LedgerMerge::ColPrice) + ledger.text(3, LedgerMerge::ColMemo).trimmed(),
              u"개130AS"_s);
    EXPECT_EQ(ledger.text(7, LedgerMerge::ColUnit), QString()); // an unknown payment kind
    EXPECT_EQ(ledger.text(10, LedgerMerge::ColUnit), u"카드"_s);
}

} // namespace
