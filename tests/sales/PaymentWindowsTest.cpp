#include "DbFixture.h"
#include "DocumentBalances.h"
#include "FrmCust_sel.h"
#include "FrmRecv_sel.h"
#include "FrmSlip_recv.h"
#include "GridDriver.h"
#include "HCText.h"
#include "PaymentCommands.h"
#include "ReceiveStore.h"
#include "RegistryGuard.h"
#include "WidgetDriver.h"
#include "cMySQL.h"
#include "hcDate.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextStream>
#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;
using namespace asv;
using Kind = test::ScriptedPrompter::Kind;

namespace {

const QString kA = u"000001"_s;
const QString kB = u"000002"_s;

// 가나상사 (000001) owes 50,000 and 다라상회 (000002) 20,000 from the start; the clock on 31 March.
struct Payments : test::DbFixture {
    test::RegistryGuard guard{{kFindKindCust}};

    Payments() : DbFixture(QDateTime(QDate(2026, 3, 31), QTime(10, 0)))
    {
        FrmCust_sel::registerPicker();
        sql(u"INSERT INTO customer (code, compname, basemoney, nowmoney) VALUES "
            "('000001', '가나상사', 50000, 50000), ('000002', '다라상회', 20000, 20000)"_s);
    }
    static double balance(const QString& code)
    {
        return DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '%1'"_s.arg(code)).toDouble();
    }
    static ReceiveRecord payment(const QString& ccode, double amount, double dc, const QString& date = u"2026-03-31"_s)
    {
        ReceiveRecord p;
        p.dealdate = date;
        p.ccode = ccode;
        p.amount = amount;
        p.dc = dc;
        p.dealtime = u"10:00"_s;
        return p;
    }
    static HCText* text(const QWidget& w, const QString& name) { return w.findChild<HCText*>(name); }
    static QString shown(const QWidget& w, const QString& panel) { return w.findChild<QLabel*>(panel)->text(); }
    static void enter(FrmSlip_recv& w, double amount, double dc)
    {
        text(w, u"txtAmount"_s)->SetText(QString::number(amount));
        text(w, u"txtDC"_s)->SetText(QString::number(dc));
    }
    static QStringList panels(const FrmSlip_recv& w)
    {
        return {shown(w, u"pnlPrevBaln"_s), shown(w, u"pnlTotal"_s), shown(w, u"pnlCurBaln"_s)};
    }
    static int lastPayment() { return DBGetValue(u"SELECT MAX(code) FROM receive"_s).toInt(); }
};

} // namespace

TEST_F(Payments, EveryChangeOfAPaymentMovesTheBalanceByItsDifference)
{
    FrmSlip_recv entry;
    entry.ShowPickedCustomer(kA);
    EXPECT_EQ(entry.windowTitle(), u"전표 - 『등록』"_s);
    enter(entry, 10000, 500);
    EXPECT_EQ(panels(entry), (QStringList{u" 50,000"_s, u" 10,500"_s, u" 39,500"_s}));
    test::click(entry, u"btnSave"_s);
    EXPECT_DOUBLE_EQ(balance(kA), 39500);
    const int code = lastPayment();

    const QString statement = u"SELECT deallistno FROM receive WHERE code = "_s + QString::number(code);
    DBExecute(u"UPDATE receive SET deallistno = '2026-0007' WHERE code = "_s + QString::number(code));
    FrmSlip_recv edit;
    edit.SetFormMode(RecordEditor::EditRecord, QString::number(code));
    EXPECT_EQ(edit.windowTitle(), u"전표 - 『수정』 (거래명세서No:2026-0007)"_s);
    // The panel shows the balance before this payment, not after it.
    EXPECT_EQ(panels(edit), (QStringList{u" 50,000"_s, u" 10,500"_s, u" 39,500"_s}));
    enter(edit, 8000, 0);
    test::click(edit, u"btnSave"_s);
    EXPECT_DOUBLE_EQ(balance(kA), 42000);
    EXPECT_EQ(DBGetValue(statement), u"2026-0007"_s);

    FrmSlip_recv move;
    move.SetFormMode(RecordEditor::EditRecord, QString::number(code));
    auto* customer = move.findChild<ucFindBox*>(u"fbCust"_s);
    customer->editor()->setText(u"다라"_s);
    QTest::keyClick(customer->editor(), Qt::Key_Return);
    // A new date frees the payment from its statement.
    move.findChild<hcDate*>(u"hdField"_s)->SetText(u"2026-03-30"_s);
    ASSERT_EQ(customer->code(), kB) << prompter.texts().join(u'\n').toStdString();
    test::click(move, u"btnSave"_s);
    EXPECT_DOUBLE_EQ(balance(kA), 50000);
    EXPECT_DOUBLE_EQ(balance(kB), 12000);
    EXPECT_EQ(DBGetValue(statement), QString());
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());

    FrmRecv_sel list;
    list.setCustomer(kB);
    ASSERT_EQ(list.findChild<Grid*>(u"spList"_s)->rowCount(), 1);
    list.findChild<Grid*>(u"spList"_s)->selectRow(0);
    prompter.answer(MsgAnswer::Yes);
    list.RecDelete();
    EXPECT_DOUBLE_EQ(balance(kB), 20000);
    EXPECT_EQ(list.findChild<Grid*>(u"spList"_s)->rowCount(), 0);
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
    EXPECT_EQ(prompter.count(Kind::Error), 0);
}

