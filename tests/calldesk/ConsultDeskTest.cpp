#include "AppState.h"
#include "CallIntake.h"
#include "CallListRules.h"
#include "Clock.h"
#include "ConsultStore.h"
#include "CustomerListReceiver.h"
#include "FrmAS_save.h"
#include "FrmCust_sel.h"
#include "FrmProd_sel.h"
#include "Grid.h"
#include "GridDriver.h"
#include "PickerRegistry.h"
#include "RegistryGuard.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "frmAS_admin4.h"
#include "modMySQL_Func.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::ScriptedPrompter;
using asv::test::TestDatabase;
using Kind = ScriptedPrompter::Kind;
using Desk = frmAS_admin4;

namespace {

const QDateTime kNow(QDate(2026, 3, 2), QTime(10, 30));
struct DeskFixture : ::testing::Test {
    TestDatabase db;
    ScriptedPrompter prompter;
    std::unique_ptr<Desk> desk;

    DeskFixture()
    {
        Clock::setFixed(kNow);
        App().EditionCode.clear();
        App().UserCode = u"01"_s;
        App().UserName = u"김상담"_s;
        DBExecute(u"INSERT INTO local_user (code, loginid, name, consult) VALUES ('01', 'kim', '김상담', 1), "
                  u"('02', 'lee', '이상담', 1)"_s);
        DBExecute(u"INSERT INTO customer (code, compname, telno1, telno2, hpno, charge, nowmoney) VALUES "
                  u"('000001', '대한상사', '02-555-0001', '02-123-4567', '', '01', 15000), "
                  u"('000002', '한빛전자', '02-123-4567', '', '', '01', 0), "
                  u"('000003', '모바일상회', '', '', '010-2222-3333', '01', 0)"_s);
        desk = std::make_unique<Desk>();
    }
    ~DeskFixture() override
    {
        desk.reset();
        Clock::clearFixed();
        App().UserCode.clear();
        App().UserName.clear();
    }

    Grid* list() const { return desk->findChild<Grid*>(u"spListRsv"_s); }
    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 0; r < list()->rowCount(); ++r)
            out << list()->text(r, col);
        return out;
    }
    template <typename T>
    T* child(const QString& name) const
    {
        return desk->findChild<T*>(name);
    }
    void ring(const QString& number, bool isLocal = true)
    {
        desk->InputCID(number, isLocal, std::chrono::steady_clock::now());
    }
    static QString value(const QString& sql) { return DBGetValue(sql); }
};

} // namespace

TEST(CallListRules, CountsFollowTheCustomerWhenLinkedElseTheNumberSuffixIgnored)
{
    EXPECT_EQ(WithCallCount(u"02-123-4567"_s, 10), u"02-123-4567(10)"_s);
    EXPECT_EQ(WithoutCallCount(u"02-123-4567(10)"_s), u"02-123-4567"_s);
    EXPECT_EQ(WithoutCallCount(u"1588-1234"_s), u"1588-1234"_s);
    EXPECT_EQ(WithoutCallCount(u"(02)123-4567"_s), u"(02)123-4567"_s);

    // The customer called from two numbers; an unlinked call of one of them counts by number, its
    // count suffix ignored.
    const QList<CallerKey> mixed{{u"000001"_s, u"02-111-1111"_s},
                                 {{}, u"02-222-2222(5)"_s},
                                 {u"000001"_s, u"02-222-2222"_s},
                                 {u"000001"_s, u"02-111-1111"_s},
                                 {{}, u"031-333-3333"_s}};
    EXPECT_EQ(CallCounts(mixed), QList<int>({3, 2, 2, 1, 1}));
}

