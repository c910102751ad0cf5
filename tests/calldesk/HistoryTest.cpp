#include "AppState.h"
#include "AsJobReceivers.h"
#include "AsCodeStore.h"
#include "Clock.h"
#include "ConfigKeys.h"
#include "CustomerHistoryPanes.h"
#include "FrmAS_SubAS.h"
#include "FrmAS_SubConsult2.h"
#include "FrmAS_SubDate.h"
#include "FrmAS_SubSell.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HistoryPeriods.h"
#include "HistoryStore.h"
#include "RegistryGuard.h"
#include "ScreenRegistry.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "WidgetDriver.h"
#include "frmAS_SubConsult.h"
#include "hcDate.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::whenModal;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

const HistoryPeriod kMarch{u"2026-03-01"_s, u"2026-03-31"_s};

// Two consultants, a product, a customer and the clock on a fixed afternoon; the desk's user is
// the first consultant.
struct HistoryFixture : ::testing::Test {
    test::TestDatabase db;
    test::ScriptedPrompter prompter;

    static inline const QString kCustomer = u"C00001"_s;
    static inline const QString kNumber = u"0212345678"_s;

    HistoryFixture()
    {
        at(QDate(2026, 3, 10));
        App().UserCode = u"01"_s;
        App().EditionCode.clear();
        sql(u"INSERT INTO local_user (code, name) VALUES ('01', '김상담'), ('02', '이상담')"_s);
        sql(u"INSERT INTO product (code, name, norm, unit) VALUES ('P00001', '세탁기', 'WM-10', '대')"_s);
        sql(u"INSERT INTO customer (code, compname) VALUES ('C00001', '한빛상사'), ('C00002', '다른상사')"_s);
    }
    ~HistoryFixture() override
    {
        Clock::clearFixed();
        App().UserCode.clear();
        App().EditionCode.clear();
    }

    static void at(const QDate& day) { Clock::setFixed(QDateTime(day, QTime(14, 30))); }
    static void sql(const QString& statement)
    {
        DBExecute(statement);
        ASSERT_FALSE(DBLastFailed()) << statement.toStdString();
    }
    // A received call; its code.
    static int call(const QString& ccode, const QString& number, const QString& consultant, const QString& date,
                    const QString& time, int state, const QString& inquiry = {})
    {
        sql(u"INSERT INTO rsvconsult (ccode, ctelno, regucode, condate, contime, state, refernote, pname, connote) "
            "VALUES ('%1', '%2', '%3', '%4', '%5', %6, '%7', '', '')"_s.arg(ccode, number, consultant, date, time,
                                                                          QString::number(state), inquiry));
        return static_cast<int>(DBInsertId());
    }
    // One column of every row.
    static QStringList column(const RecordSetPtr& rs, int col)
    {
        QStringList values;
        for (int row = 0; row < rs->rowCount(); ++row)
            values << rs->value(row, col);
        return values;
    }
    static QStringList column(Grid* grid, const QString& caption) { return test::column(grid, caption); }
    // Enter on a row, as the operator opens its detail window.
    static void enterOn(Grid* grid, int row)
    {
        grid->setCurrentIndex(grid->model()->index(row, 0));
        QTest::keyClick(grid, Qt::Key_Return);
    }
    static QString count(const CustomerHistoryPanes& panes, const QString& name)
    {
        return panes.findChild<QLabel*>(u"lblCount"_s + name)->text();
    }
    // The texts of the named fields, joined by '|'.
    static QString shown(const QWidget* window, const QStringList& names)
    {
        QStringList texts;
        for (const QString& name : names)
            texts << window->findChild<QLineEdit*>(name)->text();
        return texts.join(u'|');
    }
};

} // namespace