TEST_F(Payments, AFutureDateOrNoAmountIsStoredOnlyWhenConfirmed)
{
    FrmSlip_recv entry;
    entry.ShowPickedCustomer(kA);
    entry.findChild<hcDate*>(u"hdField"_s)->SetText(u"2026-04-01"_s);
    enter(entry, 0, 0);
    prompter.answer(MsgAnswer::No);
    test::click(entry, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"오늘이후 일자(미래)입니다. 그래도, 저장하시겠습니까?"_s});

    // The zero question defaults to No.
    prompter.answer(MsgAnswer::Yes);
    prompter.pressEnter();
    test::click(entry, u"btnSave"_s);
    EXPECT_TRUE(prompter.saw(u"입금액이나 할인금액이 입력되지 않았습니다."_s));
    EXPECT_EQ(DBRecordCount(u"receive"_s), 0);

    entry.findChild<ucFindBox*>(u"fbCust"_s)->editor()->setText(u"없는거래처"_s);
    entry.findChild<ucFindBox*>(u"fbCust"_s)->setCode({});
    prompter.clear();
    prompter.answer(MsgAnswer::Yes);
    test::click(entry, u"btnSave"_s);
    EXPECT_TRUE(prompter.saw(u"거래처 코드가 입력되지 않았습니다."_s));
    EXPECT_EQ(DBRecordCount(u"receive"_s), 0);
    EXPECT_DOUBLE_EQ(balance(kA), 50000);
}

TEST_F(Payments, TheBaseDayBalanceCountsOnlyDocumentsUpToThePaymentDate)
{
    ReceiveStore store;
    const int code = store.insert(payment(kA, 5000, 0, u"2026-03-20"_s));
    ASSERT_GT(code, 0);

    FrmSlip_recv entry;
    entry.ShowPickedCustomer(kA);
    entry.findChild<hcDate*>(u"hdField"_s)->SetText(u"2026-03-10"_s);
    EXPECT_EQ(shown(entry, u"pnlPrevBaln"_s), u" 45,000"_s);
    entry.findChild<QCheckBox*>(u"chkBaseDay"_s)->click();
    EXPECT_EQ(shown(entry, u"pnlPrevBaln"_s), u" 50,000"_s);

    // Edited on its own date, the payment is taken back out of the computed balance.
    FrmSlip_recv edit;
    edit.SetFormMode(RecordEditor::EditRecord, QString::number(code));
    EXPECT_EQ(shown(edit, u"pnlPrevBaln"_s), u" 50,000"_s);
    edit.findChild<hcDate*>(u"hdField"_s)->SetText(u"2026-03-19"_s);
    EXPECT_EQ(shown(edit, u"pnlPrevBaln"_s), u" 50,000"_s);
}

