#include "AppScreens.h"
#include "AppState.h"
#include "CtlProgram.h"
#include "CustomerPickReceiver.h"
#include "CustomerScreens.h"
#include "DbFixture.h"
#include "DocumentBalances.h"
#include "FrmSlip_sale.h"
#include "Grid.h"
#include "GuiPrompter.h"
#include "HCText.h"
#include "ProductScreens.h"
#include "SaleStore.h"
#include "SalesScreens.h"
#include "ScreenRegistry.h"
#include "Setting.h"
#include "UserSettings.h"
#include "WidgetDriver.h"
#include "frmOptions2.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <memory>

using namespace Qt::StringLiterals;

namespace asv::test {

// Two users, a customer charged VAT on top (opening balance 1,000) and one with VAT included, a
// taxable product at 1,005 and a tax-free one at 500; the clock on 10 March 2026.
struct SaleFixture : DbFixture {
    static inline const QString kOnTop = QStringLiteral("C00001");
    static inline const QString kIncluded = QStringLiteral("C00002");

    SaleFixture() : DbFixture(QDateTime(QDate(2026, 3, 10), QTime(14, 30)))
    {
        App().UserCode = QStringLiteral("01");
        sql(QStringLiteral("INSERT INTO local_user (code, name) VALUES ('01', '김영업'), ('02', '이영업')"));
        sql(QStringLiteral("INSERT INTO product (code, bcode, name, norm, unit, taxmode, saleprice) VALUES "
                           "('P00001', '8801234567893', '세탁기', 'WM-10', '대', 1, 1005), "
                           "('P00002', '', '필터', 'F-1', '개', 0, 500)"));
        sql(QStringLiteral("INSERT INTO customer (code, compname, taxmode, basemoney, nowmoney, charge) VALUES "
                           "('C00001', '한빛상사', 2, 1000, 1000, '01'), ('C00002', '다른상사', 1, 0, 0, '01')"));
    }
    ~SaleFixture() override { App().UserCode.clear(); }
    static double number(const QString& statement) { return DBGetValue(statement).toDouble(); }
    static double balance(const QString& ccode)
    {
        return number(QStringLiteral("SELECT nowmoney FROM customer WHERE code = '%1'").arg(ccode));
    }
};

namespace {

using S = FrmSlip_sale;

struct FrmSlipSaleTest : SaleFixture {
    std::unique_ptr<FrmSlip_sale> slip;

    FrmSlipSaleTest()
    {
        AppScreens::registerAll();
        CustomerScreens::registerAll();
        ProductScreens::registerAll();
        SalesScreens::registerAll();
        slip = open(kOnTop);
    }

    // As the desk opens it: through the menu key, handed the customer.
    static std::unique_ptr<FrmSlip_sale> open(const QString& ccode)
    {
        QWidget* w = ScreenRegistry::find(u"mnuSlip2"_s)->create(nullptr);
        dynamic_cast<CustomerPickReceiver*>(w)->ShowPickedCustomer(ccode);
        return std::unique_ptr<FrmSlip_sale>(static_cast<FrmSlip_sale*>(w));
    }
    Grid* list() const { return slip->list(); }
    int lastRow() const { return list()->rowCount() - 1; }
    double cell(int row, int col) const { return list()->cells().number(row, col); }
    double shownSum(int col) const { return slip->findChild<Grid*>(u"spSum"_s)->cells().number(0, col); }
    // A new line: day, quantity (may be empty), then the product by name or barcode.
    int enter(const QString& day, const QString& qty, int productCol, const QString& product)
    {
        const int row = lastRow();
        EXPECT_TRUE(list()->editCell(row, S::ColDay, day));
        if (!qty.isEmpty()) {
            EXPECT_TRUE(list()->editCell(row, S::ColQty, qty));
        }
        EXPECT_TRUE(list()->editCell(row, productCol, product));
        return row;
    }
    void click(const QString& button) { slip->findChild<QPushButton*>(button)->click(); }
};

TEST_F(FrmSlipSaleTest, ALineEnteredAndChangedMovesTheBalanceByItsTotalOnly)
{
    const int row = enter(u"10"_s, u"3"_s, S::ColPName, u"세탁기"_s);
    ASSERT_FALSE(list()->text(row, S::ColCode).isEmpty());
    EXPECT_DOUBLE_EQ(cell(row, S::ColAmount), 3015);
    EXPECT_DOUBLE_EQ(cell(row, S::ColTax), 301);
    EXPECT_DOUBLE_EQ(cell(row, S::ColTotal), 3316);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316);
    EXPECT_DOUBLE_EQ(shownSum(2), 3316);
    EXPECT_DOUBLE_EQ(shownSum(5), 1000 + 3316);
    EXPECT_TRUE(list()->cells().isRowBlank(lastRow())) << "a fresh row waits for the next line";

    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(list()->editCell(row, S::ColQty, u"5"_s));
    EXPECT_TRUE(prompter.saw(u"정말 수정하시겠습니까?"_s));
    const QString code = list()->text(row, S::ColCode);
    EXPECT_DOUBLE_EQ(number(u"SELECT qnt FROM sale WHERE code = "_s + code), 5);
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale WHERE code = "_s + code), 5527);
    EXPECT_DOUBLE_EQ(cell(row, S::ColTotal), 5527);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 5527);