TEST_F(DeskFixture, IntakeStoresNoAnnouncedCallNamesItRefusesOnTheCanonicalTextAndStoresUnderStrictMode)
{
    CallIntake intake(*DBConnection(0));
    const CallIntake::Call announced = intake.record(u"02-555-0001"_s, false, kNow);
    EXPECT_EQ(announced.code, 0u);
    EXPECT_EQ(announced.name, u"대한상사"_s);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 0);

    ASSERT_GT(intake.record(u"031-777-8888"_s, true, kNow).code, 0u);
    ASSERT_EQ(ConsultStore().renameCaller(u"031-777-8888"_s, u"김철수"_s), 1);
    EXPECT_EQ(intake.record(u"031-777-8888"_s, false, kNow).name, u"김철수"_s);
    const CallIntake::Call again = intake.record(u"031-777-8888"_s, true, kNow.addDays(1));
    EXPECT_EQ(value(u"SELECT cname FROM rsvconsult WHERE code = "_s + QString::number(again.code)), u"김철수"_s);

    EXPECT_EQ(intake.record({}, true, kNow).refusal, CallIntake::Refusal::Empty);
    EXPECT_EQ(intake.record(u"( -  ) -"_s, true, kNow).refusal, CallIntake::Refusal::Empty);
    // Sixteen digits are refused; the brackets and blanks of a typed number are not counted.
    EXPECT_EQ(intake.record(u"0212345678901234"_s, true, kNow).refusal, CallIntake::Refusal::TooLong);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 2);
    const CallIntake::Call typed = intake.record(u"(02) 1234 - 567890"_s, true, kNow);
    EXPECT_EQ(typed.refusal, CallIntake::Refusal::None);
    EXPECT_EQ(typed.number, u"02-123456-7890"_s);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 3);

    // Older servers made these text columns without a default; strict mode then refuses an insert
    // that leaves them out.
    DBExecute(u"ALTER TABLE rsvconsult MODIFY pname text NOT NULL, MODIFY refernote text NOT NULL, "
              u"MODIFY connote text NOT NULL"_s);
    DBExecute(u"SET SESSION sql_mode = 'STRICT_ALL_TABLES'"_s);
    ASSERT_FALSE(DBLastFailed());
    const CallIntake::Call strict = intake.record(u"02-555-0001"_s, true, kNow);
    EXPECT_EQ(value(u"SELECT ccode FROM rsvconsult WHERE code = "_s + QString::number(strict.code)), u"000001"_s);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(DeskFixture, CallsArriveInCanonicalFormEachOnItsOwnRow)
{
    QSignalSpy announced(desk.get(), &Desk::announceCall);
    for (const QString& raw : {u"0212345678"_s, u"0311234567"_s, u"01012345678"_s, u"15881234"_s, u"1234"_s,
                               u"(02) 123-4567"_s})
        ring(raw);
    ring(u"02123456789012345"_s);

    EXPECT_EQ(column(Desk::ColNumber), QStringList({u"02-123-4567(1)"_s, u"1234(1)"_s, u"1588-1234(1)"_s,
                                                    u"010-1234-5678(1)"_s, u"031-123-4567(1)"_s,
                                                    u"02-1234-5678(1)"_s}));
    EXPECT_EQ(child<QLabel>(u"lblRsvCount"_s)->text(), u"(총 : 6건)"_s);
    EXPECT_EQ(prompter.texts(Kind::Error), QStringList{u"잘못된 전화번호가 입력되었습니다."_s});
    // Every number goes to the other desks as it came, the refused one too.
    ASSERT_EQ(announced.size(), 7);
    EXPECT_EQ(announced[5][0].toString(), u"(02) 123-4567"_s);
    EXPECT_EQ(value(u"SELECT GROUP_CONCAT(ctelno ORDER BY code) FROM rsvconsult"_s),
              u"02-1234-5678,031-123-4567,010-1234-5678,1588-1234,1234,02-123-4567"_s);

    // The caller of two customers is the first row with the number on any land line; the row shows
    // it linked and the panel shows it at once, balance included.
    const QString first = value(u"SELECT code FROM customer WHERE telno1 = '02-123-4567' OR telno2 = '02-123-4567' "
                                u"OR telno3 = '02-123-4567' OR telno4 = '02-123-4567'"_s);
    EXPECT_EQ(list()->text(0, Desk::ColCustomer), first);
    EXPECT_EQ(value(u"SELECT CONCAT_WS('|', ccode, cname, condate, contime, state) FROM rsvconsult WHERE code = "_s
                    + list()->text(0, Desk::ColCall)),
              first + u'|' + value(u"SELECT compname FROM customer WHERE code = '"_s + first + u"'"_s)
                  + u"|2026-03-02|10:30|0"_s);
    EXPECT_EQ(list()->cells().foreground(0, Desk::ColName), QColor(Qt::blue));
    EXPECT_EQ(desk->shownCustomer(), list()->text(0, Desk::ColCustomer));
    EXPECT_EQ(list()->text(1, Desk::ColCustomer), QString());
    EXPECT_TRUE(desk->rowToolTip(0).endsWith(u" ms"_s));

    // The panel reads balance, open AS jobs and the last sale at once.
    DBExecute(u"INSERT INTO aslist_m (ccode, state) VALUES ('000001', 0), ('000001', 0), ('000001', 1), ('000002', 0)"_s);
    DBExecute(u"INSERT INTO sale (ccode, dealdate, pname) VALUES ('000001', '2026-01-05', '정수기'), "
              u"('000001', '2026-02-10', '필터'), ('000002', '2026-03-01', '남의 것')"_s);
    ring(u"025550001"_s);
    QStringList panel;
    for (const QString& name : {u"compname"_s, u"nowmoney"_s, u"openasjobs"_s, u"lastsale"_s})
        panel << child<QLineEdit>(u"txtCust_"_s + name)->text();
    EXPECT_EQ(panel, QStringList({u"대한상사"_s, u"15,000"_s, u"2"_s, u"2026-02-10 필터"_s}));
}