TEST_F(HistoryFixture, EveryAsJobOfThePeriodIsListedAMissingProductUserOrTypeAsAnEmptyName)
{
    sql(u"INSERT INTO ascode (code, part, name) VALUES (7, 0, '소음')"_s);
    const auto job = [](const QString& remark, const QString& pcode, const QString& charge, int type,
                        const QString& date, const QString& ccode = kCustomer) {
        sql(u"INSERT INTO aslist_m (ccode, pcode, charge, typecode0, dealdate, dealbigo, state) "
            "VALUES ('%1', '%2', '%3', %4, '%5', '%6', 9)"_s.arg(ccode, pcode, charge, QString::number(type), date,
                                                                remark));
    };
    job(u"later"_s, u"P00001"_s, u"02"_s, 7, u"2026-03-20"_s);
    job(u"earlier"_s, u"P00001"_s, u"01"_s, 7, u"2026-03-02"_s);
    job(u"no product"_s, u"P99999"_s, u"01"_s, 7, u"2026-03-05"_s);
    job(u"no user"_s, u"P00001"_s, {}, 7, u"2026-03-05"_s);
    job(u"no type"_s, u"P00001"_s, u"01"_s, 8, u"2026-03-05"_s);
    job(u"last day"_s, u"P00001"_s, u"01"_s, 7, u"2026-03-31"_s);
    job(u"before"_s, u"P00001"_s, u"01"_s, 7, u"2026-02-28"_s);
    job(u"other customer"_s, u"P00001"_s, u"01"_s, 7, u"2026-03-05"_s, u"C00002"_s);

    const RecordSetPtr rs = HistoryStore().asJobs(kCustomer, kMarch);
    EXPECT_EQ(column(rs, 3), QStringList({u"earlier"_s, u"no product"_s, u"no user"_s, u"no type"_s, u"later"_s,
                                          u"last day"_s}));
    EXPECT_EQ(column(rs, 4), QStringList({u"세탁기"_s, u""_s, u"세탁기"_s, u"세탁기"_s, u"세탁기"_s, u"세탁기"_s}));
    EXPECT_EQ(column(rs, 5), QStringList({u"김상담"_s, u"김상담"_s, u""_s, u"김상담"_s, u"이상담"_s, u"김상담"_s}));
    EXPECT_EQ(column(rs, 6), QStringList({u"소음"_s, u"소음"_s, u"소음"_s, u""_s, u"소음"_s, u"소음"_s}));

    // The pane counts them all.
    CustomerHistoryPanes panes;
    HistoryPeriods::AS.from.set(kMarch.from);
    HistoryPeriods::AS.to.set(kMarch.to);
    panes.ShowASList(kCustomer);
    EXPECT_EQ(count(panes, u"AS"_s), u"(총 : 6건)"_s);
}

TEST_F(HistoryFixture, ConsultationsAreTheWrittenOnesWithAConsultantOfTheCustomerOrOfTheNumber)
{
    const int byCustomer = call(kCustomer, u"0311112222"_s, u"01"_s, u"2026-03-09"_s, u"09:00"_s, 2);
    const int byNumber = call({}, kNumber, u"02"_s, u"2026-03-09"_s, u"17:45"_s, 1);
    const int newest = call(kCustomer, kNumber, u"01"_s, u"2026-03-10"_s, u"08:00"_s, 1);
    call(kCustomer, kNumber, u"01"_s, u"2026-03-10"_s, u"09:00"_s, 0);    // never written
    call(kCustomer, kNumber, {}, u"2026-03-10"_s, u"10:00"_s, 1);          // nobody took it
    call(kCustomer, kNumber, u"77"_s, u"2026-03-10"_s, u"11:00"_s, 1);     // consultant since deleted
    call(kCustomer, kNumber, u"01"_s, u"2026-02-27"_s, u"11:00"_s, 2);     // before the period
    call(u"C00002"_s, u"0299998888"_s, u"01"_s, u"2026-03-10"_s, u"12:00"_s, 2);
    call({}, {}, u"01"_s, u"2026-03-10"_s, u"12:30"_s, 2);                 // no number at all

    const auto codes = [](const QString& ccode, const QString& number) {
        return column(HistoryStore().consultations(ccode, number, kMarch), 6);
    };
    const QString n = QString::number(newest), c = QString::number(byCustomer), k = QString::number(byNumber);
    EXPECT_EQ(codes(kCustomer, kNumber), QStringList({n, k, c}));
    // An unknown caller: the number's calls alone.
    EXPECT_EQ(codes({}, kNumber), QStringList({n, k}));
    EXPECT_TRUE(codes({}, u"0500000000"_s).isEmpty());
    // A side that is not known matches nothing, not every call that lacks it.
    EXPECT_EQ(codes(kCustomer, {}), QStringList({n, c}));
    EXPECT_TRUE(codes({}, {}).isEmpty());
}

TEST_F(HistoryFixture, PurchasesAreTheCustomersSalesOfThePeriodByDate)
{
    sql(u"INSERT INTO sale (ccode, pcode, pname, qnt, dealdate) VALUES "
        "('C00001', 'P00001', '세탁기', 2, '2026-03-15'), ('C00001', 'P00001', '건조기', 1.5, '2026-03-01'), "
        "('C00001', 'P00001', '예전', 1, '2026-02-01'), ('C00002', 'P00001', '남의것', 1, '2026-03-02')"_s);
    const RecordSetPtr rs = HistoryStore().sales(kCustomer, kMarch);
    EXPECT_EQ(column(rs, 2), QStringList({u"건조기"_s, u"세탁기"_s}));
    EXPECT_EQ(rs->value(0, 3).toDouble(), 1.5);
}

