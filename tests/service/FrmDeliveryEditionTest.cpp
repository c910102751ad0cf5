#include "AppState.h"
#include "AsJobColumns.h"
#include "AsListFixture.h"
#include "CtlProgram.h"
#include "FrmAS_AdminTamber.h"
#include "FrmAS_Result.h"
#include "FrmRPT_ASListTamber.h"
#include "FrmReport_ASSaleTamber.h"
#include "Grid.h"
#include "GridDriver.h"
#include "HCTerm.h"
#include "ScreenRegistry.h"
#include "ServiceScreens.h"
#include "ucFindBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

using namespace Qt::StringLiterals;
using namespace asv;
using asv::test::amounts;
using asv::test::AsListFixture;
using asv::test::column;
using asv::test::SavedReception;

namespace {

// The customers of the fixture with the model, telephone and address the edition shows.
struct DeliveryEditionTest : AsListFixture {
    DeliveryEditionTest()
    {
        sql(u"UPDATE customer SET modelname = 'WM-10 화이트', telno1 = '02-111-2222', addr1 = '서울 중구', "
            "addr2 = '101호' WHERE code = 'C00001'"_s);
        sql(u"UPDATE customer SET modelname = 'DR-7' WHERE code = 'C00002'"_s);
    }
    ~DeliveryEditionTest() override { App().EditionCode.clear(); }

    static void delivered(int job, int seq, const QString& date)
    {
        sql(u"UPDATE aslist_d SET senddate = '%1' WHERE code = %2 AND seq = %3"_s.arg(date).arg(job).arg(seq));
    }
};

QStringList row(const Grid* grid, int r)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << grid->text(r, c);
    return cells;
}

} // namespace

TEST_F(DeliveryEditionTest, TheLedgerShowsTheCustomerAndTheDistinctDeliveryDatesOfEachJob)
{
    const int washer = job(u"C00001"_s, u"2026-03-02"_s, 9);
    for (int seq = 1; seq <= 4; ++seq)
        line(washer, seq, 1000, false);
    delivered(washer, 1, u"2026-03-25"_s);
    delivered(washer, 2, u"2026-03-21"_s);
    delivered(washer, 3, u"2026-03-25"_s); // line 4 has none
    const int waiting = job(u"C00002"_s, u"2026-03-03"_s, 0);
    // The names are read apart from the jobs; a job whose receiver or product is gone keeps its
    // customer's columns.
    const int noReceiver = job(u"C00001"_s, u"2026-03-05"_s, 0);
    sql(u"UPDATE aslist_m SET regucode = '99' WHERE code = %1"_s.arg(noReceiver));
    const int noProduct = job(u"C00001"_s, u"2026-03-06"_s, 0, u"P09999"_s);

    FrmAS_AdminTamber ledger;
    Grid* grid = ledger.list();
    ASSERT_EQ(grid->rowCount(), 4);
    EXPECT_EQ(row(grid, 0).mid(AsJobColumns::Code),
              QStringList({QString::number(washer), u"WM-10 화이트"_s, u"02-111-2222"_s, u"서울 중구"_s, u"101호"_s,
                           u"2026-03-21, 2026-03-25"_s}));
    EXPECT_EQ(grid->text(1, AsJobColumns::SendDates), QString());
    EXPECT_EQ(column(grid, u"접수자"_s).value(2) + column(grid, u"상품명"_s).value(3), QString());
    EXPECT_EQ(grid->text(3, AsJobColumns::ModelName), u"WM-10 화이트"_s);

    // A job saved in the reception dialog arrives with the same columns as a queried one.
    const int added = job(u"C00001"_s, u"2026-03-04"_s, 0);
    SavedReception dialog(added);
    ledger.SyncUpdateAS(&dialog, 1);
    ASSERT_EQ(grid->rowCount(), 5);
    EXPECT_EQ(grid->text(4, AsJobColumns::ModelName), u"WM-10 화이트"_s);
    EXPECT_EQ(grid->text(4, AsJobColumns::Address2), u"101호"_s);
    EXPECT_EQ(column(grid, u"코드"_s),
              QStringList({QString::number(washer), QString::number(waiting), QString::number(noReceiver),
                           QString::number(noProduct), QString::number(added)}));

    // The plain ledger stops at the job number.
    FrmAS_admin plain;
    EXPECT_EQ(plain.list()->columnCount(), AsJobColumns::Code + 1);
}

TEST_F(DeliveryEditionTest, TheResultListTakesItsPeriodOnTheDeliveryDate)
{
    const int february = job(u"C00001"_s, u"2026-02-10"_s, 9);
    line(february, 1, 30000, false);
    line(february, 2, 10000, true);
    delivered(february, 1, u"2026-03-05"_s);
    delivered(february, 2, u"2026-04-01"_s);
    const int march = job(u"C00002"_s, u"2026-03-02"_s, 9);
    line(march, 1, 5000, false);

    FrmRPT_ASListTamber report;
    Grid* grid = report.list();
    ASSERT_EQ(grid->rowCount(), 2); // the line delivered in March and the total
    EXPECT_EQ(amounts(grid), QList<double>({30000, 30000}));
    EXPECT_EQ(row(grid, 0).mid(FrmRPT_ASList::ColCode),
              QStringList({QString::number(february), u"WM-10 화이트"_s, u"02-111-2222"_s,
                           u"서울 중구"_s, u"101호"_s, u"2026-03-05"_s}));
    EXPECT_EQ(grid->text(1, FrmRPT_ASList::ColDate), u"[합 계]"_s);

    report.period()->SetText2(u"2026-04-30"_s);
    report.query();
    EXPECT_EQ(amounts(grid), QList<double>({30000, 0, 30000}));

    // The plain list goes by the reception date.
    FrmRPT_ASList plain;
    EXPECT_EQ(column(plain.list(), FrmRPT_ASList::ColCode), QStringList({QString::number(march), QString()}));
}

