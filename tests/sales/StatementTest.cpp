#include "DbFixture.h"
#include "FrmSlip_sale.h"
#include "FrmStatement.h"
#include "FrmTaxInvoice.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "MessagingScreens.h"
#include "QtPrinters.h"
#include "RegistryGuard.h"
#include "SalesScreens.h"
#include "ScreenOpener.h"
#include "StatementLayout.h"
#include "StatementStore.h"
#include "WidgetDriver.h"
#include "modExcel.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace asv::test {
namespace {

QList<int> codesOf(const QString& where)
{
    RecordSetPtr rs;
    DBOpenRS(rs, u"SELECT code FROM sale WHERE "_s + where + u" ORDER BY code"_s);
    QList<int> codes;
    for (int r = 0; rs && r < rs->rowCount(); ++r)
        codes.append(rs->value(r, 0).toInt());
    return codes;
}

// Before March: opening balance 1,000, a sale of 2,200, a charged AS line of 3,000 (a free one
// beside it) and a payment of 500 with 100 discount: 5,600 owed on 1 March. In March three lines
// (3,316 + 1,000 + 1,100) and a payment of 2,000; April's line and another customer's are not
// the statement's.
struct StatementFixture : DbFixture {
    StatementFixture() : DbFixture(QDateTime(QDate(2026, 3, 31), QTime(17, 0)))
    {
        sql(u"UPDATE office SET compname = '한빛전자', compsn = '123-45-67890', ceoname = '김대표', addr1 = '서울 중구', "
            u"addr2 = '1층', status = '도소매', item = '가전', telno1 = '02-111-2222' WHERE code = 1"_s);
        sql(u"INSERT INTO customer (code, compname, compsn, ceoname, addr1, status, item, telno1, email, taxmode, "
            u"basemoney, nowmoney) VALUES ('C00001', '다온마트', '220-81-12345', '이사장', '부산 해운대', '소매', '잡화', "
            u"'051-222-3333', 'buyer@example.com', 2, 1000, 0), ('C00002', '남의가게', '', '', '', '', '', '', '', 2, 0, 0)"_s);
        sql(u"INSERT INTO sale (ccode, pcode, pname, pnorm, qnt, price, amount, tax, total, dealdate, dealtime, taxlistno) "
            u"VALUES ('C00001', '000000', '선반', 'S', 1, 2000, 2000, 200, 2200, '2026-02-20', '10:00', ''), "
            u"('C00001', '000000', '세탁기', 'WM-10', 3, 1005, 3015, 301, 3316, '2026-03-05', '10:00', '000001-01-0001'), "
            u"('C00001', '000000', '필터', 'F-1', 2, 500, 1000, 0, 1000, '2026-03-10', '11:00', ''), "
            u"('C00001', '000000', '호스', '2m', 1, 1000, 1000, 100, 1100, '2026-03-31', '09:00', '000001-01-0002'), "
            u"('C00001', '000000', '모터', '', 1, 9090, 9090, 909, 9999, '2026-04-01', '09:00', ''), "
            u"('C00002', '000000', '모터', '', 1, 9090, 9090, 909, 9999, '2026-03-12', '09:00', '000001-01-0003')"_s);
        sql(u"INSERT INTO receive (ccode, dealdate, amount, dc) VALUES ('C00001', '2026-02-25', 500, 100), "
            u"('C00001', '2026-03-15', 2000, 0), ('C00001', '2026-04-02', 7777, 0)"_s);
        sql(u"INSERT INTO aslist_m (code, ccode, pcode, dealdate, dealtime, regucode, charge, typecode0) VALUES "
            u"(1, 'C00001', '000000', '2026-02-26', '09:00', '00', '00', 1)"_s);
        sql(u"INSERT INTO aslist_d (code, seq, pcode, amount, isfree) VALUES (1, 1, '000000', 3000, 0), "
            u"(1, 2, '000000', 5000, 1)"_s);
    }
};

TEST_F(StatementFixture, PeriodFiguresAgreeWithTheDocuments)
{
    const Statement s = StatementStore().forPeriod(u"C00001"_s, u"2026-03-01"_s, u"2026-03-31"_s);
    ASSERT_EQ(s.lines.size(), 3);
    EXPECT_EQ(s.lines[0].product, u"세탁기"_s);
    EXPECT_EQ(s.lines[2].date, u"2026-03-31"_s);
    EXPECT_DOUBLE_EQ(s.amount(), 5015);
    EXPECT_DOUBLE_EQ(s.tax(), 401);
    EXPECT_DOUBLE_EQ(s.total(), 5416);
    EXPECT_DOUBLE_EQ(s.previousBalance, 5600);
    EXPECT_DOUBLE_EQ(s.received, 2000);
    EXPECT_DOUBLE_EQ(s.balanceAfter(), 9016);
    EXPECT_EQ(s.supplier.name, u"한빛전자"_s);
    EXPECT_EQ(s.supplier.address, u"서울 중구 1층"_s);
    EXPECT_EQ(s.recipient.regNo, u"220-81-12345"_s);
    EXPECT_EQ(s.email, u"buyer@example.com"_s);

    // Charged AS work is on the period's statement as a line of its own; the free line is not.
    const Statement february = StatementStore().forPeriod(u"C00001"_s, u"2026-02-01"_s, u"2026-02-28"_s);
    ASSERT_EQ(february.lines.size(), 2);
    EXPECT_EQ(february.lines[1].norm, u"A/S"_s);
    EXPECT_DOUBLE_EQ(february.lines[1].amount, 3000);
    EXPECT_DOUBLE_EQ(february.previousBalance, 1000);
    EXPECT_DOUBLE_EQ(february.balanceAfter(), 5600);
}

TEST_F(StatementFixture, ChosenLinesSpanTheirDatesAndOnlyTheirTotal)
{
    const QList<int> codes = codesOf(u"ccode = 'C00001' AND pname IN ('세탁기', '호스')"_s);
    const Statement s = StatementStore().forLines(u"C00001"_s, codes + codesOf(u"ccode = 'C00002'"_s));
    ASSERT_EQ(s.lines.size(), 2); // another customer's line is never on it
    EXPECT_EQ(s.from, u"2026-03-05"_s);
    EXPECT_EQ(s.to, u"2026-03-31"_s);
    EXPECT_DOUBLE_EQ(s.total(), 4416);
    EXPECT_DOUBLE_EQ(s.previousBalance, 5600);
    EXPECT_DOUBLE_EQ(s.balanceAfter(), 5600 + 4416 - 2000);
}

TEST(StatementLayoutTest, LongStatementsContinueOnFurtherSheetsInBothCopyModes)
{
    Statement s;
    for (int i = 0; i < 30; ++i)
        s.lines.append({u"2026-03-01"_s, u"품목"_s, {}, 1, 100, 100, 10});
    const StatementLayout together(s, false);
    const StatementLayout apart(s, true);
    const int perHalf = together.linesPerCopy();
    ASSERT_GE(perHalf, 10);
    EXPECT_EQ(together.pageCount(), (30 + perHalf - 1) / perHalf);
    EXPECT_GE(apart.linesPerCopy(), 30);
    EXPECT_EQ(apart.pageCount(), 2);
    s.lines.clear();
    EXPECT_EQ(StatementLayout(s, false).pageCount(), 1); // an empty statement still prints its form
}

struct StatementWindow : StatementFixture {
    RegistryGuard registry{{}, {u"mnuSpecification"_s, u"mnuTax"_s, u"FrmSendMail"_s}};
    StatementWindow()
    {
        SalesScreens::registerAll();
        MessagingScreens::registerAll();
    }
};

TEST_F(StatementWindow, WritesAPdfWithTheKoreanFaceAndMailsIt)
{
    FrmStatement window;
    window.showPeriod(u"C00001"_s, u"2026-03-01"_s, u"2026-03-31"_s);
    EXPECT_EQ(window.findChild<Grid*>(u"spList"_s)->rowCount(), 3);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"statement.pdf"_s);
    ASSERT_TRUE(window.output(DocumentPrinter::Pdf, path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_GT(bytes.size(), 1000);
    EXPECT_TRUE(bytes.contains("NanumGothic"));

    QString attachment;
    QString subject;
    whenModal<QDialog>([&](QDialog* mail) {
        attachment = mail->findChild<QLineEdit*>(u"txtPathFile"_s)->text();
        subject = mail->findChild<QLineEdit*>(u"txtSubject"_s)->text();
        mail->reject();
    });
    ASSERT_TRUE(window.mail());
    EXPECT_TRUE(attachment.endsWith(u"/Doc/거래명세표_다온마트_2026-03-01_2026-03-31.pdf"_s)) << attachment.toStdString();
    EXPECT_TRUE(QFile::exists(attachment));
    EXPECT_EQ(subject, u"[거래명세표] 한빛전자 (2026-03-01 ~ 2026-03-31)"_s);
}

TEST_F(StatementWindow, TheSlipHandsOverItsChosenLinesOrTheDayOfItsLine)
{
    FrmSlip_sale slip;
    prompter.answer(MsgAnswer::No); // the slip's first-use tip
    slip.InitForm(u"C00001"_s, u"2026-03"_s);
    Grid* list = slip.list();
    auto topStatement = [] {
        FrmStatement* found = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* s = qobject_cast<FrmStatement*>(w); s && s->isVisible())
                found = s;
        }
        return found;
    };

