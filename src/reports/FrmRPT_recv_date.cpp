#include "FrmRPT_recv_date.h"

#include "ChargeFilter.h"
#include "DayTotals.h"
#include "EditorWindow.h"
#include "FrmSlip_recv.h"
#include "Grid.h"
#include "HCTerm.h"
#include "PeriodReportSettings.h"
#include "PeriodReportStore.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmRPT_recv_date"_s;

} // namespace

FrmRPT_recv_date::FrmRPT_recv_date(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"일자별 입금현황"_s, u"일자별 입금현황"_s, u"검색기간:"_s),
      m_fbCust(new ucFindBox(this)), m_charge(new ChargeFilter(this, PeriodReportSettings::ReceiptsChargeOf))
{
    setPeriodCaption(u"기간:"_s);
    period()->setThisMonth();
    QHBoxLayout* row = addCustomerFilterRow(m_fbCust);
    row->addWidget(m_charge);
    row->addStretch();

    QPushButton* edit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    addButtons({edit});
    connect(edit, &QPushButton::clicked, this, &FrmRPT_recv_date::editSelected);

    Grid* grid = list();
    grid->setColumns({u"일자"_s, u"거래처코드"_s, u"거래처명"_s, u"구분"_s, u"입금액"_s, u"할인액"_s, u"합계"_s,
                      u"비고"_s, u"코드"_s});
    GridModel& cells = grid->cells();
    const QString amounts = GetDecFormat(SharedOptions::current().amountDecimals, true, true);
    cells.setNumberColumn(ColAmount, amounts);
    cells.setNumberColumn(ColDc, amounts);
    cells.setFormulaColumn(ColTotal, {{ColAmount}, {ColDc}}, amounts);
    const QList<std::pair<int, QString>> fields = {{ColDate, u"dealdate"_s}, {ColCustCode, u"ccode"_s},
                                                   {ColAlias, u"compalias"_s}, {ColAmount, u"amount"_s},
                                                   {ColDc, u"dc"_s}, {ColMemo, u"bigo"_s}, {ColCode, u"code"_s}};
    for (const auto& [col, label] : fields)
        cells.bindColumn(col, label);
    cells.bindColumn(ColKind, [](const RecordSet& rs, int r) {
        return rs.value(r, u"type"_s) == u"1"_s ? u"카드"_s : u"현금"_s;
    });
    finishLayout();
}

void FrmRPT_recv_date::Refresh_Sheet()
{
    PeriodReportStore::ReceiptFilter filter;
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    filter.ccode = m_fbCust->code();
    filter.charge = m_charge->userCode();
    filter.chargeOf = m_charge->chargeOf();
    const RecordSetPtr payments = Guarded(u"Refresh_Sheet"_s, u"Form"_s, kForm, RecordSetPtr(),
                                          [&] { return PeriodReportStore().receipts(filter); });
    if (!payments)
        return;
    GridModel& cells = list()->cells();
    cells.setRecordSet(payments);
    AddDayTotals(cells, ColDate, {ColAmount, ColDc});
    if (cells.rowCount() == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
}

void FrmRPT_recv_date::editSelected()
{
    const int row = list()->activeRow();
    // Total rows have no payment behind them.
    const QString code = row >= 0 && list()->cells().sourceRow(row) >= 0 ? list()->text(row, ColCode) : QString();
    if (code.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
        return;
    }
    OpenEditorOver<FrmSlip_recv>(this, RecordEditor::EditRecord, code, [this](const QString&) { Refresh_Sheet(); });
}

QString FrmRPT_recv_date::printSubtitle() const
{
    const QString customer = m_fbCust->code().isEmpty() ? u"전체"_s : m_fbCust->Text();
    return u"( 검색기간: %1 ~ %2, 거래처: %3, 담당자: %4 )"_s.arg(period()->Text1(), period()->Text2(), customer,
                                                              m_charge->userName());
}

} // namespace asv