TEST_F(HistoryFixture, PanesShowDatesProductsAmountsAndStatesNotTheirCodes)
{
    sql(u"INSERT INTO sale (ccode, pcode, pname, qnt, total, dealdate) VALUES "
        "('C00001', 'P00001', '세탁기', 2, 1250000, '2026-03-05')"_s);
    CustomerHistoryPanes panes;
    panes.resize(400, 600);
    panes.showCustomer(kCustomer, kNumber);
    const auto shownCaptions = [](Grid* grid) {
        QStringList captions;
        for (int c : grid->visibleColumns())
            captions << grid->model()->headerData(c, Qt::Horizontal).toString();
        return captions;
    };
    EXPECT_EQ(shownCaptions(panes.sellList()), QStringList({u"판매일자"_s, u"상품명"_s, u"수량"_s, u"금액"_s}));
    EXPECT_FALSE(shownCaptions(panes.asList()).contains(u"AS코드"_s));
    EXPECT_FALSE(shownCaptions(panes.consultList()).contains(u"수신번호"_s));
    EXPECT_EQ(panes.sellList()->model()->index(0, 4).data().toString(), u"1,250,000"_s);
    // What the operator reads fits: no column beyond the pane's width but the free text's share.
    panes.show();
    QTest::qWait(20);
    int used = 0;
    for (int c : panes.sellList()->visibleColumns())
        used += panes.sellList()->columnWidth(c);
    EXPECT_LE(used, panes.sellList()->viewport()->width());
}

TEST_F(HistoryFixture, ListEndsMoveToTodayOnANewDayAndStartsAreTheOperators)
{
    HistoryPeriods::Consult.to.set(u"2026-03-01"_s); // narrowed the day before
    const int today = call(kCustomer, kNumber, u"01"_s, u"2026-03-10"_s, u"09:00"_s, 1);
    call(kCustomer, kNumber, u"01"_s, u"2026-02-10"_s, u"09:00"_s, 2);
    CustomerHistoryPanes panes;
    for (const HistoryPeriodSetting* p : {&HistoryPeriods::AS, &HistoryPeriods::Consult, &HistoryPeriods::Sell})
        EXPECT_EQ(p->to.text(), u"2026-03-10"_s);
    panes.showCustomer(kCustomer, kNumber);
    EXPECT_EQ(count(panes, u"Consult"_s), u"(총 : 2건)"_s);

    // The desk stays open past midnight.
    at(QDate(2026, 3, 11));
    const int tomorrow = call({}, kNumber, u"02"_s, u"2026-03-11"_s, u"08:10"_s, 2);
    panes.ShowConsultList(kCustomer, kNumber);
    EXPECT_EQ(count(panes, u"Consult"_s), u"(총 : 3건)"_s);
    whenModal<FrmAS_SubDate>([](FrmAS_SubDate* window) {
        EXPECT_EQ(window->findChild<hcDate*>(u"dtAS1"_s)->Text(), u"2000-01-01"_s);
        EXPECT_EQ(window->findChild<QLabel*>(u"lblConsult2"_s)->text(), u"2026-03-11"_s);
        auto* from = window->findChild<hcDate*>(u"dtConsult1"_s);
        from->SetText(u"2026-02-30"_s);
        test::click(*window, u"btnClose"_s); // no date: stays open
        from->SetText(u"2026-03-01"_s);
        test::click(*window, u"btnClose"_s);
    });
    test::click(panes, u"btnSetTerm"_s);
    EXPECT_EQ(prompter.count(Kind::Warn), 1);
    EXPECT_EQ(HistoryPeriods::Consult.read().from, u"2026-03-01"_s);
    EXPECT_EQ(column(panes.consultList(), u"수신번호"_s),
              QStringList({QString::number(tomorrow), QString::number(today)}));

    CustomerHistoryPanes nextDay;
    EXPECT_EQ(HistoryPeriods::AS.read().to, u"2026-03-11"_s);
}

