#include "AppState.h"
#include "AsJobStore.h"
#include "DbFixture.h"
#include "DocumentBalances.h"
#include "FrmAS_Result.h"
#include "FrmAS_save.h"
#include "FrmAS_save2.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCText.h"
#include "WidgetDriver.h"
#include "hcDate.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::balancesOffTheDocuments;
using asv::test::click;
using asv::test::column;
using asv::test::ScriptedPrompter;
using asv::test::whenModal;

namespace {

const QString kNotSaved = u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s;

const QString kAlpha = u"C00001"_s;
const QString kBeta = u"C00002"_s;

// 가나상사 owes 500 from the start; 다라상사 nothing. A washer and a dryer, reception codes general and
// the washer's own, general cause and result codes; the clock on 31 March 2026.
struct AsJobsFixture : test::DbFixture {
    int receptionGeneral = 0;
    int receptionWasher = 0;
    int cause = 0;
    int result = 0;

    AsJobsFixture() : DbFixture(QDateTime(QDate(2026, 3, 31), QTime(9, 5)))
    {
        AppState::instance().UserCode = u"01"_s;
        AppState::instance().UserName = u"김접수"_s;
        DBExecute(u"INSERT INTO local_user (code, name) VALUES ('01', '김접수')"_s);
        DBExecute(u"INSERT INTO customer (code, compname, telno1, hpno, addr1, addr2, basemoney, nowmoney) VALUES "
                  u"('C00001', '가나상사', '02-123-4567', '010-1111-2222', '서울', '1층', 500, 500), "
                  u"('C00002', '다라상사', '', '', '', '', 0, 0)"_s);
        DBExecute(u"INSERT INTO product (code, name, norm) VALUES ('000001', '세탁기', 'WM-1'), ('000002', '건조기', '')"_s);
        receptionGeneral = code(u"000000"_s, 0, u"고장"_s);
        receptionWasher = code(u"000001"_s, 0, u"탈수 불량"_s);
        cause = code(u"000000"_s, 1, u"부품 노후"_s);
        result = code(u"000000"_s, 2, u"부품 교체"_s);
    }
    ~AsJobsFixture() override { AppState::instance().EditionCode.clear(); }

    static int code(const QString& pcode, int part, const QString& name)
    {
        DBExecute(u"INSERT INTO ascode (pcode, part, name) VALUES ('%1', %2, '%3')"_s.arg(pcode).arg(part).arg(name));
        return static_cast<int>(DBInsertId());
    }
    static double balance(const QString& ccode = kAlpha)
    {
        return DBGetValue(u"SELECT nowmoney FROM customer WHERE code = '%1'"_s.arg(ccode)).toDouble();
    }
    static int job(const QString& ccode = kAlpha)
    {
        AsJobRecord j;
        j.ccode = ccode;
        j.pcode = u"000001"_s;
        j.dealdate = u"2026-12-06"_s;
        j.dealbigo = u"소음 '심함'"_s;
        return AsJobStore().insert(j);
    }
    static int addLine(int jobCode, double amount, bool isfree = false)
    {
        AsLineRecord l;
        l.code = jobCode;
        l.pcode = u"000001"_s;
        l.amount = amount;
        l.isfree = isfree;
        return AsJobStore().saveLine(l);
    }
    static bool editLine(int jobCode, int seq, double amount, bool isfree)
    {
        AsLineRecord l = *AsJobStore().loadLine(jobCode, seq);
        l.amount = amount;
        l.isfree = isfree;
        return AsJobStore().saveLine(l) == seq;
    }
    static QString seqs(int jobCode)
    {
        return StoreSql().firstColumn(u"SELECT seq FROM aslist_d WHERE code = %1 ORDER BY seq"_s.arg(jobCode), {})
            .join(u',');
    }
    template <class T>
    static T* child(const QWidget& w, const QString& name)
    {
        return w.findChild<T*>(name);
    }
    // The line dialog filled in for the washing machine.
    void fillLine(FrmAS_save2* d, const QString& amount, bool isfree)
    {
        d->findChild<ucFindBox*>(u"fbProd"_s)->setRecord(u"000001"_s, u"세탁기"_s);
        child<QComboBox>(*d, u"Combo10"_s)->setCurrentIndex(child<QComboBox>(*d, u"Combo10"_s)->findData(cause));
        child<QComboBox>(*d, u"Combo11"_s)->setCurrentIndex(child<QComboBox>(*d, u"Combo11"_s)->findData(result));
        child<HCText>(*d, u"htField0"_s)->SetText(amount);
        child<QCheckBox>(*d, u"chkFree"_s)->setChecked(isfree);
    }
};

} // namespace