TEST_F(Payments, AnEditAfterAnotherDeskMovedThePaymentFollowsTheMoney)
{
    ReceiveStore store;
    const int code = store.insert(payment(kA, 10000, 500));
    ASSERT_GT(code, 0);
    const ReceiveRecord loaded = *store.load(code);

    // The other desk moves it to the second customer while this one still shows the first.
    ReceiveRecord moved = loaded;
    moved.ccode = kB;
    ASSERT_EQ(store.update(loaded, moved), 1);

    ReceiveRecord edited = loaded;
    edited.amount = 8000;
    ASSERT_EQ(store.update(loaded, edited), 1);
    EXPECT_EQ(store.load(code)->ccode, kA);
    EXPECT_DOUBLE_EQ(balance(kA), 50000 - 8500);
    EXPECT_DOUBLE_EQ(balance(kB), 20000);

    // Deleted elsewhere: this desk's edit and delete change nothing and move nothing.
    ASSERT_TRUE(store.remove(code));
    EXPECT_DOUBLE_EQ(balance(kA), 50000);
    EXPECT_EQ(store.update(loaded, edited), 0);
    EXPECT_FALSE(store.remove(code));
    EXPECT_DOUBLE_EQ(balance(kA), 50000);
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
}

TEST_F(Payments, TwoDesksEditingOnePaymentAtOnceLoseNothing)
{
    ReceiveStore store;
    const int code = store.insert(payment(kA, 10000, 500));
    ASSERT_GT(code, 0);
    constexpr int kEdits = 1000;
    std::atomic<int> written{0};

    // One desk raises the amount; the other raises the discount and moves the payment to and fro.
    auto desk = [&](bool movesIt) {
        std::unique_ptr<cMySQL> own = DBConnection(0)->connectAnother();
        ReceiveStore mine(own.get());
        for (int i = 0; i < kEdits; ++i) {
            const ReceiveRecord loaded = *mine.load(code);
            ReceiveRecord edited = loaded;
            if (movesIt) {
                edited.dc += 2;
                edited.ccode = loaded.ccode == kA ? kB : kA;
            } else {
                edited.amount += 1;
            }
            written += mine.update(loaded, edited);
        }
    };
    std::thread first(desk, false);
    std::thread second(desk, true);
    first.join();
    second.join();

    EXPECT_EQ(written, 2 * kEdits);
    const ReceiveRecord last = *store.load(code);
    EXPECT_DOUBLE_EQ(last.amount, 10000 + kEdits);
    EXPECT_DOUBLE_EQ(last.dc, 500 + 2 * kEdits);
    EXPECT_DOUBLE_EQ(balance(kA) + balance(kB), 70000 - last.total());
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(Payments, TheCommandLineEntersAPaymentAsTheScreenDoes)
{
    QString text;
    QTextStream out(&text);
    EXPECT_EQ(paymentAdd(out, {kA, u"10000"_s, u"--dc"_s, u"500"_s, u"--card"_s}), 0);
    EXPECT_DOUBLE_EQ(balance(kA), 50000 - 10500);
    const std::optional<ReceiveRecord> p = ReceiveStore().load(DBGetValue(u"SELECT MAX(code) FROM receive"_s).toInt());
    ASSERT_TRUE(p);
    EXPECT_EQ(p->type, 1);

    EXPECT_EQ(paymentAdd(out, {u"999999"_s, u"10000"_s}), 1);
    EXPECT_EQ(paymentAdd(out, {kA, u"0"_s}), 1);
    EXPECT_EQ(paymentAdd(out, {kA, u"만원"_s}), 2);
    EXPECT_EQ(paymentAdd(out, {kA, u"100"_s, u"--dc"_s}), 2);
    EXPECT_EQ(DBRecordCount(u"receive"_s), 1);
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
}