TEST_F(DeskFixture, AMobileOnlyCustomerIsNotRecognisedButItsManualCallUsesTheMobileAndCounts)
{
    ring(u"01022223333"_s);
    EXPECT_EQ(list()->text(0, Desk::ColCustomer), QString());

    child<QLineEdit>(u"txtCustom"_s)->setText(u"모바일"_s);
    emit child<QLineEdit>(u"txtCustom"_s)->returnPressed();
    ASSERT_EQ(desk->shownCustomer(), u"000003"_s);
    prompter.answer(MsgAnswer::Yes);
    child<QPushButton>(u"btnRsv"_s)->click();
    // Recorded under the mobile number and taken by the operator at once; the caller's calls count
    // down, and a re-read agrees.
    const QStringList counted{u"010-2222-3333(2)"_s, u"010-2222-3333(1)"_s};
    EXPECT_EQ(column(Desk::ColNumber), counted);
    EXPECT_EQ(list()->text(0, Desk::ColConsultant), u"김상담"_s);
    EXPECT_EQ(value(u"SELECT regucode FROM rsvconsult WHERE code = "_s + list()->text(0, Desk::ColCall)), u"01"_s);
    EXPECT_EQ(prompter.unanswered(), 0);
    desk->loadCalls();
    EXPECT_EQ(column(Desk::ColNumber), counted);
}

TEST_F(DeskFixture, TheDesksCustomerSearchLetsTheOperatorPickAmongSeveral)
{
    test::RegistryGuard guard({kFindKindCust});
    FrmCust_sel::registerPicker();
    QSignalSpy history(desk.get(), &Desk::historyRequested);
    auto* search = child<QLineEdit>(u"txtCustom"_s);
    search->setText(u"상"_s);
    test::whenModal<FrmCust_sel>([](FrmCust_sel* picker) {
        EXPECT_EQ(picker->list()->rowCount(), 2);
        test::selectCodes(picker->list(), {u"000001"_s});
        test::click(*picker, u"btnSel"_s);
    });
    emit search->returnPressed();
    EXPECT_EQ(desk->shownCustomer(), u"000001"_s);
    EXPECT_EQ(child<QLineEdit>(u"txtCust_telno2"_s)->text(), u"02-123-4567"_s);
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history[0][0].toString(), u"000001"_s);

    search->setText(u"없는고객"_s);
    prompter.answer(MsgAnswer::No);
    emit search->returnPressed();
    EXPECT_EQ(prompter.texts(Kind::YesNo),
              QStringList{u"검색한 고객이 등록되어 있지 않습니다.\r\n신규 등록하시겠습니까?"_s});
    EXPECT_EQ(desk->shownCustomer(), u"000001"_s);

    // A number typed without its hyphens, or by its last digits, is its customer.
    search->setText(u"3333"_s);
    emit search->returnPressed();
    EXPECT_EQ(desk->shownCustomer(), u"000003"_s);
    search->setText(u"5550001"_s);
    emit search->returnPressed();
    EXPECT_EQ(desk->shownCustomer(), u"000001"_s);
}