TEST_F(HistoryFixture, PanesShowTheCustomersListsAnUnknownCallerOnlyTheNumbersConsultations)
{
    sql(u"INSERT INTO ascode (code, part, name) VALUES (7, 0, '소음')"_s);
    sql(u"INSERT INTO aslist_m (ccode, pcode, charge, typecode0, dealdate, dealbigo, state) VALUES "
        "('C00001', 'P00001', '02', 7, '2026-03-02', '소리남', 0), ('C00001', 'P00001', '01', 7, '2026-03-03', '', 9)"_s);
    sql(u"INSERT INTO sale (ccode, pcode, pname, qnt, dealdate) VALUES ('C00001', 'P00001', '세탁기', 2, '2026-03-05')"_s);
    call(kCustomer, u"0311112222"_s, u"01"_s, u"2026-03-09"_s, u"09:00"_s, 2, u"소음 문의"_s);
    call({}, kNumber, u"02"_s, u"2026-03-10"_s, u"10:15"_s, 1, u"설치 문의"_s);

    CustomerHistoryPanes panes;
    panes.showCustomer(kCustomer, kNumber);
    Grid* as = panes.asList();
    EXPECT_EQ(column(as, u"비고"_s), QStringList({u"소리남"_s, QString()}));
    EXPECT_EQ(column(as, u"담당자"_s), QStringList({u"이상담"_s, u"김상담"_s}));
    EXPECT_EQ(column(as, u"AS유형"_s), QStringList({u"소음"_s, u"소음"_s}));
    EXPECT_EQ(column(as, u"상태"_s), QStringList({u"처리"_s, u"완료"_s}));
    EXPECT_EQ(column(panes.consultList(), u"상태"_s), QStringList({u"미결"_s, u"종결"_s}));
    EXPECT_EQ(column(panes.consultList(), u"문의내용"_s), QStringList({u"설치 문의"_s, u"소음 문의"_s}));
    EXPECT_EQ(column(panes.sellList(), u"상품명"_s), QStringList{u"세탁기"_s});
    EXPECT_EQ(count(panes, u"AS"_s), u"(총 : 2건)"_s);

    panes.showCustomer({}, kNumber);
    EXPECT_EQ(as->rowCount(), 0);
    EXPECT_EQ(panes.sellList()->rowCount(), 0);
    EXPECT_EQ(count(panes, u"Sell"_s), u"(총 : 0건)"_s);
    EXPECT_EQ(column(panes.consultList(), u"상담자"_s), QStringList{u"이상담"_s});
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();

    // A list that cannot be read names its procedure and stays empty; the others still show.
    panes.showCustomer(kCustomer, kNumber);
    ASSERT_EQ(as->rowCount(), 2);
    sql(u"DROP TABLE aslist_m"_s);
    panes.showCustomer(kCustomer, kNumber);
    EXPECT_TRUE(prompter.saw(u"in procedure ShowASList of Form frmAS_admin4"_s));
    EXPECT_EQ(as->rowCount(), 0);
    EXPECT_EQ(count(panes, u"AS"_s), u"(총 : 0건)"_s);
    EXPECT_EQ(panes.consultList()->rowCount(), 2);
    EXPECT_EQ(panes.sellList()->rowCount(), 1);
}

