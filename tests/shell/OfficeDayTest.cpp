#include "AppState.h"
#include "BackupFile.h"
#include "CtlProgram.h"
#include "DatabaseFingerprint.h"
#include "DbFixture.h"
#include "DocumentBalances.h"
#include "FrmAS_Result.h"
#include "FrmAS_admin.h"
#include "FrmAS_save.h"
#include "FrmAS_save2.h"
#include "FrmRPT_baln.h"
#include "FrmRPT_ledger.h"
#include "FrmSlip_recv.h"
#include "FrmSlip_sale.h"
#include "FrmTool_Backup.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "HCText.h"
#include "RestrictedAccount.h"
#include "ShellScreens.h"
#include "UdpRelaySettings.h"
#include "WidgetDriver.h"
#include "frmAS_admin4.h"
#include "frmMain.h"
#include "modMySQL_Func.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::whenModal;
using Kind = asv::test::ScriptedPrompter::Kind;

namespace {

const QString kCustomer = u"C00001"_s;
const QString kProduct = u"P00001"_s;

// An office's morning: 김상담 (a consultant) at the desk, 한빛상사 owing 10,000 from before and
// charged VAT on top, a taxable water purifier at 100,000, and the AS codes a repair needs. The
// program's account is a restricted one, as a private server's is.
struct OfficeDay : test::DbFixture {
    test::RestrictedAccount account{db};
    int reception = 0;
    int cause = 0;
    int result = 0;

    OfficeDay() : DbFixture(QDateTime(QDate(2026, 12, 7), QTime(9, 30)))
    {
        RegisterScreens();
        UdpRelaySettings::Peers.set(u"127.0.0.1"_s);
        App().UserCode = u"01"_s;
        App().UserName = u"김상담"_s;
        sql(u"INSERT INTO local_user (code, loginid, name, consult) VALUES ('01', 'kim', '김상담', 1)"_s);
        sql(u"INSERT INTO customer (code, compname, telno1, hpno, taxmode, basemoney, nowmoney, charge) VALUES "
            "('C00001', '한빛상사', '02-555-0001', '010-2222-3333', 2, 10000, 10000, '01')"_s);
        sql(u"INSERT INTO product (code, name, norm, unit, taxmode, saleprice) VALUES "
            "('P00001', '정수기', 'A-100', '대', 1, 100000)"_s);
        reception = asCode(u"000000"_s, 0, u"누수"_s);
        cause = asCode(u"000000"_s, 1, u"필터 노후"_s);
        result = asCode(u"000000"_s, 2, u"필터 교체"_s);
    }
    ~OfficeDay() override
    {
        App().UserCode.clear();
        App().UserName.clear();
    }

    static int asCode(const QString& pcode, int part, const QString& name)
    {
        sql(u"INSERT INTO ascode (pcode, part, name) VALUES ('%1', %2, '%3')"_s.arg(pcode).arg(part).arg(name));
        return static_cast<int>(DBInsertId());
    }
    static QString value(const QString& statement) { return DBGetValue(statement); }
    static double balance() { return value(u"SELECT nowmoney FROM customer WHERE code = 'C00001'"_s).toDouble(); }
    static double money(QString shown) { return shown.remove(u',').trimmed().toDouble(); }

    template <class T>
    static T* opened(const frmMain& w)
    {
        for (QMdiSubWindow* sub : w.mdiArea()->subWindowList()) {
            if (auto* screen = qobject_cast<T*>(sub->widget()))
                return screen;
        }
        return nullptr;
    }
};

} // namespace