TEST_F(DeskFixture, AnAnnouncedCallStoresNothingAndIsReadBackBeforeItIsTaken)
{
    CallIntake announcing(*DBConnection(0));
    const quint32 earlier = announcing.record(u"031-123-4567"_s, true, kNow.addSecs(-600)).code;
    desk->loadCalls();
    ring(u"0311234567"_s, false);
    EXPECT_EQ(column(Desk::ColCall), QStringList({QString(), QString::number(earlier)}));
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 1);

    // Clicked before the announcing desk stored it: the caller's earlier call is not taken instead.
    desk->selectCall(0, Desk::ColConsultant);
    EXPECT_EQ(value(u"SELECT COUNT(*) FROM rsvconsult WHERE regucode <> ''"_s), u"0"_s);
    EXPECT_EQ(child<QLineEdit>(u"txtConsultSeq"_s)->text(), QString());

    // Once stored, clicking our row takes that call.
    ring(u"0311234567"_s, false);
    const quint32 announced = announcing.record(u"031-123-4567"_s, true, kNow).code;
    desk->selectCall(0, Desk::ColConsultant);
    EXPECT_EQ(value(u"SELECT GROUP_CONCAT(code) FROM rsvconsult WHERE regucode = '01'"_s), QString::number(announced));
    EXPECT_EQ(column(Desk::ColCall), QStringList({QString::number(announced), QString::number(earlier)}));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    // Another desk taking an announced call names it on our row; a call assigned to us shows us.
    ring(u"0318888888"_s, false);
    desk->ShowTakenElsewhere(u"77"_s, u"031-888-8888"_s, u"10:30"_s, u"02"_s);
    EXPECT_EQ(list()->text(0, Desk::ColCall), u"77"_s);
    EXPECT_EQ(list()->text(0, Desk::ColConsultant), u"이상담"_s);
    desk->InputCIDForMe(u"0317777777"_s, std::chrono::steady_clock::now());
    EXPECT_EQ(list()->text(0, Desk::ColConsultant), u"김상담"_s);
    EXPECT_EQ(DBRecordCount(u"rsvconsult"_s), 2);
}

TEST_F(DeskFixture, SelectingAnotherCallWithUnsavedChangesSavesTheOldOneClosed)
{
    ring(u"0311111111"_s);
    ring(u"0312222222"_s);
    const QString older = list()->text(1, Desk::ColCall);
    desk->selectCall(1, Desk::ColConsultant);
    auto* talk = child<QPlainTextEdit>(u"txtTalk2"_s);
    ASSERT_FALSE(talk->isReadOnly());
    talk->setPlainText(u"필터 교체 안내"_s);
    child<QRadioButton>(u"optState1"_s)->setChecked(true);
    ASSERT_TRUE(child<QPushButton>(u"btnSave"_s)->isEnabled());

    prompter.answer(MsgAnswer::Yes);
    desk->selectCall(0, Desk::ColTime);
    EXPECT_EQ(value(u"SELECT CONCAT_WS('|', state, connote, regucode, condate) FROM rsvconsult WHERE code = "_s + older),
              u"2|필터 교체 안내|01|2026-03-02"_s);
    EXPECT_EQ(child<QLineEdit>(u"txtConsultSeq"_s)->text(), list()->text(0, Desk::ColCall));

    // Cancel keeps the call being written.
    desk->selectCall(1, Desk::ColTime);
    talk->setPlainText(u"다시 씀"_s);
    prompter.answer(MsgAnswer::Cancel);
    desk->selectCall(0, Desk::ColTime);
    EXPECT_EQ(child<QLineEdit>(u"txtConsultSeq"_s)->text(), older);
    EXPECT_TRUE(child<QPushButton>(u"btnSave"_s)->isEnabled());
}