TEST_F(AsJobsFixture, ReceptionStoresANewJobAndRefusesWhatIsMissingInOrder)
{
    FrmAS_save dialog;
    dialog.SetFormMode(RecordEditor::NewRecord);
    EXPECT_EQ(dialog.windowTitle(), u"A/S접수 - 『신규입력』"_s);
    // A new job is received now, by the operator, who is in charge until another is named.
    auto* staff = child<ucFindBox>(dialog, u"fbUser"_s);
    EXPECT_EQ(child<QLabel>(dialog, u"lblDate"_s)->text() + u' ' + child<QLabel>(dialog, u"lblTime"_s)->text(),
              u"2026-03-31 09:05"_s);
    EXPECT_EQ(staff->code() + staff->Text(), u"01김접수"_s);
    EXPECT_FALSE(dialog.hasUnsavedChanges());
    auto* combo = child<QComboBox>(dialog, u"Combo1"_s);
    EXPECT_EQ(combo->count(), 1); // general codes only before a product

    auto* cust = child<ucFindBox>(dialog, u"fbCust"_s);
    cust->SetText(u"가나"_s);
    click(dialog, u"btnSave"_s);
    dialog.ShowPickedCustomer(u"C00001"_s);
    EXPECT_EQ(child<QLabel>(dialog, u"lblCustInfo0"_s)->text(), u"전화번호: 02-123-4567 , 010-1111-2222"_s);
    EXPECT_EQ(child<QLabel>(dialog, u"lblCustInfo1"_s)->text(), u"주소: 서울 1층"_s);
    click(dialog, u"btnSave"_s);

    // The product's own codes join the general ones; another product drops the choice.
    dialog.presetProduct(u"000001"_s);
    ASSERT_EQ(combo->count(), 2);
    combo->setCurrentIndex(combo->findData(receptionWasher));
    dialog.presetProduct(u"000002"_s);
    EXPECT_EQ(combo->currentIndex(), -1);
    click(dialog, u"btnSave"_s);
    child<hcDate>(dialog, u"hdField1"_s)->SetText(u"2026-02-30"_s);
    click(dialog, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList({u"거래처 코드가 입력되지 않았습니다."_s, u"접수코드가 입력되지 않았습니다."_s,
                                             u"접수코드가 입력되지 않았습니다."_s, u"방문예정일자가 잘못 입력되었습니다."_s}));
    EXPECT_EQ(DBRecordCount(u"aslist_m"_s), 0);

    prompter.clear();
    child<hcDate>(dialog, u"hdField1"_s)->SetText({});
    combo->setCurrentIndex(combo->findData(receptionGeneral));
    child<HCText>(dialog, u"htField13"_s)->SetText(u"소음이 '심함'"_s);
    child<QCheckBox>(dialog, u"chkContinueAdd"_s)->setChecked(true);
    click(dialog, u"btnSave"_s);
    const int first = DBGetValue(u"SELECT MAX(code) FROM aslist_m"_s).toInt();
    const AsJobRecord job = *AsJobStore().load(first);
    EXPECT_EQ(job.ccode + job.pcode + job.dealbigo, u"C00001000002소음이 '심함'"_s);
    EXPECT_EQ(job.dealdate + u' ' + job.dealtime + u' ' + job.regucode + u' ' + job.charge, u"2026-03-31 09:05 01 01"_s);
    EXPECT_EQ(job.resvdate1 + job.resvtime1 + job.resvdate2 + job.resvtime2, u"00:0000:00"_s);
    EXPECT_EQ(job.typecode0, receptionGeneral);
    EXPECT_EQ(job.state, AsJobRecord::Received);
    // Kept open for the next job, which the next save creates.
    EXPECT_TRUE(cust->code().isEmpty());
    EXPECT_EQ(child<QLabel>(dialog, u"lblDealDam"_s)->text(), u"김접수"_s);
    EXPECT_EQ(staff->code(), u"01"_s);
    dialog.ShowPickedCustomer(u"C00001"_s);
    dialog.presetProduct(u"000001"_s);
    combo->setCurrentIndex(0);
    click(dialog, u"btnSave"_s);
    EXPECT_EQ(DBRecordCount(u"aslist_m"_s), 2);
    EXPECT_TRUE(prompter.texts(ScriptedPrompter::Kind::Info).isEmpty()) << prompter.texts().join(u'\n').toStdString();

    FrmAS_save edit;
    edit.SetFormMode(RecordEditor::EditRecord, QString::number(first));
    EXPECT_EQ(edit.windowTitle(), u"A/S접수 - 『수정』"_s);
    EXPECT_EQ(child<QComboBox>(edit, u"Combo1"_s)->currentData().toInt(), receptionGeneral);
    EXPECT_EQ(child<HCText>(edit, u"htField13"_s)->Text(), u"소음이 '심함'"_s);
    click(edit, u"btnSave"_s);
    EXPECT_EQ(prompter.texts().last(), kNotSaved);
}