    // Another product brings its price, unit and VAT rule.
    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(list()->editCell(row, S::ColPName, u"필터"_s));
    EXPECT_EQ(DBGetValue(u"SELECT pcode FROM sale WHERE code = "_s + code), u"P00002"_s);
    EXPECT_DOUBLE_EQ(number(u"SELECT price FROM sale WHERE code = "_s + code), 500);
    EXPECT_DOUBLE_EQ(number(u"SELECT tax FROM sale WHERE code = "_s + code), 0);
    EXPECT_DOUBLE_EQ(cell(row, S::ColTotal), 2500);
    EXPECT_EQ(list()->text(row, S::ColUnit), u"개"_s);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 2500);

    // By barcode with no quantity: one at the product's price.
    const int second = enter(u"11"_s, {}, S::ColBarcode, u"8801234567893"_s);
    EXPECT_DOUBLE_EQ(cell(second, S::ColQty), 1);
    EXPECT_DOUBLE_EQ(cell(second, S::ColPrice), 1005);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 2500 + 1005 + 100);
    EXPECT_EQ(prompter.unanswered(), 0);

    // Reopened, the month shows what was stored.
    slip = open(kOnTop);
    EXPECT_EQ(list()->rowCount(), 3);
    EXPECT_EQ(list()->text(0, S::ColDay), u"10"_s);
    EXPECT_EQ(list()->text(0, S::ColChargeName), u"김영업"_s);
}

// "No" to registering an unknown product keeps the line as typed, under the free-text product.
TEST_F(FrmSlipSaleTest, AnUnregisteredProductIsStoredAsAFreeTextLineAndPricedByTheCustomersVat)
{
    prompter.answer(MsgAnswer::No);
    const int row = enter(u"10"_s, u"2"_s, S::ColPName, u"출장 설치비"_s);
    EXPECT_TRUE(prompter.saw(u"기초등록을 하지 않고 전표를 등록하려면 [아니오]를"_s));
    ASSERT_FALSE(list()->text(row, S::ColCode).isEmpty());
    const QString code = list()->text(row, S::ColCode);
    EXPECT_EQ(DBGetValue(u"SELECT CONCAT(pcode, '|', pname, '|', FLOOR(qnt)) FROM sale WHERE code = "_s + code),
              u"000000|출장 설치비|2"_s);

    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(list()->editCell(row, S::ColPrice, u"15000"_s));
    EXPECT_DOUBLE_EQ(cell(row, S::ColTotal), 33000); // VAT on top, as the customer pays it
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 33000);

    // Listed again, even where an older database lost the reserved product row.
    sql(u"DELETE FROM product WHERE code = '000000'"_s);
    slip = open(kOnTop);
    ASSERT_EQ(list()->rowCount(), 2);
    EXPECT_EQ(list()->text(0, S::ColPName), u"출장 설치비"_s);
    EXPECT_EQ(balancesOffTheDocuments(), QStringList());
}