TEST_F(DeskFixture, ACallOfAnotherConsultantOrOfNobodyIsReadOnly)
{
    ring(u"0311111111"_s);
    ring(u"0312222222"_s);
    DBExecute(u"UPDATE rsvconsult SET regucode = '02', connote = '이미 상담함', state = 1 WHERE code = "_s
              + list()->text(1, Desk::ColCall));
    auto* talk1 = child<QPlainTextEdit>(u"txtTalk1"_s);

    desk->selectCall(1, Desk::ColTime);
    EXPECT_EQ(child<QPlainTextEdit>(u"txtTalk2"_s)->toPlainText(), u"이미 상담함"_s);
    EXPECT_TRUE(talk1->isReadOnly());
    EXPECT_FALSE(child<QRadioButton>(u"optState1"_s)->isEnabled());
    EXPECT_FALSE(child<QPushButton>(u"btnSave"_s)->isEnabled());
    QTest::mouseClick(talk1->viewport(), Qt::LeftButton);
    desk->selectCall(0, Desk::ColTime);
    QTest::mouseClick(talk1->viewport(), Qt::LeftButton);
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList({u"자신이 선택한 수신내역만 상담정보를 수정(입력)할 수 있습니다."_s,
                                                       u"좌측의 수신 내역에서 상담자를 선택하세요."_s}));

    // Taking it over asks first; the re-read shows who has it now.
    DBExecute(u"UPDATE rsvconsult SET regucode = '02' WHERE code = "_s + list()->text(0, Desk::ColCall));
    prompter.answer(MsgAnswer::No);
    desk->selectCall(0, Desk::ColConsultant);
    EXPECT_EQ(prompter.texts(Kind::YesNo), QStringList{u"상담자를 지정(변경) 하시겠습니까?"_s});
    EXPECT_EQ(list()->text(0, Desk::ColConsultant), u"이상담"_s);
    EXPECT_TRUE(talk1->isReadOnly());
}

TEST_F(DeskFixture, NamingAnUnknownCallerRenamesItsCallsOfEveryDay)
{
    CallIntake(*DBConnection(0)).record(u"031-777-8888"_s, true, kNow.addDays(-3));
    ring(u"0317778888"_s);
    ring(u"0212345678"_s);
    ring(u"0317778888"_s);
    ring(u"025550001"_s);

    ASSERT_TRUE(list()->editCell(1, Desk::ColName, u"박영희"_s));
    EXPECT_EQ(column(Desk::ColName).mid(1), QStringList({u"박영희"_s, u""_s, u"박영희"_s}));
    EXPECT_EQ(value(u"SELECT GROUP_CONCAT(cname ORDER BY code) FROM rsvconsult"_s), u"박영희,박영희,,박영희,대한상사"_s);

    // A customer's name stays the customer's.
    ASSERT_EQ(list()->text(0, Desk::ColName), u"대한상사"_s);
    list()->editCell(0, Desk::ColName, u"딴이름"_s);
    EXPECT_EQ(list()->text(0, Desk::ColName), u"대한상사"_s);
    EXPECT_EQ(prompter.texts(Kind::Error),
              QStringList{u"이미 등록된 고객이므로 수정이 불가합니다.\r\n수정은 고객관리 화면에서 가능합니다."_s});
}