TEST_F(DeliveryEditionTest, TheInquiryListsDeliveriesAndSalesInDateOrderWithChosenOrTypedFilters)
{
    const int washer = job(u"C00001"_s, u"2026-02-10"_s, 9);
    line(washer, 1, 0, true);
    line(washer, 2, 0, true, u"P00002"_s);
    delivered(washer, 1, u"2026-03-10"_s);
    delivered(washer, 2, u"2026-03-02"_s);
    sql(u"INSERT INTO sale (code, ccode, pcode, pname, dealdate) VALUES (501, 'C00002', 'P00001', '세탁기', "
        "'2026-03-10'), (502, 'C00001', 'P00002', '건조기', '2026-03-05'), (503, 'C00001', 'P00001', '세탁기', "
        "'2026-04-02')"_s);
    sql(u"INSERT INTO pclass (code, name) VALUES ('0001', '가전'), ('0002', '건조')"_s);

    FrmReport_ASSaleTamber inquiry;
    Grid* grid = inquiry.list();
    const auto shown = [&] {
        QStringList lines;
        for (int r = 0; r < grid->rowCount(); ++r)
            lines << grid->text(r, 0) + u' ' + grid->text(r, 1) + u' ' + grid->text(r, 7);
        return lines;
    };
    EXPECT_EQ(shown(), QStringList({u"A/S 2026-03-02 건조기"_s, u"판매 2026-03-05 건조기"_s,
                                    u"A/S 2026-03-10 세탁기"_s, u"판매 2026-03-10 세탁기"_s}));
    EXPECT_EQ(row(grid, 0).mid(2, 5),
              QStringList({u"한빛상사"_s, u"WM-10 화이트"_s, u"02-111-2222"_s, u"서울 중구"_s, u"101호"_s}));
    EXPECT_EQ(grid->text(1, FrmReport_ASSaleTamber::ColCode), u"502"_s);

    auto* customer = inquiry.findChild<ucFindBox*>(u"fbCust"_s);
    customer->editor()->setText(u"다른"_s);
    inquiry.query();
    EXPECT_EQ(shown(), QStringList({u"판매 2026-03-10 세탁기"_s}));
    customer->setRecord(u"C00001"_s, u"다른상사"_s); // the chosen code wins over the name shown
    inquiry.query();
    EXPECT_EQ(shown().size(), 3);
    customer->clear();

    auto* product = inquiry.findChild<ucFindBox*>(u"fbProd"_s);
    product->editor()->setText(u"건조"_s);
    inquiry.query();
    EXPECT_EQ(shown(), QStringList({u"A/S 2026-03-02 건조기"_s, u"판매 2026-03-05 건조기"_s}));
    product->clear();

    inquiry.findChild<QComboBox*>(u"cmbPCls"_s)->setCurrentText(u"가전"_s);
    EXPECT_EQ(shown(), QStringList({u"A/S 2026-03-10 세탁기"_s, u"판매 2026-03-10 세탁기"_s}));
}

TEST_F(DeliveryEditionTest, TheMenusOpenTheEditionsScreensOnlyInThatEdition)
{
    ServiceScreens::registerAll();
    const auto opened = [](const QString& entry) {
        const ScreenRegistry::Entry* found = ScreenRegistry::find(entry);
        if (!found)
            return QString();
        const std::unique_ptr<QWidget> screen(found->create(nullptr));
        return QString::fromLatin1(screen->metaObject()->className());
    };
    EXPECT_EQ(opened(u"mnuSlipAS_10"_s), u"asv::FrmAS_admin"_s);
    EXPECT_EQ(opened(u"mnuAS_Report_50"_s), u"asv::FrmRPT_ASList"_s);
    App().EditionCode = u"Tamber"_s;
    EXPECT_EQ(opened(u"mnuSlipAS_10"_s), u"asv::FrmAS_AdminTamber"_s);
    EXPECT_EQ(opened(u"mnuAS_Report_50"_s), u"asv::FrmRPT_ASListTamber"_s);
    EXPECT_EQ(opened(u"mnuReport_ASSale"_s), u"asv::FrmReport_ASSaleTamber"_s);
}

TEST_F(DeliveryEditionTest, AResultLineEnteredFromTheCommandLineIsListedOnTheResultScreen)
{
    const int washer = job(u"C00001"_s, u"2026-03-02"_s, 0);
    sql(u"INSERT INTO ascode (code, pcode, part, name) VALUES (4, 'P00002', 1, '건조 불량')"_s);
    const auto ctl = [&](const QStringList& args) {
        return test::runCtl(db, QStringList{u"as"_s, u"result"_s, QString::number(washer)} + args).exitCode;
    };
    EXPECT_EQ(ctl({u"3"_s, u"30000"_s}), 0);
    EXPECT_EQ(ctl({u"3"_s, u"500"_s, u"--cause"_s, u"4"_s}), 1); // the washer is not offered the dryer's cause
    EXPECT_EQ(ctl({u"3"_s, u"500"_s, u"--cause"_s}), 2);

    FrmAS_Result results;
    results.SetFormMode(washer, u"C00001"_s, u"소음"_s);
    ASSERT_EQ(results.list()->rowCount(), 1);
    EXPECT_EQ(row(results.list(), 0).mid(FrmAS_Result::ColCause, 2), QStringList({u"모터"_s, u"교체"_s}));
    EXPECT_EQ(DBGetValue(u"SELECT state FROM aslist_m WHERE code = %1"_s.arg(washer)), u"9"_s);
}