// The norm of another registered product moves the line to it: its price, its unit, its VAT.
TEST_F(FrmSlipSaleTest, ANormOfAnotherProductPricesTheLineAsThatProduct)
{
    sql(u"INSERT INTO product (code, name, norm, unit, taxmode, saleprice) VALUES "
        "('P00003', '세탁기', 'WM-20', '세트', 0, 2000)"_s);
    const int row = enter(u"10"_s, u"3"_s, S::ColBarcode, u"8801234567893"_s);
    const QString code = list()->text(row, S::ColCode);
    prompter.answer(MsgAnswer::Yes); // the edit question
    prompter.answer(MsgAnswer::Yes); // the norm warning
    ASSERT_TRUE(list()->editCell(row, S::ColNorm, u"WM-20"_s));
    EXPECT_TRUE(prompter.saw(u"수정된 상품은 단위가 다르니 확인바랍니다.\r\n대 → 세트"_s));
    EXPECT_EQ(DBGetValue(u"SELECT CONCAT(pcode, '|', pnorm, '|', FLOOR(price), '|', FLOOR(tax), '|', FLOOR(total)) FROM sale "
                         "WHERE code = "_s + code),
              u"P00003|WM-20|2000|0|6000"_s);
    EXPECT_DOUBLE_EQ(cell(row, S::ColTotal), 6000);
    EXPECT_EQ(list()->text(row, S::ColUnit), u"세트"_s);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 6000);
}

TEST_F(FrmSlipSaleTest, AmountTypedWithoutPriceIsSplitAndTaxAloneMovesTheTotal)
{
    slip = open(kIncluded);
    const int row = enter(u"10"_s, {}, S::ColPName, u"세탁기"_s);
    sql(u"UPDATE sale SET price = 0"_s);
    slip = open(kIncluded);
    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(list()->editCell(row, S::ColAmount, u"1000"_s));
    EXPECT_DOUBLE_EQ(cell(row, S::ColAmount), 909);
    EXPECT_DOUBLE_EQ(cell(row, S::ColTax), 91);
    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(list()->editCell(row, S::ColTax, u"100"_s));
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale"_s), 1009);
    EXPECT_DOUBLE_EQ(balance(kIncluded), 1009);
    EXPECT_EQ(balancesOffTheDocuments(), QStringList());
}

TEST_F(FrmSlipSaleTest, ProtectedCellsAndRefusedQuestionsChangeNothing)
{
    const int invoiced = enter(u"10"_s, u"3"_s, S::ColPName, u"세탁기"_s);
    const int open = enter(u"10"_s, u"1"_s, S::ColPName, u"세탁기"_s);
    sql(u"UPDATE sale SET taxlistno = '123456781234' WHERE code = "_s + list()->text(invoiced, S::ColCode));
    slip = FrmSlipSaleTest::open(kOnTop);
    const double before = balance(kOnTop);

    EXPECT_FALSE(list()->editCell(invoiced, S::ColQty, u"9"_s));
    EXPECT_TRUE(prompter.saw(u"계산서번호:123456-78-1234"_s));
    EXPECT_FALSE(list()->editCell(open, S::ColTotal, u"1"_s));

    prompter.answer(MsgAnswer::No); // the edit question
    EXPECT_FALSE(list()->editCell(open, S::ColQty, u"2"_s));
    prompter.answer(MsgAnswer::Yes);
    prompter.answer(MsgAnswer::No); // the norm warning
    EXPECT_FALSE(list()->editCell(open, S::ColNorm, u"WM-20"_s));
    prompter.answer(MsgAnswer::Yes);
    prompter.answer(MsgAnswer::No); // 999,999 or more
    ASSERT_TRUE(list()->editCell(open, S::ColQty, u"1000000"_s));
    EXPECT_TRUE(prompter.saw(u"입력한 수량이 너무 큽니다.(1000000)"_s));
    EXPECT_DOUBLE_EQ(cell(open, S::ColQty), 1);
    EXPECT_DOUBLE_EQ(balance(kOnTop), before);
    EXPECT_EQ(number(u"SELECT SUM(qnt) FROM sale"_s), 4);

    // A past month asks in its own words.
    slip->InitForm(kOnTop, u"2026-03"_s);
    Clock::setFixed(QDateTime(QDate(2026, 4, 2), QTime(9, 0)));
    prompter.answer(MsgAnswer::No);
    list()->editCell(open, S::ColMemo, u"메모"_s);
    EXPECT_TRUE(prompter.saw(u"이번달 자료가 아닙니다. 그래도, 수정하시겠습니까?"_s));
}

