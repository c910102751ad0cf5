#include "AsJobWindows.h"
#include "AsListFixture.h"
#include "AsTicket.h"
#include "AppState.h"
#include "BarcodeReader.h"
#include "FrmAS_admin.h"
#include "FrmAS_save.h"
#include "QtPrinters.h"
#include "WidgetDriver.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QTest>

using namespace Qt::StringLiterals;

namespace asv::test {
namespace {

// The clock in March; one job of this month in the ledger's list, one of January outside it.
struct AsTicketFixture : AsListFixture {
    int march = 0;
    int january = 0;
    AsJobWindows::Reception kept = AsJobWindows::reception();
    struct Opened {
        QWidget* opener;
        int mode;
        int job;
    };
    QList<Opened> opened;

    AsTicketFixture()
    {
        sql(u"UPDATE customer SET telno1 = '02-555-1234', hpno = '010-9999-0000' WHERE code = 'C00001'"_s);
        sql(u"UPDATE office SET compname = '한빛서비스', telno1 = '1588-0000' WHERE code = 1"_s);
        // A number past the ones a short Code 128 set would reach, so every digit pair is read.
        sql(u"ALTER TABLE aslist_m AUTO_INCREMENT = 104857"_s);
        march = job(u"C00001"_s, u"2026-03-05"_s, 0);
        sql(u"UPDATE aslist_m SET dealbigo = '전원이 안 켜짐', pserial = 'SN-77' WHERE code = %1"_s.arg(march));
        january = job(u"C00002"_s, u"2026-01-10"_s, 0, u"P00002"_s);
        AsJobWindows::reception() = [this](QWidget* opener, int mode, int job) { opened.append({opener, mode, job}); };
    }
    ~AsTicketFixture() override { AsJobWindows::reception() = kept; }
};

TEST_F(AsTicketFixture, TicketShowsTheJobAndItsBarcodeReadsBackAsTheJobNumber)
{
    const std::optional<AsTicket::Job> job = AsTicket::load(march);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->customer, u"한빛상사"_s);
    EXPECT_EQ(job->tel, u"02-555-1234 / 010-9999-0000"_s);
    EXPECT_EQ(job->product, u"세탁기(WM-10)"_s);
    EXPECT_EQ(job->symptom, u"소음 - 전원이 안 켜짐"_s);
    EXPECT_EQ(job->received, u"2026-03-05 09:30"_s);
    EXPECT_FALSE(AsTicket::load(999999));

    const AsTicket ticket(*job);
    const auto decoded = DecodeBarcodes({ticket.pageImage(0, 300)});
    if (!decoded)
        GTEST_SKIP() << "zbarimg (package zbar-tools) is not installed: the ticket was not read back";
    EXPECT_EQ(decoded->first(), QStringList{u"CODE-128:"_s + QString::number(march)});
}

TEST_F(AsTicketFixture, ScanningATicketIntoTheLedgerOpensItsJob)
{
    FrmAS_admin ledger;
    ASSERT_EQ(ledger.list()->rowCount(), 1);
    auto* scan = ledger.findChild<QLineEdit*>(u"txtFindAS"_s);
    ASSERT_TRUE(scan);
    auto scanned = [&](const QString& text) {
        scan->setFocus();
        QTest::keyClicks(scan, text);
        QTest::keyClick(scan, Qt::Key_Return);
    };

    scanned(AsTicket::barcodeText(march));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].opener, &ledger); // its listed row is the one rewritten after the save
    EXPECT_EQ(opened[0].mode, 2);
    EXPECT_EQ(opened[0].job, march);
    EXPECT_EQ(ledger.list()->activeRow(), 0);
    EXPECT_TRUE(scan->text().isEmpty());

    // A reader that sends its prefix; a job outside the listed period rewrites no row.
    scanned(u"&"_s + AsTicket::barcodeText(january));
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1].job, january);
    EXPECT_NE(opened[1].opener, &ledger);

    scanned(u"999999"_s);
    scanned(u"AS-1"_s);
    EXPECT_EQ(opened.size(), 2);
    EXPECT_EQ(prompter.texts(), (QStringList{u"AS번호 『999999』의 접수자료를 찾을 수 없습니다."_s,
                                             u"AS번호를 숫자로 입력하세요."_s}));
}

TEST_F(AsTicketFixture, TheRememberedTickPrintsATicketAfterEachNewReception)
{
    App().UserCode = u"02"_s;
    {
        FrmAS_save dialog;
        dialog.SetFormMode(RecordEditor::NewRecord);
        auto* tick = dialog.findChild<QCheckBox*>(u"chkPrintTicket"_s);
        ASSERT_FALSE(tick->isChecked());
        tick->setChecked(true);
        dialog.ShowPickedCustomer(u"C00002"_s);
        dialog.presetProduct(u"P00001"_s);
        dialog.findChild<QComboBox*>(u"Combo1"_s)->setCurrentIndex(0);
        QString shown;
        whenModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* preview) {
            shown = preview->windowTitle();
            preview->reject();
        });
        click(dialog, u"btnSave"_s);
        EXPECT_EQ(shown, u"A/S 접수증"_s);
    }
    FrmAS_save again;
    EXPECT_TRUE(again.findChild<QCheckBox*>(u"chkPrintTicket"_s)->isChecked());
    App().UserCode.clear();
}

} // namespace
} // namespace asv::test
