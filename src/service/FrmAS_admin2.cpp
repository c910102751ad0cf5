#include "FrmAS_admin2.h"

#include "AsJobColumns.h"
#include "AsJobStore.h"
#include "AsListStore.h"
#include "AsState.h"
#include "Grid.h"
#include "HCTerm.h"
#include "ResultLineGrid.h"
#include "SharedOptions.h"
#include "SqlNumber.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "StoreSql.h"
#include "RecordSet.h"

#include <QComboBox>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmAS_admin2"_s;
using C = AsJobColumns;

// The ledger's columns without the completion time and the results button.
const QList<C::Col> kJobColumns = {C::Received, C::CustCode, C::CustName, C::Product, C::State, C::ReceptionCode,
                                   C::Contents, C::Receiver, C::Charge, C::VisitRequested, C::VisitPlanned, C::Code};
const int kJobCode = static_cast<int>(kJobColumns.indexOf(C::Code));
const int kJobState = static_cast<int>(kJobColumns.indexOf(C::State));

} // namespace

FrmAS_admin2::FrmAS_admin2(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"AS 결과 등록"_s, u"A/S 리스트"_s, u"접수기간:"_s),
      m_fbUser(new ucFindBox(this)), m_cmbState(new QComboBox(this)), m_spDetail(new Grid(this))
{
    setPeriodCaption(u"접수기간:"_s);
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);
    m_cmbState->setObjectName(u"cmbState"_s);
    AsState::fillList(m_cmbState, true);
    m_spDetail->setObjectName(u"spDetail"_s);
    period()->setThisMonth();

    QHBoxLayout* filters = filterRow();
    filters->insertWidget(2, new QLabel(u"담당자:"_s, this));
    filters->insertWidget(3, m_fbUser);
    filters->insertWidget(4, new QLabel(u"처리상황:"_s, this));
    filters->insertWidget(5, m_cmbState);

    // Kept for the layout the ledger shares; payments are taken in the ledger.
    QPushButton* pay = NamedButton(this, u"btnPay"_s, u"입금"_s);
    addButtons(recordButtons(m_spDetail, [this] { addLine(); }, [this] { editLine(); }, [this] { deleteLine(); })
               + QList<QPushButton*>{pay});

    C::define(list()->cells(), kJobColumns);
    m_spDetail->setColumns({u"상품명"_s, u"원인코드"_s, u"결과코드"_s, u"AS메모"_s, u"금액"_s, u"무상"_s, u"코드"_s});
    m_spDetail->cells().setNumberColumn(DetAmount, GetDecFormat(SharedOptions::current().amountDecimals, true, true));
    m_spDetail->rememberDesignedLayout();
    finishLayout(m_spDetail, Qt::Vertical);

    connect(m_cmbState, &QComboBox::currentIndexChanged, this, &FrmAS_admin2::query);
    connect(m_spDetail, &QAbstractItemView::doubleClicked, this, &FrmAS_admin2::editLine);
    connect(list()->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { loadDetails(activeJob()); });
    query();
}

void FrmAS_admin2::query()
{
    AsListStore::JobFilter filter;
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    filter.charge = m_fbUser->code();
    filter.state = AsState::chosen(m_cmbState);
    const RecordSetPtr rs = Guarded(u"btnQuery_Click"_s, u"Form"_s, kForm, RecordSetPtr(),
                                    [&] { return AsListStore().jobs(filter); });
    Grid* grid = list();
    GridModel& cells = grid->cells();
    cells.clearColors();
    cells.setRecordSet(rs ? rs : std::make_shared<RecordSet>());
    C::colourStates(cells, kJobState);
    if (grid->rowCount() == 0) {
        m_spDetail->cells().clearRows();
        ShowNotice(u"검색된 결과가 없습니다."_s);
        return;
    }
    grid->setCurrentIndex(cells.index(0, 0));
    loadDetails(activeJob());
}

int FrmAS_admin2::activeJob() const
{
    const int row = list()->activeRow();
    return row >= 0 ? list()->text(row, kJobCode).toInt() : 0;
}

void FrmAS_admin2::loadDetails(int job)
{
    GridModel& cells = m_spDetail->cells();
    const int active = m_spDetail->activeRow();
    cells.clearRows();
    if (job == 0)
        return;
    const QList<AsJobStore::LineRow> lines =
        Guarded(u"spList_RowColChange"_s, u"Form"_s, kForm, QList<AsJobStore::LineRow>(),
                [job] { return AsJobStore().lines(job); });
    cells.setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        const AsJobStore::LineRow& l = lines[row];
        const QStringList texts = {l.product, l.cause, l.result, l.line.workbigo, SqlNumber(l.line.amount),
                                   l.line.isfree ? u"1"_s : u"0"_s, QString::number(l.line.seq)};
        for (int col = 0; col < DetCount; ++col)
            cells.setText(row, col, texts[col]);
    }
    if (!lines.isEmpty())
        m_spDetail->setCurrentIndex(cells.index(active >= 0 && active < lines.size() ? active : 0, 0));
}

void FrmAS_admin2::SyncUpdateASResult()
{
    rewriteActiveJob();
    loadDetails(activeJob());
}

void FrmAS_admin2::rewriteActiveJob()
{
    const int row = list()->activeRow();
    Guarded(u"SyncUpdateASResult"_s, u"Form"_s, kForm, 0, [&] {
        const RecordSetPtr rs = AsListStore().job(activeJob());
        if (row >= 0 && rs->rowCount() > 0)
            C::write(list()->cells(), row, kJobColumns, *rs, 0);
        return 0;
    });
}

void FrmAS_admin2::addLine()
{
    const int job = activeJob();
    if (job == 0) {
        MsgInfo(u"먼저 A/S접수자료부터 조회하세요."_s);
        return;
    }
    if (const AsJobWindows::ResultLine& open = AsJobWindows::resultLine())
        open(this, job, 1, 0);
}

void FrmAS_admin2::editLine()
{
    const int seq = ResultLineGrid::lineToEdit(*m_spDetail, DetSeq);
    if (seq == 0)
        return;
    if (const AsJobWindows::ResultLine& open = AsJobWindows::resultLine())
        open(this, activeJob(), 2, seq);
}

void FrmAS_admin2::deleteLine()
{
    ResultLineGrid::removeActive(m_spDetail, DetSeq, activeJob(), kForm);
}

} // namespace asv