TEST_F(OfficeDay, EveryDocumentOfADayIsListedEverywhereAgreesInEveryBalanceAndSurvivesARestore)
{
    frmMain w;
    w.show();
    w.openStartScreen();
    auto* desk = opened<frmAS_admin4>(w);
    ASSERT_TRUE(desk);

    // 09:30 한빛상사 calls about a leaking purifier; the consultation is written and closed.
    desk->InputCID(u"025550001"_s, true, std::chrono::steady_clock::now());
    desk->findChild<Grid*>(u"spListRsv"_s)->selectRow(0);
    test::click(*desk, u"btnTake"_s);
    const QString call = desk->findChild<QLineEdit*>(u"txtConsultSeq"_s)->text();
    ASSERT_FALSE(call.isEmpty());
    EXPECT_EQ(desk->findChild<QLineEdit*>(u"txtCust_compname"_s)->text(), u"한빛상사"_s);
    desk->findChild<QPlainTextEdit*>(u"txtTalk1"_s)->setPlainText(u"정수기 누수, 방문 요청"_s);
    desk->findChild<QRadioButton*>(u"optState2"_s)->setChecked(true);
    test::click(*desk, u"btnSave"_s);
    EXPECT_EQ(value(u"SELECT CONCAT_WS('|', state, regucode, ccode, refernote) FROM rsvconsult WHERE code = "_s + call),
              u"2|01|C00001|정수기 누수, 방문 요청"_s);

    // The job is received from the desk with nobody in charge, then gets a charged result.
    whenModal<FrmAS_save>([&](FrmAS_save* d) {
        d->presetProduct(kProduct);
        auto* codes = d->findChild<QComboBox*>(u"Combo1"_s);
        codes->setCurrentIndex(codes->findData(reception));
        d->findChild<HCText*>(u"htField13"_s)->SetText(u"누수"_s);
        d->findChild<ucFindBox*>(u"fbUser"_s)->setRecord({}, {});
        test::click(*d, u"btnSave"_s);
        d->close();
    });
    test::click(*desk, u"btnSel"_s);
    const int job = value(u"SELECT MAX(code) FROM aslist_m"_s).toInt();
    ASSERT_GT(job, 0) << prompter.texts().join(u'\n').toStdString();
    EXPECT_EQ(value(u"SELECT charge FROM aslist_m WHERE code = %1"_s.arg(job)), QString());

    FrmAS_Result results;
    results.SetFormMode(job, kCustomer, u"누수"_s);
    whenModal<FrmAS_save2>([&](FrmAS_save2* d) {
        auto* causes = d->findChild<QComboBox*>(u"Combo10"_s);
        causes->setCurrentIndex(causes->findData(cause));
        auto* results = d->findChild<QComboBox*>(u"Combo11"_s);
        results->setCurrentIndex(results->findData(result));
        d->findChild<HCText*>(u"htField0"_s)->SetText(u"30000"_s);
        d->findChild<QCheckBox*>(u"chkContinueAdd"_s)->setChecked(false);
        test::click(*d, u"btnSave"_s);
    });
    results.show();
    QTRY_COMPARE(results.list()->rowCount(), 1);
    EXPECT_EQ(value(u"SELECT pcode FROM aslist_d WHERE code = %1"_s.arg(job)), kProduct) << "starts at the job's product";

    // A purifier sold with a typed line for the fitting nobody registers.
    test::click(*desk, u"btnSell"_s);
    auto* slip = opened<FrmSlip_sale>(w);
    ASSERT_TRUE(slip);
    Grid* lines = slip->list();
    ASSERT_TRUE(lines->editCell(lines->rowCount() - 1, FrmSlip_sale::ColDay, u"7"_s));
    ASSERT_TRUE(lines->editCell(lines->rowCount() - 1, FrmSlip_sale::ColPName, u"정수기"_s));
    const int typed = lines->rowCount() - 1;
    ASSERT_TRUE(lines->editCell(typed, FrmSlip_sale::ColDay, u"7"_s));
    prompter.answer(MsgAnswer::No);
    ASSERT_TRUE(lines->editCell(typed, FrmSlip_sale::ColPName, u"설치 부속"_s));
    prompter.answer(MsgAnswer::Yes);
    ASSERT_TRUE(lines->editCell(typed, FrmSlip_sale::ColPrice, u"5000"_s));
    EXPECT_EQ(value(u"SELECT GROUP_CONCAT(CONCAT(pcode, ':', pname, ':', FLOOR(total)) ORDER BY code) FROM sale"_s),
              u"P00001:정수기:110000,000000:설치 부속:5500"_s);

    // A payment of 50,000 with 1,000 off, entered from the desk.
    test::click(*desk, u"btnRecv"_s);
    auto* payment = opened<FrmSlip_recv>(w);
    ASSERT_TRUE(payment);
    payment->findChild<HCText*>(u"txtAmount"_s)->SetText(u"50000"_s);
    payment->findChild<HCText*>(u"txtDC"_s)->SetText(u"1000"_s);
    test::click(*payment, u"btnSave"_s);

    // 10,000 + 30,000 + 110,000 + 5,500 − 51,000.
    const double owed = 104500;
    EXPECT_DOUBLE_EQ(balance(), owed);
    EXPECT_EQ(test::balancesOffTheDocuments(), QStringList());
    EXPECT_EQ(test::runCtl(db, {u"repair"_s, u"balances"_s, u"--check"_s}).exitCode, 0);
    EXPECT_DOUBLE_EQ(money(desk->findChild<QLineEdit*>(u"txtCust_nowmoney"_s)->text()), owed);

    FrmRPT_ledger ledger;
    ledger.period()->SetText1(u"2026-12-01"_s);
    ledger.period()->SetText2(u"2026-12-31"_s);
    test::click(ledger, u"btnQuery"_s);
    const QStringList ledgerBalances = test::column(ledger.list(), u"잔액"_s);
    ASSERT_FALSE(ledgerBalances.isEmpty());
    EXPECT_DOUBLE_EQ(money(ledgerBalances.last()), owed);

    FrmRPT_baln receivables;
    receivables.period()->SetText1(u"2026-12-01"_s);
    receivables.period()->SetText2(u"2026-12-31"_s);
    test::click(receivables, u"btnQuery"_s);
    const int row = static_cast<int>(test::column(receivables.list(), FrmRPT_baln::ColCode).indexOf(kCustomer));
    ASSERT_GE(row, 0);
    EXPECT_DOUBLE_EQ(money(receivables.list()->cells().displayText(row, FrmRPT_baln::ColBalance)), owed);

    // Every list shows every document: the AS ledger with its footer, and the desk's three panes.
    FrmAS_admin asLedger;
    EXPECT_EQ(test::column(asLedger.list(), u"코드"_s), QStringList{QString::number(job)});
    EXPECT_EQ(asLedger.findChild<QLabel*>(u"LabTotal"_s)->text(), u"대기 : 0 건 / 확인 : 0 건 / 완료 : 1 건"_s);
    for (const auto& [pane, rows] : {std::pair{u"spListAS"_s, 1}, {u"spListConsult"_s, 1}, {u"spListSell"_s, 2}})
        EXPECT_EQ(desk->findChild<Grid*>(pane)->rowCount(), rows) << pane.toStdString();

    // The administrator backs up at noon; after an afternoon's work the backup is restored and every
    // table is as it was.
    App().UserCode = u"00"_s;
    FrmTool_Backup backup;
    prompter.answer(MsgAnswer::Yes);
    test::click(backup, u"btnBackUp"_s);
    const QString file = BackupFile::folder() + u"/"_s + BackupFile::fileName(Clock::now());
    const QStringList atNoon = test::fingerprint(db.admin(), db.name());
    const QStringList triggers = test::triggersOf(db.admin(), db.name());
    EXPECT_FALSE(triggers.isEmpty());

    ASSERT_EQ(test::runCtl(db, {u"payment"_s, u"add"_s, kCustomer, u"4500"_s}).exitCode, 0);
    sql(u"INSERT INTO customer (code, compname) VALUES ('C00002', '오후새고객')"_s);
    ASSERT_NE(test::fingerprint(db.admin(), db.name()), atNoon);

    backup.findChild<QLineEdit*>(u"txtRestoreFile"_s)->setText(file);
    prompter.answer(MsgAnswer::Yes);
    test::click(backup, u"btnRestore"_s);
    EXPECT_TRUE(prompter.saw(u"복원이 완료되었습니다."_s)) << prompter.texts().join(u'\n').toStdString();
    EXPECT_EQ(test::fingerprint(db.admin(), db.name()), atNoon);
    EXPECT_EQ(test::triggersOf(db.admin(), db.name()), triggers);
    EXPECT_EQ(test::runCtl(db, {u"repair"_s, u"balances"_s, u"--check"_s}).exitCode, 0);
    EXPECT_TRUE(prompter.texts(Kind::Error).isEmpty()) << prompter.texts(Kind::Error).join(u'\n').toStdString();
}