TEST_F(HistoryFixture, AnotherConsultantsConsultationIsCorrectedOnlyWhereTheOptionAllowsIt)
{
    sql(u"INSERT INTO ascode (code, part, name) VALUES (31, 9, '설치'), (32, 9, '고장')"_s);
    const int code = call({}, kNumber, u"02"_s, u"2026-03-09"_s, u"10:00"_s, 1, u"설치 문의"_s);
    sql(u"UPDATE rsvconsult SET concode = 31 WHERE code = %1"_s.arg(code));
    CustomerHistoryPanes panes;
    panes.showCustomer({}, kNumber);
    QSignalSpy corrected(&panes, &CustomerHistoryPanes::consultCorrected);

    const auto correct = [&](const QString& category) {
        whenModal<FrmAS_SubConsult2>([category](FrmAS_SubConsult2* window) {
            EXPECT_EQ(shown(window, {u"txtConsult"_s, u"txtEditDate"_s}), u"설치|"_s); // "0000-00-00" never shown
            window->findChild<QLineEdit*>(u"txtConsult"_s)->setText(category);
            window->findChild<QPlainTextEdit*>(u"txtTalk2"_s)->setPlainText(u"기사 '50%1' \\ 방문"_s);
            window->findChild<QRadioButton*>(u"optState2"_s)->setChecked(true);
            test::click(*window, u"btnSave"_s);
            if (window->isVisible())
                window->reject();
        });
        prompter.answer(MsgAnswer::Yes);
        enterOn(panes.consultList(), 0);
    };

    ConfigKeys::EditOthersConsults.set(false);
    correct(u"고장"_s);
    EXPECT_TRUE(prompter.saw(u"다른 상담자일 경우 상담 내용의 수정이 불가능합니다."_s));
    EXPECT_EQ(HistoryStore().consultation(code)->field(u"regucode"_s), u"02"_s);

    ConfigKeys::EditOthersConsults.set(true);
    correct(u"없는분류"_s);
    EXPECT_TRUE(prompter.saw(u"현재 입력하신 상담분류가 존재하지 않습니다."_s));
    EXPECT_EQ(HistoryStore().consultation(code)->field(u"connote"_s), QString());
    EXPECT_EQ(corrected.count(), 0);

    correct(u"고장"_s);
    const RecordSetPtr rs = HistoryStore().consultation(code);
    EXPECT_EQ(rs->field(u"regucode"_s), u"01"_s);
    EXPECT_EQ(rs->field(u"concode"_s), u"32"_s);
    EXPECT_EQ(rs->field(u"state"_s), u"2"_s);
    EXPECT_EQ(rs->field(u"connote"_s), u"기사 '50%1' \\ 방문"_s);
    // The edit is stamped; when the call came stays.
    EXPECT_EQ(rs->field(u"editdate"_s) + u' ' + rs->field(u"edittime"_s), u"2026-03-10 14:30"_s);
    EXPECT_EQ(rs->field(u"condate"_s), u"2026-03-09"_s);
    ASSERT_EQ(corrected.count(), 1);
    EXPECT_EQ(corrected.at(0).at(0).toString(), QString::number(code));
    EXPECT_EQ(column(panes.consultList(), u"상담자"_s), QStringList{u"김상담"_s});
    EXPECT_EQ(column(panes.consultList(), u"상태"_s), QStringList{u"종결"_s});
    EXPECT_EQ(prompter.unanswered(), 0);
}

TEST_F(HistoryFixture, CategoriesAreAddedRenamedPickedAndKeptWhileConsultationsUseThem)
{
    const int used = AsCodeStore().insertConsultClass(u"설치 문의"_s);
    call(kCustomer, kNumber, u"01"_s, u"2026-03-10"_s, u"09:00"_s, 1);
    sql(u"UPDATE rsvconsult SET concode = %1"_s.arg(used));
    AsCodeStore().insert(u"000000"_s, 0, u"설치 접수"_s, 0); // another part

    frmAS_SubConsult window(nullptr, 9);
    EXPECT_EQ(window.search(u"설치"_s), 1);
    prompter.answerInput(u"설치 불량"_s);
    test::click(window, u"btnAdd"_s);
    prompter.answerInput(u"설치 문의"_s); // a name already used
    test::click(window, u"btnAdd"_s);
    EXPECT_EQ(column(window.list(), u"상담분류"_s), QStringList({u"설치 문의"_s, u"설치 불량"_s}));
    EXPECT_EQ(window.list()->selectedRows(), QList<int>{1});
    prompter.answerInput(u"배송 불량"_s);
    test::click(window, u"btnEdit"_s);

    // Renamed out of the search, it is listed with the others.
    EXPECT_EQ(column(window.list(), u"상담분류"_s), QStringList({u"배송 불량"_s, u"설치 문의"_s}));
    window.list()->selectRow(1);
    prompter.answer(MsgAnswer::Yes);
    test::click(window, u"btnDelete"_s);
    EXPECT_TRUE(prompter.saw(u"「상담내역」에서 사용중"_s));
    EXPECT_EQ(window.list()->rowCount(), 2);

    const QString added = QString::number(HistoryStore().categoryCode(9, u"배송 불량"_s));
    EXPECT_EQ(frmAS_SubConsult::pickCategory(nullptr, 9, u"배송"_s), (Pick{added, u"배송 불량"_s}));
    window.list()->selectRow(0);
    prompter.answer(MsgAnswer::Yes);
    test::click(window, u"btnDelete"_s);
    EXPECT_EQ(HistoryStore().categoryCode(9, u"배송 불량"_s), 0);
    EXPECT_EQ(column(window.list(), u"상담분류"_s), QStringList{u"설치 문의"_s});
    EXPECT_TRUE(prompter.saw(u"이미 등록된 상담분류입니다."_s));
    EXPECT_TRUE(prompter.saw(u"자료를 삭제하였습니다."_s));
}