TEST_F(FrmSlipSaleTest, BlockDeleteSkipsAnInvoicedLineWhenToldAndTakesOffTheStoredTotals)
{
    const int first = enter(u"10"_s, u"3"_s, S::ColPName, u"세탁기"_s);
    const int second = enter(u"11"_s, u"2"_s, S::ColPName, u"필터"_s);
    const int third = enter(u"12"_s, u"1"_s, S::ColPName, u"필터"_s);
    sql(u"UPDATE sale SET taxlistno = '123456781234' WHERE code = "_s + list()->text(first, S::ColCode));
    slip = open(kOnTop);
    click(u"btnBlockMode"_s);
    for (int row : {first, second, third})
        list()->selectionModel()->select(list()->model()->index(row, S::ColDay), QItemSelectionModel::Select);
    prompter.answer(MsgAnswer::Yes); // delete the chosen lines
    prompter.answer(MsgAnswer::No);  // but not the invoiced one
    click(u"btnDel"_s);
    EXPECT_TRUE(prompter.saw(u"전표만 삭제 하시겠습니까?"_s));
    EXPECT_EQ(number(u"SELECT COUNT(*) FROM sale"_s), 1);
    EXPECT_EQ(list()->rowCount(), 2);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316);
    EXPECT_DOUBLE_EQ(shownSum(5), 1000 + 3316);
    EXPECT_TRUE(list()->text(first, S::ColMark).isEmpty());
}

// The payment entry is a window of the frame area like the slip, and the discount it grants is
// beside the amount paid, so that the month's figures account for the balance.
TEST_F(FrmSlipSaleTest, ThePaymentOpensBesideTheSlipAndItsDiscountShowsInTheSums)
{
    enter(u"10"_s, u"3"_s, S::ColPName, u"세탁기"_s);
    QMdiArea area;
    FrmSlip_sale* inFrame = slip.release();
    area.addSubWindow(inFrame)->show();
    inFrame->findChild<QPushButton*>(u"btnPay"_s)->click();
    ASSERT_EQ(area.subWindowList().size(), 2);
    QWidget* entry = area.subWindowList().last()->widget();
    ASSERT_EQ(entry->objectName(), u"FrmSlip_recv"_s);
    entry->findChild<HCText*>(u"txtAmount"_s)->SetText(u"3000"_s);
    entry->findChild<HCText*>(u"txtDC"_s)->SetText(u"316"_s);
    entry->findChild<QPushButton*>(u"btnSave"_s)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    ASSERT_EQ(area.subWindowList().size(), 1) << "the saved payment's window is gone";

    const GridModel& sums = inFrame->findChild<Grid*>(u"spSum"_s)->cells();
    EXPECT_EQ(sums.caption(4), u"할인"_s);
    EXPECT_DOUBLE_EQ(sums.number(0, 3), 3000);
    EXPECT_DOUBLE_EQ(sums.number(0, 4), 316);
    EXPECT_DOUBLE_EQ(sums.number(0, 5), 1000 + sums.number(0, 2) - 3000 - 316);
}