TEST_F(AsJobsFixture, ResultScreenCarriesEachLineIntoTheBalanceOnce)
{
    const int job = AsJobsFixture::job();
    FrmAS_Result screen;
    screen.SetFormMode(job, u"C00001"_s, u"소음"_s);
    EXPECT_EQ(child<QLabel>(screen, u"lblDesc"_s)->text(), u"접수내용: 소음"_s);

    // A job without lines starts its first line at once; the continue box keeps the dialog for a
    // second line, which does not complete the job again.
    int dialogs = 0;
    whenModal<FrmAS_save2>([&](FrmAS_save2* d) {
        ++dialogs;
        EXPECT_TRUE(child<QCheckBox>(*d, u"chkContinueAdd"_s)->isChecked());
        fillLine(d, u"30000"_s, false);
        click(*d, u"btnSave"_s);
        EXPECT_EQ(child<ucFindBox>(*d, u"fbProd"_s)->code(), u"000001"_s);
        DBExecute(u"UPDATE aslist_m SET workdate = '2000-01-01' WHERE code = %1"_s.arg(job));
        fillLine(d, u"12000"_s, true);
        click(*d, u"btnSave"_s);
        d->reject();
    });
    screen.show();
    QTRY_COMPARE(dialogs, 1);
    QTRY_COMPARE(screen.list()->rowCount(), 2);
    EXPECT_EQ(column(screen.list(), FrmAS_Result::ColProduct), QStringList({u"세탁기(WM-1)"_s, u"세탁기(WM-1)"_s}));
    EXPECT_EQ(column(screen.list(), FrmAS_Result::ColFree), QStringList({u"0"_s, u"1"_s}));
    EXPECT_EQ(AsJobStore().load(job)->state, AsJobRecord::Completed);
    EXPECT_EQ(AsJobStore().load(job)->workdate, u"2000-01-01"_s);
    EXPECT_EQ(balance(), 30500);

    // 30000 → 50000 adds 20000; → free takes all of it off.
    screen.list()->setCurrentIndex(screen.list()->cells().index(0, 0));
    for (auto [amount, isfree, expected] : {std::tuple{u"50000"_s, false, 50500.0}, {u"50000"_s, true, 500.0}}) {
        whenModal<FrmAS_save2>([&](FrmAS_save2* d) {
            EXPECT_EQ(d->windowTitle(), u"A/S결과 - 『수정』"_s);
            EXPECT_FALSE(child<QCheckBox>(*d, u"chkContinueAdd"_s)->isEnabled());
            child<HCText>(*d, u"htField0"_s)->SetText(amount);
            child<QCheckBox>(*d, u"chkFree"_s)->setChecked(isfree);
            click(*d, u"btnSave"_s);
        });
        screen.editLine();
        EXPECT_EQ(balance(), expected);
    }
    EXPECT_EQ(screen.list()->activeRow(), 0);
    EXPECT_TRUE(balancesOffTheDocuments({u"C00001"_s}).isEmpty());

    // Deleting: the free line changes nothing, a charged one comes off.
    whenModal<FrmAS_save2>([&](FrmAS_save2* d) {
        fillLine(d, u"7000"_s, false);
        child<QCheckBox>(*d, u"chkContinueAdd"_s)->setChecked(false);
        click(*d, u"btnSave"_s);
    });
    screen.addLine();
    EXPECT_EQ(column(screen.list(), FrmAS_Result::ColSeq), QStringList({u"1"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(balance(), 7500);
    for (double expected : {7500.0, 7500.0, 500.0}) {
        prompter.answer(MsgAnswer::Yes);
        screen.list()->setCurrentIndex(screen.list()->cells().index(0, 0));
        screen.deleteLine();
        EXPECT_EQ(balance(), expected);
    }
    EXPECT_EQ(screen.list()->rowCount(), 0);
    EXPECT_EQ(AsJobStore().load(job)->state, AsJobRecord::Completed);
    EXPECT_TRUE(balancesOffTheDocuments({u"C00001"_s}).isEmpty());
    EXPECT_TRUE(prompter.texts(ScriptedPrompter::Kind::Info).isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(AsJobsFixture, LineDialogAsksForCodesAndProductAndWarnsOfAnotherProduct)
{
    const int job = AsJobsFixture::job();
    const int washerCause = code(u"000001"_s, 1, u"배수 막힘"_s);
    FrmAS_save2 dialog;
    dialog.setJob(job);
    dialog.SetFormMode(RecordEditor::NewRecord);
    // A new line starts with the job's product and its codes, with nothing typed yet.
    auto* product = child<ucFindBox>(dialog, u"fbProd"_s);
    EXPECT_EQ(product->code() + product->Text(), u"000001세탁기"_s);
    EXPECT_GE(child<QComboBox>(dialog, u"Combo10"_s)->findData(washerCause), 0);
    EXPECT_FALSE(dialog.hasUnsavedChanges());
    EXPECT_FALSE(child<hcDate>(dialog, u"hdField0"_s)->isVisibleTo(&dialog));
    click(dialog, u"btnSave"_s);
    child<QComboBox>(dialog, u"Combo10"_s)->setCurrentIndex(0);
    click(dialog, u"btnSave"_s);
    child<QComboBox>(dialog, u"Combo11"_s)->setCurrentIndex(0);
    product->clear();
    click(dialog, u"btnSave"_s);
    EXPECT_EQ(prompter.texts(), QStringList({u"원인코드가 입력되지 않았습니다."_s, u"결과코드가 입력되지 않았습니다."_s,
                                             u"[상품]은(는) 필수 입력 사항입니다."_s}));
    prompter.clear();
    product->setRecord(u"000002"_s, u"건조기"_s);
    emit product->found(u"000002"_s, u"건조기"_s);
    EXPECT_EQ(prompter.texts(), QStringList{u"A/S접수시의 상품명과 다릅니다. 확인바랍니다."_s});
    EXPECT_EQ(AsJobStore().lineCount(job), 0);

    // The customised edition records the delivery date of a line.
    AppState::instance().EditionCode = u"Tamber"_s;
    FrmAS_save2 edition;
    edition.setJob(job);
    edition.SetFormMode(RecordEditor::NewRecord);
    auto* sendDate = child<hcDate>(edition, u"hdField0"_s);
    EXPECT_TRUE(sendDate->isVisibleTo(&edition));
    EXPECT_TRUE(sendDate->Text().isEmpty());
    fillLine(&edition, u"100"_s, false);
    sendDate->SetText(u"2026-04-02"_s);
    click(edition, u"btnSave"_s);
    EXPECT_EQ(AsJobStore().loadLine(job, 1)->senddate, u"2026-04-02"_s);
}

// The first line completes the job once, by the server's clock; charged lines move the balance by
// their change, free ones never; line numbers continue from the highest left.
TEST_F(AsJobsFixture, LinesCompleteTheJobOnceMoveTheBalanceByTheirChangeAndNumberOnFromTheHighest)
{
    const int j = job(kAlpha);
    ASSERT_GT(j, 0);
    EXPECT_EQ(AsJobStore().load(j)->state, AsJobRecord::Received);
    EXPECT_EQ(AsJobStore().load(j)->dealbigo, u"소음 '심함'"_s);
    const double start = balance(kAlpha);
    ASSERT_EQ(addLine(j, 0, true), 1);
    const AsJobRecord done = *AsJobStore().load(j);
    EXPECT_EQ(done.state, AsJobRecord::Completed);
    EXPECT_EQ(done.workdate, DBGetValue(u"SELECT DATE_FORMAT(CURDATE(),'%Y-%m-%d')"_s));
    EXPECT_EQ(done.worktime.size(), 5);
    DBExecute(u"UPDATE aslist_m SET workdate = '2000-01-01', worktime = '01:02' WHERE code = %1"_s.arg(j));

    ASSERT_EQ(addLine(j, 30000), 2);
    EXPECT_EQ(balance(kAlpha), start + 30000);
    const struct {
        double amount;
        bool isfree;
        double moved;
    } edits[] = {{50000, false, 50000}, {50000, true, 0}, {70000, true, 0}, {30000.25, false, 30000.25},
                 {30000, false, 30000}};
    for (const auto& e : edits) {
        ASSERT_TRUE(editLine(j, 2, e.amount, e.isfree));
        EXPECT_EQ(balance(kAlpha), start + e.moved) << e.amount << (e.isfree ? " free" : "");
    }
    // Saving a line unchanged stores nothing and moves nothing.
    EXPECT_FALSE(editLine(j, 2, 30000, false));
    ASSERT_EQ(addLine(j, 12000, true), 3);
    EXPECT_EQ(addLine(job(kBeta), 10), 1);
    EXPECT_TRUE(AsJobStore().removeLine(j, 3));
    EXPECT_EQ(balance(kAlpha), start + 30000);
    EXPECT_EQ(addLine(j, 10), 3);
    EXPECT_TRUE(AsJobStore().removeLine(j, 1));
    EXPECT_EQ(addLine(j, 10), 4);
    EXPECT_EQ(seqs(j), u"2,3,4"_s);
    EXPECT_EQ(AsJobStore().lineCount(j), 3);
    EXPECT_TRUE(AsJobStore().removeLine(j, 2));
    EXPECT_EQ(balance(kAlpha), start + 20);
    EXPECT_FALSE(AsJobStore().removeLine(j, 2));
    EXPECT_EQ(balance(kAlpha), start + 20);
    // Later lines, edits and deletions leave the stamp alone.
    const AsJobRecord after = *AsJobStore().load(j);
    EXPECT_EQ(after.state, AsJobRecord::Completed);
    EXPECT_EQ(after.workdate + after.worktime, u"2000-01-0101:02"_s);
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha, kBeta}).isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}

TEST_F(AsJobsFixture, ALineChangedAtAnotherDeskSinceItWasReadIsNeitherRewrittenNorCountedAgain)
{
    const int j = job(kAlpha);
    addLine(j, 30000);
    AsLineRecord seenHere = *AsJobStore().loadLine(j, 1);
    ASSERT_TRUE(editLine(j, 1, 50000, false)); // the other desk
    seenHere.isfree = true;
    // The edit goes from the stored 50000, whatever this desk read.
    EXPECT_EQ(AsJobStore().saveLine(seenHere), 1);
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha}).isEmpty());

    // Both desks delete the same line: the charge comes off once.
    ASSERT_TRUE(editLine(j, 1, 8000, false));
    EXPECT_TRUE(AsJobStore().removeLine(j, 1));
    EXPECT_FALSE(AsJobStore().removeLine(j, 1));
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha}).isEmpty());
}

TEST_F(AsJobsFixture, JobsTakeTheirChargesAlongWhenTheCustomerChangesAndWhenDeleted)
{
    const int j = job(kAlpha);
    const int kept = job(kAlpha);
    addLine(j, 30000);
    addLine(j, 5000, true);
    addLine(j, 700);
    addLine(kept, 900);
    AsJobRecord moved = *AsJobStore().load(j);
    moved.ccode = kBeta;
    ASSERT_TRUE(AsJobStore().update(moved));
    EXPECT_EQ(balance(kBeta), 30700);
    EXPECT_FALSE(AsJobStore().update(moved)); // nothing changed
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha, kBeta}).isEmpty());

    ASSERT_TRUE(AsJobStore().remove(j));
    EXPECT_FALSE(AsJobStore().load(j));
    EXPECT_EQ(AsJobStore().lineCount(j), 0);
    EXPECT_EQ(balance(kBeta), 0);
    EXPECT_EQ(AsJobStore().lineCount(kept), 1);
    EXPECT_TRUE(balancesOffTheDocuments({kAlpha, kBeta}).isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.texts().join(u'\n').toStdString();
}