TEST_F(DeskFixture, APendingConsultationIsSavedWithItsCategoryAndProductAndStaysEditable)
{
    test::RegistryGuard guard({kFindKindProd});
    FrmProd_sel::registerPicker();
    DBExecute(u"INSERT INTO product (code, name) VALUES ('P00001', '정수기 A100')"_s);
    ring(u"0311111111"_s);
    desk->selectCall(0, Desk::ColConsultant);
    const QString call = list()->text(0, Desk::ColCall);

    // An unknown category is registered on Yes; a product found by part of its name brings its code.
    auto* category = child<QLineEdit>(u"txtConsult"_s);
    category->setText(u"설치문의"_s);
    prompter.answer(MsgAnswer::Yes);
    emit category->returnPressed();
    const QString categoryCode = value(u"SELECT code FROM ascode WHERE part = 9 AND name = '설치문의'"_s);
    ASSERT_FALSE(categoryCode.isEmpty());
    EXPECT_EQ(child<QLineEdit>(u"txtConsultCode"_s)->text(), categoryCode);
    auto* product = child<QLineEdit>(u"txtConsultPro"_s);
    product->setText(u"A100"_s);
    emit product->returnPressed();
    EXPECT_EQ(child<QLineEdit>(u"txtConsultProCode"_s)->text(), u"P00001"_s);

    child<QPlainTextEdit>(u"txtTalk1"_s)->setPlainText(u"설치 일정"_s);
    child<QRadioButton>(u"optState1"_s)->setChecked(true);
    child<QPushButton>(u"btnSave"_s)->click();
    EXPECT_EQ(value(u"SELECT CONCAT_WS('|', state, concode, pcode, pname, refernote, contime) FROM rsvconsult WHERE code = "_s + call),
              u"1|"_s + categoryCode + u"|P00001|정수기 A100|설치 일정|10:30"_s);
    EXPECT_TRUE(prompter.saw(u"자료가 저장되었습니다."_s));
    EXPECT_FALSE(child<QPushButton>(u"btnSave"_s)->isEnabled());

    // A product that is not registered is kept as typed, without a code, on No.
    product->setText(u"없는상품"_s);
    prompter.answer(MsgAnswer::No);
    emit product->returnPressed();
    EXPECT_EQ(product->text(), u"없는상품"_s);
    EXPECT_EQ(child<QLineEdit>(u"txtConsultProCode"_s)->text(), QString());

    desk->selectCall(0, Desk::ColTime);
    EXPECT_FALSE(child<QPlainTextEdit>(u"txtTalk2"_s)->isReadOnly());
    EXPECT_EQ(child<QLineEdit>(u"txtConsult"_s)->text(), u"설치문의"_s);
}

namespace {

struct SmsScreen : QWidget, CustomerListReceiver {
    static inline QStringList handed;
    void showCustomers(const QStringList& codes) override { handed = codes; }
};

} // namespace

TEST_F(DeskFixture, OpenersFollowTheRegistryAndTheCustomisedEditionCompletesByNumber)
{
    test::RegistryGuard guard({}, {u"mnuSMS"_s, u"mnuSlip2"_s});
    ScreenRegistry::remove(u"mnuSMS"_s);
    ScreenRegistry::add(u"mnuSlip2"_s, {[](QWidget*) { return new QWidget; }, false});
    App().EditionCode = u"Tamber"_s;
    Desk tamber;
    auto* sms = tamber.findChild<QPushButton*>(u"btnSMS"_s);
    EXPECT_FALSE(sms->isEnabled());
    ScreenRegistry::add(u"mnuSMS"_s, {[](QWidget*) { return new SmsScreen; }, false});
    tamber.show();
    EXPECT_TRUE(sms->isEnabled());

    // A sale needs a registered customer; the SMS screen gets the shown one.
    tamber.findChild<QPushButton*>(u"btnSell"_s)->click();
    EXPECT_EQ(prompter.texts(Kind::Warn), QStringList{u"등록되어 있지 않은 고객에게는 상품 판매가 불가능합니다."_s});
    for (int i = 0; i < 10; ++i)
        tamber.InputCID(u"025550001"_s, true, std::chrono::steady_clock::now());
    sms->click();
    EXPECT_EQ(SmsScreen::handed, QStringList{u"000001"_s});

    DBExecute(u"INSERT INTO tamberlog (calls_id, phone_no) VALUES ('a', '02-555-0001'), ('b', '02-555-0002')"_s);
    tamber.selectCall(0, Desk::ColTime);
    tamber.findChild<QPushButton*>(u"btnConsultEnd"_s)->click();
    EXPECT_EQ(value(u"SELECT GROUP_CONCAT(client_check ORDER BY code) FROM tamberlog"_s), u"-1,"_s);
    EXPECT_TRUE(prompter.saw(u"완료 처리 되었습니다."_s));
    EXPECT_TRUE(prompter.texts(Kind::Error).isEmpty());
    EXPECT_EQ(tamber.findChild<QLineEdit*>(u"txtCust_nowmoney"_s), nullptr);
    EXPECT_NE(tamber.findChild<QLineEdit*>(u"txtCust_serialnumber"_s), nullptr);
    App().EditionCode.clear();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (dynamic_cast<SmsScreen*>(w))
            w->close();
    }
}