// The settings the slip's questions point to are in the options, and ticked there they hold.
TEST_F(FrmSlipSaleTest, TheSlipSettingsItsMessagesNameAreInTheOptions)
{
    const int row = enter(u"10"_s, u"3"_s, S::ColPName, u"세탁기"_s);
    frmOptions2 options;
    auto* noQuestion = options.findChild<QCheckBox*>(u"chkSlipNoAsk"_s);
    auto* normWarning = options.findChild<QCheckBox*>(u"chkSlipNormMsg"_s);
    ASSERT_TRUE(noQuestion && normWarning);
    EXPECT_EQ(noQuestion->text(), u"수정시 묻지 않기"_s);
    EXPECT_EQ(normWarning->text(), u"규격 수정시 안내 메시지 생략"_s);
    EXPECT_FALSE(noQuestion->isChecked());
    EXPECT_TRUE(normWarning->isChecked());
    noQuestion->click();
    normWarning->click();
    ASSERT_TRUE(options.apply());

    prompter.clear();
    ASSERT_TRUE(list()->editCell(row, S::ColNorm, u"WM-99"_s));
    ASSERT_TRUE(list()->editCell(row, S::ColQty, u"4"_s));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
    EXPECT_EQ(DBGetValue(u"SELECT CONCAT(pnorm, '|', FLOOR(qnt)) FROM sale"_s), u"WM-99|4"_s);
}

// Typing over a cell of a stored line, or F2 then typing, and Enter, with the real question box
// answered by keys too: once the box is gone, the keys must reach the cell again.
TEST_F(FrmSlipSaleTest, AStoredLineIsEditedWithTheKeyboardAlone)
{
    const int row = enter(u"10"_s, u"3"_s, S::ColPName, u"세탁기"_s);
    const QString code = list()->text(row, S::ColCode);
    UserSettings::set(u"MSGSKIP"_s, u"전표V칼럼설명"_s, u"1"_s);
    struct Boxes : GuiPrompter {
        Boxes(Prompter& scripted) : m_scripted(scripted) { Prompter::install(this); }
        ~Boxes() override { Prompter::install(&m_scripted); }
        Prompter& m_scripted;
    } boxes(prompter);
    ASSERT_TRUE(test::showActive(*slip));
    const auto startEdit = [&](int col, Qt::Key key) {
        list()->setFocus();
        list()->setCurrentIndex(list()->model()->index(row, col));
        test::whenModal<QMessageBox>([](QMessageBox*) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left); // from "아니오" to "예"
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        });
        QTest::keyClick(list(), key);
        QTest::qWait(50);
        return QApplication::focusWidget();
    };
    const auto finish = [](QWidget* editor) {
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(50); // the editor closes and the list hands the cell on after the key
    };

    QWidget* editor = startEdit(S::ColQty, Qt::Key_5);
    ASSERT_NE(editor, nullptr) << "the keys reach no window after the question";
    finish(editor);
    EXPECT_DOUBLE_EQ(number(u"SELECT qnt FROM sale WHERE code = "_s + code), 5);

    editor = startEdit(S::ColMemo, Qt::Key_F2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, u"A-1"_s);
    finish(editor);
    EXPECT_EQ(DBGetValue(u"SELECT prnbigo FROM sale WHERE code = "_s + code), u"A-1"_s);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 5527);
}

TEST_F(FrmSlipSaleTest, TheTipShowsOnOpeningUntilTheOperatorHidesIt)
{
    const auto tipOnOpening = [this](MsgAnswer answer) {
        prompter.clear();
        prompter.answer(answer);
        auto shown = open(kOnTop);
        shown->show();
        QCoreApplication::processEvents();
        return prompter.saw(u"[ 전표사용 도움말 ]"_s);
    };
    EXPECT_TRUE(tipOnOpening(MsgAnswer::No));
    EXPECT_TRUE(tipOnOpening(MsgAnswer::Yes));
    EXPECT_FALSE(tipOnOpening(MsgAnswer::No));
}

