#include "FrmRPT_ledger.h"

#include "CustomerStore.h"
#include "Grid.h"
#include "GridPrinter.h"
#include "HCTerm.h"
#include "LedgerMerge.h"
#include "LedgerReads.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"
#include "WidgetHelpers.h"
#include "SharedOptions.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmRPT_ledger"_s;
const QColor kSumBackground(0xEE, 0xF2, 0xF8);

} // namespace

FrmRPT_ledger::FrmRPT_ledger(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"매출처 원장"_s, u"매출처 원장"_s, {}), m_chkTerm(new QCheckBox(u"기간:"_s, this)),
      m_fbCust(new ucFindBox(this))
{
    m_chkTerm->setObjectName(u"chkTerm"_s);
    m_chkTerm->setChecked(true);
    filterRow()->insertWidget(0, m_chkTerm);
    connect(m_chkTerm, &QCheckBox::toggled, period(), &QWidget::setEnabled);
    period()->setThisMonth();
    addCustomerFilterRow(m_fbCust)->addStretch();

    Grid* grid = list();
    grid->setColumns(LedgerMerge::captions());
    GridModel& cells = grid->cells();
    const SharedOptions& options = SharedOptions::current();
    const QString amount = GetDecFormat(options.amountDecimals, true, false);
    cells.setNumberColumn(LedgerMerge::ColQty, GetDecFormat(options.qtyDecimals, true, false));
    cells.setNumberColumn(LedgerMerge::ColPrice, GetDecFormat(options.priceDecimals, true, false));
    for (const int col : {LedgerMerge::ColDebit, LedgerMerge::ColCredit})
        cells.setNumberColumn(col, amount);
    cells.setNumberColumn(LedgerMerge::ColBalance, GetDecFormat(options.amountDecimals, true, true));
    // The cells are read from the ledger rows as they are shown; a 100,000-line ledger is not copied.
    for (int col = 0; col < LedgerMerge::ColCount; ++col) {
        cells.bindColumn(col, [this, col](const RecordSet&, int r) {
            return m_ledger ? m_ledger->text(r, col) : QString();
        });
    }
    QPushButton* btnEMail = NamedButton(this, u"btnEMail"_s, u"메일 보내기"_s);
    btnEMail->setEnabled(ScreenRegistry::has(kMailScreen));
    addButtons({btnEMail});
    connect(btnEMail, &QPushButton::clicked, this, &FrmRPT_ledger::mailLedger);
    finishLayout();
}

FrmRPT_ledger::~FrmRPT_ledger() = default;

QString FrmRPT_ledger::periodHeading() const
{
    return m_chkTerm->isChecked() ? u"기간: %1 ~ %2"_s.arg(period()->Text1(), period()->Text2()) : u"전체"_s;
}

void FrmRPT_ledger::Refresh_Sheet()
{
    list()->cells().clearRows();
    m_ledger.reset();
    LedgerStore::Filter filter;
    filter.period = m_chkTerm->isChecked();
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    filter.ccode = m_fbCust->code();
    if (filter.period && (!period()->from() || !period()->to())) {
        MsgInfo(u"조회 기간을 확인하세요."_s);
        period()->setFocus();
        return;
    }
    const auto step = [](const QString& procedure, auto&& body) {
        return Guarded(procedure, u"Form"_s, kForm, false, [&] {
            body();
            return true;
        });
    };
    LedgerReads reads(filter);
    RecordSetPtr carried;
    std::vector<LedgerMerge::Lines> lists;
    if (!step(u"Refresh_Sheet_1_RsBase"_s, [&] { reads.customers(); })
        || !step(u"Refresh_Sheet_2_RsPrev"_s, [&] { carried = reads.carried(); })
        || !step(u"Refresh_Sheet_3_RsSale"_s, [&] { lists = reads.debits(); })
        || !step(u"Refresh_Sheet_4_RsRecv"_s, [&] { lists.push_back(reads.credits()); }))
        return;
    auto ledger = std::make_shared<LedgerMerge>(reads.keys(), carried, std::move(lists));
    if (!step(u"Refresh_Sheet_6_1_CalcPrev"_s, [&] { ledger->carryForward(); })
        || !step(u"Refresh_Sheet_6_2_DispList"_s, [&] {
               ledger->mergeLines();
               m_ledger = std::move(ledger);
               showRows();
           }))
        return;
    if (m_ledger->rowCount() == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
}

void FrmRPT_ledger::showRows()
{
    // One empty record per ledger row: the grid counts rows by it and takes the texts from the
    // ledger.
    auto rows = std::make_shared<RecordSet>();
    rows->setFields({u"row"_s});
    const char* const none = nullptr;
    const unsigned long length = 0;
    for (int r = 0; r < m_ledger->rowCount(); ++r)
        rows->appendRow(&none, &length);
    rows->finish();
    GridModel& cells = list()->cells();
    cells.setRecordSet(rows);
    for (int r = 0; r < m_ledger->rowCount(); ++r) {
        const LedgerMerge::Kind kind = m_ledger->row(r).kind;
        if (kind == LedgerMerge::Kind::Subtotal || kind == LedgerMerge::Kind::Total)
            cells.setRowColors(r, {}, kSumBackground);
        else if (kind == LedgerMerge::Kind::Carried)
            cells.setRowColors(r, QColor(Qt::blue), {});
    }
}

GridPrinter FrmRPT_ledger::printer() const
{
    GridPrinter printer(*list(), windowTitle(), periodHeading());
    if (const std::shared_ptr<const LedgerMerge> ledger = m_ledger) {
        const GridModel* cells = &list()->cells();
        printer.setRowHeading([ledger, cells](int r) {
            const LedgerMerge::Row& row = ledger->row(cells->sourceRow(r));
            return row.kind == LedgerMerge::Kind::Carried
                ? ledger->customerName(row.customer) + ledger->contactHeading(row.customer)
                : QString();
        });
    }
    // One customer's ledger goes to that customer by mail.
    if (const QString code = m_fbCust->code(); !code.isEmpty()) {
        if (const auto customer = CustomerStore().load(code))
            printer.setMailRecipient(customer->compname, customer->email);
    }
    return printer;
}

void FrmRPT_ledger::printList()
{
    printer().preview(this);
}

void FrmRPT_ledger::mailLedger()
{
    if (m_fbCust->code().isEmpty() || !m_ledger || m_ledger->rowCount() == 0) {
        MsgInfo(u"메일로 보낼 거래처를 선택하고 원장을 조회하세요."_s);
        m_fbCust->setFocus();
        return;
    }
    if (const std::optional<MailDraft> draft = printer().mailDraft())
        OpenMailScreen(this, *draft);
}

} // namespace asv