TEST_F(HistoryFixture, DetailWindowsShowTheJobAndTheSaleAndNothingForOnesThatAreGone)
{
    sql(u"INSERT INTO ascode (code, part, name) VALUES (7, 0, '소음'), (11, 1, '모터'), (21, 2, '교체')"_s);
    sql(u"INSERT INTO aslist_m (code, ccode, pcode, charge, regucode, typecode0, dealdate, state, resvdate2) VALUES "
        "(5, 'C00001', 'P00001', '02', '01', 7, '2026-03-02', 9, '2026-03-04')"_s);
    sql(u"INSERT INTO aslist_d (code, seq, typecode1, typecode2, amount, isfree) VALUES "
        "(5, 2, 11, 21, 0, 1), (5, 1, 11, 0, 15000, 0)"_s);
    sql(u"INSERT INTO sale (code, ccode, pcode, pname, pnorm, qnt, price, total, dealdate, charge, receiptname) "
        "VALUES (8, 'C00001', 'P00001', '세탁기', 'WM-10', 2, 1250000, 2750000, '2026-03-05', '02', '홍길동')"_s);
    App().EditionCode = u"Tamber"_s;
    CustomerHistoryPanes panes;
    panes.showCustomer(kCustomer, kNumber);

    whenModal<FrmAS_SubAS>([](FrmAS_SubAS* window) {
        EXPECT_EQ(shown(window, {u"txtCust"_s, u"txtType"_s, u"txtCharge"_s, u"txtResvDate2"_s, u"txtState"_s}),
                  u"한빛상사|소음|이상담|2026-03-04|완료"_s);
        EXPECT_EQ(column(window->workLines(), u"처리유형2"_s), QStringList({QString(), u"교체"_s}));
        EXPECT_EQ(column(window->workLines(), u"무상"_s), QStringList({QString(), u"무상"_s}));
        window->reject();
    });
    enterOn(panes.asList(), 0);

    whenModal<FrmAS_SubSell>([](FrmAS_SubSell* window) {
        EXPECT_EQ(shown(window, {u"txtUnit"_s, u"txtPrice"_s, u"txtReceiptName"_s}), u"대|1,250,000|홍길동"_s);
        window->reject();
    });
    enterOn(panes.sellList(), 0);

    FrmAS_SubAS gone;
    gone.ShowData(6);
    EXPECT_EQ(shown(&gone, {u"txtCust"_s}), QString());
    EXPECT_EQ(gone.workLines()->rowCount(), 0);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

// The desk does not know the AS family's windows: the result lines open through the screen
// registry, told the job, its customer and its caption, and the list is read again after them.
TEST_F(HistoryFixture, AJobsResultLinesOpenThroughTheRegistryAndTheListIsReadAgainAfterThem)
{
    sql(u"INSERT INTO ascode (code, part, name) VALUES (7, 0, '소음')"_s);
    sql(u"INSERT INTO aslist_m (code, ccode, pcode, regucode, typecode0, dealdate, state) VALUES "
        "(5, 'C00001', 'P00001', '01', 7, '2026-03-02', 1)"_s);
    struct ResultLines : QWidget, AsJobResultReceiver {
        QString taken;
        void SetFormMode(int job, const QString& ccode, const QString& contents) override
        {
            taken = QString::number(job) + u'|' + ccode + u'|' + contents;
        }
    };
    test::RegistryGuard guard({}, {kAsResultScreen});
    QPointer<ResultLines> opened;
    ScreenRegistry::add(kAsResultScreen, {[&opened](QWidget*) { return opened = new ResultLines; }, false});
    CustomerHistoryPanes panes;
    panes.showCustomer(kCustomer, kNumber);

    emit panes.asList()->doubleClicked(panes.asList()->model()->index(0, 0));
    ASSERT_TRUE(opened);
    EXPECT_TRUE(opened->taken.startsWith(u"5|C00001|"_s)) << opened->taken.toStdString();
    EXPECT_TRUE(opened->taken.contains(u"소음"_s)) << opened->taken.toStdString();

    sql(u"INSERT INTO aslist_m (code, ccode, pcode, regucode, typecode0, dealdate, state) VALUES "
        "(6, 'C00001', 'P00001', '01', 7, '2026-03-03', 1)"_s);
    QSignalSpy closed(&panes, &CustomerHistoryPanes::jobResultsClosed);
    delete opened.data();
    EXPECT_EQ(panes.asList()->rowCount(), 2);
    EXPECT_EQ(closed.size(), 1); // the desk reads the balance again on it
}