TEST_F(FrmSlipSaleTest, MainSalespersonChangesOnlyWhenConfirmed)
{
    auto* box = slip->findChild<ucFindBox*>(u"fbUser"_s);
    prompter.answer(MsgAnswer::No);
    box->SetText(u"이영업"_s);
    box->ProcFind();
    EXPECT_EQ(DBGetValue(u"SELECT charge FROM customer WHERE code = 'C00001'"_s), u"01"_s);
    EXPECT_EQ(box->code(), u"01"_s);
    prompter.answer(MsgAnswer::Yes);
    box->SetText(u"이영업"_s);
    box->ProcFind();
    EXPECT_TRUE(prompter.saw(u"거래처【한빛상사】에 대한 주담당자를【이영업】로 변경하시겠습니까?"_s));
    EXPECT_TRUE(prompter.saw(u"담당자가 변경되었습니다."_s));
    EXPECT_EQ(DBGetValue(u"SELECT charge FROM customer WHERE code = 'C00001'"_s), u"02"_s);
}


using SaleStoreTest = SaleFixture;

SaleLine line(const QString& ccode, const QString& pcode, double qty, double price, const QString& date)
{
    SaleLine l;
    l.ccode = ccode;
    l.pcode = pcode;
    l.pname = u"세탁기"_s;
    l.qnt = qty;
    l.price = price;
    l.dealdate = date;
    l.dealtime = u"14:30"_s;
    SaleStore::priceLine(l);
    return l;
}

TEST_F(SaleStoreTest, VatSplitFollowsCustomerAndProduct)
{
    const struct {
        QString ccode, pcode;
        double qty, price, amount, tax;
    } cases[] = {
        {kOnTop, u"P00001"_s, 3, 1005, 3015, 301},   // 301.5 cut
        {kIncluded, u"P00001"_s, 1, 1000, 909, 91},
        {kOnTop, u"P00002"_s, 2, 500, 1000, 0},      // a tax-free product stays tax-free
        {kIncluded, u"P00002"_s, 2, 500, 1000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.ccode + u' ' + c.pcode).toStdString());
        const SaleLine l = line(c.ccode, c.pcode, c.qty, c.price, u"2026-03-10"_s);
        EXPECT_DOUBLE_EQ(l.amount, c.amount);
        EXPECT_DOUBLE_EQ(l.tax, c.tax);
        EXPECT_DOUBLE_EQ(l.total, c.amount + c.tax);
    }
}

TEST_F(SaleStoreTest, EveryWriteMovesTheBalanceByTheChangeOfTheStoredTotalAndAFailedOneNot)
{
    SaleLine l = line(kOnTop, u"P00001"_s, 3, 1005, u"2026-03-10"_s);
    ASSERT_GT(SaleStore().insert(l), 0);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316);

    SaleChange toFive = SaleChange::repriced(2, 5, 1005, l.amount, l.tax);
    toFive.qnt = 2;
    ASSERT_TRUE(SaleStore().update(l.code, kOnTop, toFive));
    EXPECT_DOUBLE_EQ(number(u"SELECT qnt FROM sale WHERE code = %1"_s.arg(l.code)), 5);
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale WHERE code = %1"_s.arg(l.code)), 5025 + 502);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 5527);

    // Another desk raised the price meanwhile: the delete takes off what is stored, not what this
    // desk last saw.
    sql(u"UPDATE sale SET total = total + 100 WHERE code = %1"_s.arg(l.code));
    sql(u"UPDATE customer SET nowmoney = nowmoney + 100 WHERE code = 'C00001'"_s);
    ASSERT_TRUE(SaleStore().remove(l.code, kOnTop));
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000);
    EXPECT_FALSE(SaleStore().remove(l.code, kOnTop)) << "a line already gone";

    SaleLine tooLong = line(kOnTop, u"P00001"_s, 1, 1005, u"2026-03-10"_s);
    tooLong.receiptname = QString(51, u'가'); // longer than the column: refused in strict mode
    EXPECT_EQ(SaleStore().insert(tooLong), 0);
    SaleLine stranger = line(u"C09999"_s, u"P00001"_s, 1, 1005, u"2026-03-10"_s);
    EXPECT_EQ(SaleStore().insert(stranger), 0) << "no line without a balance to move";
    EXPECT_FALSE(SaleStore().update(l.code, kOnTop, toFive));
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000);
    EXPECT_EQ(number(u"SELECT COUNT(*) FROM sale"_s), 0);
}

