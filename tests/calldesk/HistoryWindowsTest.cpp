#include "AsCodeStore.h"
#include "ConfigKeys.h"
#include "CustomerHistoryPanes.h"
#include "FrmAS_SubAS.h"
#include "FrmAS_SubConsult2.h"
#include "FrmAS_SubDate.h"
#include "FrmAS_SubSell.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HistoryFixture.h"
#include "HistoryPeriods.h"
#include "HistoryStore.h"
#include "WidgetDriver.h"
#include "frmAS_SubConsult.h"
#include "hcDate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::column;
using asv::test::HistoryFixture;
using asv::test::whenModal;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

struct HistoryPanesFixture : HistoryFixture {
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
    static QString shown(const QWidget* window, const QString& name)
    {
        return window->findChild<QLineEdit*>(name)->text();
    }
};

} // namespace

TEST_F(HistoryPanesFixture, ListEndsMoveToTodayOnANewDayAndStartsAreTheOperators)
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

TEST_F(HistoryPanesFixture, AnUnknownCallerShowsOnlyTheConsultationsOfTheNumber)
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
}

TEST_F(HistoryPanesFixture, AnotherConsultantsConsultationIsCorrectedOnlyWhereTheOptionAllowsIt)
{
    sql(u"INSERT INTO ascode (code, part, name) VALUES (31, 9, '설치'), (32, 9, '고장')"_s);
    const int code = call({}, kNumber, u"02"_s, u"2026-03-09"_s, u"10:00"_s, 1, u"설치 문의"_s);
    sql(u"UPDATE rsvconsult SET concode = 31 WHERE code = %1"_s.arg(code));
    CustomerHistoryPanes panes;
    panes.showCustomer({}, kNumber);
    QSignalSpy corrected(&panes, &CustomerHistoryPanes::consultCorrected);

    const auto correct = [&](const QString& category) {
        whenModal<FrmAS_SubConsult2>([category](FrmAS_SubConsult2* window) {
            EXPECT_EQ(shown(window, u"txtConsult"_s), u"설치"_s);
            EXPECT_EQ(shown(window, u"txtEditDate"_s), QString()); // "0000-00-00" never shown
            window->findChild<QLineEdit*>(u"txtConsult"_s)->setText(category);
            window->findChild<QPlainTextEdit*>(u"txtTalk2"_s)->setPlainText(u"기사 방문 예정"_s);
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
    EXPECT_EQ(HistoryStore::consultation(code)->field(u"regucode"_s), u"02"_s);

    ConfigKeys::EditOthersConsults.set(true);
    correct(u"없는분류"_s);
    EXPECT_TRUE(prompter.saw(u"현재 입력하신 상담분류가 존재하지 않습니다."_s));
    EXPECT_EQ(HistoryStore::consultation(code)->field(u"connote"_s), QString());
    EXPECT_EQ(corrected.count(), 0);

    correct(u"고장"_s);
    const RecordSetPtr rs = HistoryStore::consultation(code);
    EXPECT_EQ(rs->field(u"regucode"_s), u"01"_s);
    EXPECT_EQ(rs->field(u"concode"_s), u"32"_s);
    EXPECT_EQ(rs->field(u"state"_s), u"2"_s);
    EXPECT_EQ(rs->field(u"connote"_s), u"기사 방문 예정"_s);
    ASSERT_EQ(corrected.count(), 1);
    EXPECT_EQ(corrected.at(0).at(0).toString(), QString::number(code));
    EXPECT_EQ(column(panes.consultList(), u"상담자"_s), QStringList{u"김상담"_s});
    EXPECT_EQ(column(panes.consultList(), u"상태"_s), QStringList{u"종결"_s});
    EXPECT_EQ(prompter.unanswered(), 0);
}

TEST_F(HistoryFixture, CategoriesAreAddedRenamedPickedAndKeptWhileConsultationsUseThem)
{
    const int used = AsCodeStore::insertConsultClass(u"설치 문의"_s);
    call(kCustomer, kNumber, u"01"_s, u"2026-03-10"_s, u"09:00"_s, 1);
    sql(u"UPDATE rsvconsult SET concode = %1"_s.arg(used));
    AsCodeStore::insert(u"000000"_s, 0, u"설치 접수"_s, 0); // another part

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

    const QString added = QString::number(HistoryStore::categoryCode(9, u"배송 불량"_s));
    EXPECT_EQ(frmAS_SubConsult::pickCategory(nullptr, 9, u"배송"_s), (Pick{added, u"배송 불량"_s}));
    window.list()->selectRow(0);
    prompter.answer(MsgAnswer::Yes);
    test::click(window, u"btnDelete"_s);
    EXPECT_EQ(HistoryStore::categoryCode(9, u"배송 불량"_s), 0);
    EXPECT_EQ(column(window.list(), u"상담분류"_s), QStringList{u"설치 문의"_s});
    EXPECT_TRUE(prompter.saw(u"이미 등록된 상담분류입니다."_s));
    EXPECT_TRUE(prompter.saw(u"자료를 삭제하였습니다."_s));
}

TEST_F(HistoryPanesFixture, DetailWindowsShowTheJobAndTheSaleAndNothingForOnesThatAreGone)
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
        EXPECT_EQ(shown(window, u"txtCust"_s), u"한빛상사"_s);
        EXPECT_EQ(shown(window, u"txtType"_s), u"소음"_s);
        EXPECT_EQ(shown(window, u"txtCharge"_s), u"이상담"_s);
        EXPECT_EQ(shown(window, u"txtResvDate2"_s), u"2026-03-04"_s);
        EXPECT_EQ(shown(window, u"txtState"_s), u"완료"_s);
        EXPECT_EQ(column(window->workLines(), u"처리유형2"_s), QStringList({QString(), u"교체"_s}));
        EXPECT_EQ(column(window->workLines(), u"무상"_s), QStringList({QString(), u"무상"_s}));
        window->reject();
    });
    enterOn(panes.asList(), 0);

    whenModal<FrmAS_SubSell>([](FrmAS_SubSell* window) {
        EXPECT_EQ(shown(window, u"txtUnit"_s), u"대"_s);
        EXPECT_EQ(shown(window, u"txtPrice"_s), u"1,250,000"_s);
        EXPECT_EQ(shown(window, u"txtReceiptName"_s), u"홍길동"_s);
        window->reject();
    });
    enterOn(panes.sellList(), 0);

    FrmAS_SubAS gone;
    gone.ShowData(6);
    EXPECT_EQ(shown(&gone, u"txtCust"_s), QString());
    EXPECT_EQ(gone.workLines()->rowCount(), 0);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(HistoryPanesFixture, AListThatCannotBeReadNamesItsProcedureAndStaysEmpty)
{
    sql(u"INSERT INTO sale (ccode, pcode, pname, qnt, dealdate) VALUES ('C00001', 'P00001', '세탁기', 1, '2026-03-05')"_s);
    sql(u"INSERT INTO ascode (code, part, name) VALUES (7, 0, '소음')"_s);
    sql(u"INSERT INTO aslist_m (ccode, pcode, charge, typecode0, dealdate) VALUES ('C00001', 'P00001', '01', 7, "
        "'2026-03-02')"_s);
    call(kCustomer, kNumber, u"01"_s, u"2026-03-09"_s, u"09:00"_s, 2);
    CustomerHistoryPanes panes;
    panes.showCustomer(kCustomer, kNumber);
    ASSERT_EQ(panes.asList()->rowCount(), 1);
    sql(u"DROP TABLE aslist_m"_s);
    panes.showCustomer(kCustomer, kNumber);
    EXPECT_TRUE(prompter.saw(u"in procedure ShowASList of Form frmAS_admin4"_s));
    EXPECT_EQ(panes.asList()->rowCount(), 0);
    EXPECT_EQ(count(panes, u"AS"_s), u"(총 : 0건)"_s);
    EXPECT_EQ(panes.consultList()->rowCount(), 1);
    EXPECT_EQ(panes.sellList()->rowCount(), 1);
}