namespace {

// The caller panel's texts of the named columns, joined by '|'.
QString panelOf(const Desk& desk, const QStringList& columns)
{
    QStringList texts;
    for (const QString& column : columns)
        texts << desk.findChild<QLineEdit*>(u"txtCust_"_s + column)->text();
    return texts.join(u'|');
}

const QStringList kCallerFigures{u"compname"_s, u"nowmoney"_s, u"openasjobs"_s, u"lastsale"_s};

} // namespace

TEST_F(DeskFixture, PanelAndHistoriesShowOneCustomerThroughRingsSearchesAndTheDesksOwnDocuments)
{
    QSignalSpy history(desk.get(), &Desk::historyRequested);
    const auto lastHistory = [&] {
        return history.isEmpty() ? QString() : history.last()[0].toString() + u'|' + history.last()[1].toString();
    };

    // At an idle desk a ring shows all of its caller, histories included, an unknown caller too.
    ring(u"025550001"_s);
    EXPECT_EQ(desk->shownCustomer(), u"000001"_s);
    EXPECT_EQ(lastHistory(), u"000001|02-555-0001"_s);
    ring(u"0319998888"_s);
    EXPECT_EQ(panelOf(*desk, {u"compname"_s, u"nowmoney"_s}), u"|"_s);
    EXPECT_EQ(lastHistory(), u"|031-999-8888"_s);

    // The customer the operator looked up stays while the office rings.
    child<QLineEdit>(u"txtCustom"_s)->setText(u"한빛"_s);
    emit child<QLineEdit>(u"txtCustom"_s)->returnPressed();
    const qsizetype requests = history.size();
    ring(u"025550001"_s);
    EXPECT_EQ(desk->shownCustomer(), u"000002"_s);
    EXPECT_EQ(history.size(), requests);

    // An AS job received from the desk's button is in the panel and the histories at once.
    test::RegistryGuard guard({}, {u"FrmAS_save"_s, u"mnuSlip2"_s});
    ScreenRegistry::add(u"FrmAS_save"_s, {[](QWidget* parent) { return new FrmAS_save(parent); }, true});
    QPointer<QWidget> slip;
    ScreenRegistry::add(u"mnuSlip2"_s, {[&slip](QWidget*) { return slip = new QWidget; }, false});
    DBExecute(u"INSERT INTO ascode (pcode, part, name) VALUES ('000000', 0, '고장')"_s);
    DBExecute(u"INSERT INTO product (code, name) VALUES ('P00001', '정수기')"_s);
    desk->show();
    test::whenModal<FrmAS_save>([](FrmAS_save* reception) {
        reception->presetProduct(u"P00001"_s);
        auto* kind = reception->findChild<QComboBox*>(u"Combo1"_s);
        kind->setCurrentIndex(kind->findText(u"고장"_s));
        test::click(*reception, u"btnSave"_s);
        if (reception->isVisible())
            reception->done(QDialog::Rejected);
    });
    child<QPushButton>(u"btnSel"_s)->click();
    EXPECT_EQ(value(u"SELECT COUNT(*) FROM aslist_m WHERE ccode = '000002'"_s), u"1"_s);
    EXPECT_EQ(panelOf(*desk, kCallerFigures), u"한빛전자|0|1|"_s);
    EXPECT_EQ(lastHistory(), u"000002|"_s);

    // The slip writes as it is edited and tells nobody: closing it reads the customer again.
    child<QPushButton>(u"btnSell"_s)->click();
    ASSERT_TRUE(slip);
    DBExecute(u"INSERT INTO sale (ccode, dealdate, pname, total) VALUES ('000002', '2026-03-02', '정수기', 1234567)"_s);
    DBExecute(u"UPDATE customer SET nowmoney = 1234567 WHERE code = '000002'"_s);
    history.clear();
    slip->close();
    QTRY_VERIFY(slip.isNull());
    EXPECT_EQ(panelOf(*desk, kCallerFigures), u"한빛전자|1,234,567|1|2026-03-02 정수기"_s);
    EXPECT_EQ(lastHistory(), u"000002|"_s);
    EXPECT_EQ(prompter.count(Kind::Error), 0) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(DeskFixture, TypedNamesDropTheirStaleCodesAndAnUnknownProductAsksTheDesksQuestion)
{
    test::RegistryGuard guard({kFindKindProd});
    FrmProd_sel::registerPicker();
    DBExecute(u"INSERT INTO product (code, name) VALUES ('P00001', '정수기 A100')"_s);
    DBExecute(u"INSERT INTO ascode (code, pcode, part, name) VALUES (41, '000000', 9, '설치문의')"_s);
    ring(u"0311111111"_s);

    // Taken with the button, after the operator chose the row.
    child<QPushButton>(u"btnTake"_s)->click();
    EXPECT_EQ(prompter.texts(Kind::Info), QStringList{u"받을 수신 내역을 먼저 선택하세요."_s});
    list()->selectRow(0);
    child<QPushButton>(u"btnTake"_s)->click();
    EXPECT_EQ(value(u"SELECT regucode FROM rsvconsult"_s), u"01"_s);
    auto* category = child<QLineEdit>(u"txtConsult"_s);
    ASSERT_FALSE(category->isReadOnly());

    category->setText(u"설치문의"_s);
    emit category->returnPressed();
    auto* product = child<QLineEdit>(u"txtConsultPro"_s);
    product->setText(u"A100"_s);
    emit product->returnPressed();
    ASSERT_EQ(child<QLineEdit>(u"txtConsultCode"_s)->text() + child<QLineEdit>(u"txtConsultProCode"_s)->text(),
              u"41P00001"_s);

    // Typed over, not confirmed with Enter: saved without the old codes.
    QTest::keyClick(category, Qt::Key_Backspace);
    QTest::keyClick(product, Qt::Key_Backspace);
    child<QRadioButton>(u"optState2"_s)->setChecked(true);
    child<QPushButton>(u"btnSave"_s)->click();
    EXPECT_EQ(value(u"SELECT CONCAT_WS('|', concode, pcode, pname) FROM rsvconsult"_s), u"0||정수기 A10"_s);

    const QString question = u"현재 입력하신 상품은 등록된 상품이 아닙니다.\r\n\r\n<예> 신규등록\r\n"
                             u"<아니오> 신규등록하지 않고 계속 입력\r\n<취소> 취소"_s;
    prompter.clear();
    product->setText(u"없는상품"_s);
    prompter.answer(MsgAnswer::Cancel);
    emit product->returnPressed();
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().last().text, question);
    EXPECT_EQ(prompter.messages().last().title, u"상품명"_s);
    EXPECT_EQ(prompter.messages().last().kind, Kind::YesNoCancel);
    EXPECT_EQ(product->text() + u'|' + child<QLineEdit>(u"txtConsultProCode"_s)->text(), u"없는상품|"_s);
    EXPECT_EQ(value(u"SELECT COUNT(*) FROM product WHERE name = '없는상품'"_s), u"0"_s);
}