    list->setCurrentIndex(list->model()->index(1, FrmSlip_sale::ColPName));
    click(slip, u"btnStatement"_s);
    FrmStatement* day = topStatement();
    ASSERT_TRUE(day);
    EXPECT_EQ(day->statement().from, u"2026-03-10"_s);
    ASSERT_EQ(day->statement().lines.size(), 1);
    EXPECT_EQ(day->statement().lines[0].product, u"필터"_s);
    day->close();
    QApplication::processEvents();

    list->clearSelection();
    for (int row : {0, 2})
        list->selectionModel()->select(list->model()->index(row, FrmSlip_sale::ColPName),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    click(slip, u"btnStatement"_s);
    FrmStatement* chosen = topStatement();
    ASSERT_TRUE(chosen);
    EXPECT_DOUBLE_EQ(chosen->statement().total(), 4416);
    chosen->close();
}

TEST_F(StatementWindow, TaxInvoiceScreenExplainsAndListsTheInvoicedLines)
{
    FrmTaxInvoice tax;
    EXPECT_TRUE(tax.findChild<QLabel*>(u"lblNotice"_s)->text().startsWith(u"전자세금계산서는 국세청 홈택스"_s));
    tax.period()->SetText1(u"2026-03-01"_s);
    tax.period()->SetText2(u"2026-03-31"_s);
    tax.query();
    EXPECT_EQ(column(tax.list(), u"계산서번호"_s),
              (QStringList{u"000001-01-0001"_s, u"000001-01-0003"_s, u"000001-01-0002"_s}));

    ExcelExportOptions options;
    options.silent = true;
    options.openAfter = false;
    const QString written = ExportToExcelFile(*tax.list(), options);
    EXPECT_TRUE(QFile::exists(written));
}

} // namespace
} // namespace asv::test