TEST_F(SaleStoreTest, MonthSumsCountOnlyTheCustomersMonth)
{
    for (const auto& [ccode, date] : {std::pair{kOnTop, u"2026-03-01"_s}, {kOnTop, u"2026-03-31"_s},
                                      {kOnTop, u"2026-04-01"_s}, {kIncluded, u"2026-03-05"_s}}) {
        SaleLine l = line(ccode, u"P00001"_s, 1, 1000, date);
        ASSERT_GT(SaleStore().insert(l), 0);
    }
    sql(u"INSERT INTO receive (ccode, dealdate, amount, dc) VALUES ('C00001', '2026-03-15', 700, 0)"_s);
    const SaleStore::MonthSums sums = SaleStore().monthSums(kOnTop, u"2026-03"_s);
    EXPECT_DOUBLE_EQ(sums.sale, 2000);
    EXPECT_DOUBLE_EQ(sums.vat, 200);
    EXPECT_DOUBLE_EQ(sums.total, 2200);
    EXPECT_DOUBLE_EQ(sums.received, 700);
    EXPECT_DOUBLE_EQ(sums.balance, 1000 + 3300);
    EXPECT_EQ(SaleStore().monthLines(kOnTop, u"2026-03"_s)->rowCount(), 2);
}

// Two desks keep changing the same line, and so the same balance, at the same time.
TEST_F(SaleStoreTest, TwoDesksEditingOneLineLoseNoChange)
{
    SaleLine l = line(kOnTop, u"P00001"_s, 3, 1005, u"2026-03-10"_s);
    ASSERT_GT(SaleStore().insert(l), 0);
    QProcess desks[2];
    for (QProcess& desk : desks) {
        desk.setProcessChannelMode(QProcess::ForwardedChannels);
        desk.start(QStringLiteral(ASV_SALE_EDIT_PROCESS),
                   {db.name(), kOnTop, QString::number(l.code), u"1000"_s});
    }
    for (QProcess& desk : desks) {
        ASSERT_TRUE(desk.waitForFinished(120000));
        EXPECT_EQ(desk.exitCode(), 0);
    }
    // Each desk ends where it started, so the line must be back at 3 × 1,005 if no change was lost.
    EXPECT_DOUBLE_EQ(number(u"SELECT qnt FROM sale WHERE code = %1"_s.arg(l.code)), 3);
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale WHERE code = %1"_s.arg(l.code)), 3316);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316);
    EXPECT_EQ(balancesOffTheDocuments(), QStringList());
}

TEST_F(SaleStoreTest, CommandLineEntryStoresTheLineAsTheSlipDoes)
{
    const auto ctl = [&](const QStringList& args) { return runCtl(db, QStringList{u"sale"_s} + args).exitCode; };
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00001"_s, u"3"_s}), 0);
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00002"_s, u"2"_s, u"--price"_s, u"450"_s, u"--date"_s, u"2026-02-28"_s}), 0);
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00001"_s, u"1"_s, u"--date"_s, u"2026-02-30"_s}), 1);
    EXPECT_EQ(ctl({u"add"_s, u"C09999"_s, u"P00001"_s, u"1"_s}), 1);
    EXPECT_EQ(ctl({u"add"_s, kOnTop, u"P00001"_s}), 2);
    EXPECT_EQ(number(u"SELECT COUNT(*) FROM sale"_s), 2);
    EXPECT_DOUBLE_EQ(number(u"SELECT total FROM sale WHERE pcode = 'P00002' AND dealdate = '2026-02-28'"_s), 900);
    EXPECT_DOUBLE_EQ(balance(kOnTop), 1000 + 3316 + 900);
}

} // namespace
} // namespace asv::test