TEST_F(DeskFixture, ShortAreaNumbersKeepTheirDigitsAndAnotherDesksRefusedNumberIsOnlyANotice)
{
    ring(u"02-123"_s);
    ring(u"021234"_s);
    EXPECT_EQ(column(Desk::ColNumber), QStringList({u"02-1234(1)"_s, u"02-123(1)"_s}));
    EXPECT_EQ(value(u"SELECT GROUP_CONCAT(ctelno ORDER BY code) FROM rsvconsult"_s), u"02-123,02-1234"_s);

    ring(u"02123456789012345"_s, false);
    EXPECT_EQ(prompter.count(Kind::Error), 0);
    EXPECT_EQ(prompter.count(Kind::Notice), 1);
    EXPECT_TRUE(prompter.saw(u"잘못된 전화번호가 입력되었습니다."_s));
    EXPECT_EQ(list()->rowCount(), 2);
}
TEST_F(DeskFixture, TheDeskFitsAnOfficeScreenAndGrowsWithItsWindow)
{
    // The 1366 x 768 screens of many offices, less the main window's frame.
    const QSize least = desk->minimumSizeHint();
    EXPECT_LE(least.width(), 1300);
    EXPECT_LE(least.height(), 700);
    desk->resize(least);
    desk->show();
    QTest::qWait(20);
    const int listBefore = list()->width();
    const int historyBefore = desk->historyArea()->width();
    desk->resize(least.width() + 400, least.height());
    QTest::qWait(20);
    EXPECT_GT(list()->width(), listBefore);
    EXPECT_GT(desk->historyArea()->width(), historyBefore + 100);
}
