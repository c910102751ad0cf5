#include "FrmAS_admin.h"

#include "AsJobColumns.h"
#include "AsJobScanBox.h"
#include "AsJobStore.h"
#include "AsListStore.h"
#include "AsState.h"
#include "AsTicketPrint.h"
#include "Grid.h"
#include "HCTerm.h"
#include "ScreenRegistry.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "StoreSql.h"
#include "RecordSet.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmAS_admin"_s;
using C = AsJobColumns;

} // namespace

FrmAS_admin::FrmAS_admin(QWidget* parent) : FrmAS_admin(parent, kForm, false) {}

FrmAS_admin::FrmAS_admin(QWidget* parent, const QString& name, bool deliveries)
    : PeriodListWindow(parent, name, u"AS 접수 등록"_s, u"A/S 리스트"_s, u"접수기간:"_s),
      m_cmbDateType(new QComboBox(this)), m_fbCust(new ucFindBox(this)), m_fbUser(new ucFindBox(this)),
      m_cmbState(new QComboBox(this)), m_labTotal(new QLabel(this)), m_fbCustInfo(new ucFindBox(this)),
      m_custInfo(new QFormLayout), m_lstSale(new QListWidget(this)), m_deliveries(deliveries),
      m_columns(C::ledger(deliveries))
{
    m_cmbDateType->setObjectName(u"cmbDateType"_s);
    m_cmbDateType->addItems({u"접수기간:"_s, u"방문예정:"_s});
    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);
    m_cmbState->setObjectName(u"cmbState"_s);
    AsState::fillList(m_cmbState, true);
    m_labTotal->setObjectName(u"LabTotal"_s);
    m_fbCustInfo->setObjectName(u"fbCustInfo"_s);
    m_lstSale->setObjectName(u"lstSale"_s);
    period()->setThisMonth();

    QHBoxLayout* filters = filterRow();
    filters->insertWidget(0, m_cmbDateType);
    filters->insertWidget(3, new QLabel(u"고객:"_s, this));
    filters->insertWidget(4, m_fbCust);
    filters->insertWidget(5, new QLabel(u"담당:"_s, this));
    filters->insertWidget(6, m_fbUser);
    filters->insertWidget(7, new QLabel(u"상황:"_s, this));
    filters->insertWidget(8, m_cmbState);
    filters->addWidget(new QLabel(u"AS번호:"_s, this));
    filters->addWidget(new AsJobScanBox(this, list(), [this](int row) { return jobAt(row); }));
    footer()->addWidget(m_labTotal);

    QPushButton* pay = NamedButton(this, u"btnPay"_s, u"입금"_s);
    QPushButton* ticket = NamedButton(this, u"btnTicket"_s, u"접수증"_s);
    addButtons(recordButtons(list(), [this] { addJob(); }, [this] { editJob(); }, [this] { deleteSelected(); })
               + QList<QPushButton*>{pay, ticket});

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->addWidget(m_fbCustInfo);
    sideLayout->addLayout(m_custInfo);
    for (const QString& caption : {u"전화1"_s, u"전화2"_s, u"전화3"_s, u"전화4"_s, u"팩스"_s, u"휴대폰"_s, u"주소"_s,
                                   QString(), u"이메일"_s, u"담당자"_s, u"메모"_s})
        m_custInfo->addRow(caption, new QLabel(side));
    sideLayout->addWidget(new QLabel(u"판매내역"_s, side));
    sideLayout->addWidget(m_lstSale, 1);
    side->setFixedWidth(260);

    Grid* grid = list();
    C::define(grid->cells(), m_columns);
    grid->setSelectionKind(Grid::SelectionKind::MultiRow);
    finishLayout(side);

    connect(m_cmbDateType, &QComboBox::currentIndexChanged, this, &FrmAS_admin::query);
    connect(m_cmbState, &QComboBox::currentIndexChanged, this, &FrmAS_admin::query);
    connect(m_fbCust, &ucFindBox::found, this, &FrmAS_admin::query);
    connect(pay, &QPushButton::clicked, this, &FrmAS_admin::openPayment);
    connect(ticket, &QPushButton::clicked, this, [this] { AsTicketPrint::preview(this, jobAt(list()->activeRow())); });
    connect(grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != C::Results)
            editJob();
    });
    connect(grid, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == C::Results)
            openResults(index.row());
    });
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { showCustomer(current.row()); });
    query();
}

void FrmAS_admin::query()
{
    Grid* grid = list();
    const int active = grid->activeRow();
    AsListStore::JobFilter filter;
    filter.byPlannedVisit = m_cmbDateType->currentIndex() == 1;
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    filter.ccode = m_fbCust->code();
    filter.charge = m_fbUser->code();
    filter.state = AsState::chosen(m_cmbState);
    filter.deliveries = m_deliveries;
    const RecordSetPtr rs = Guarded(u"btnQuery_Click"_s, u"Form"_s, objectName(), RecordSetPtr(),
                                    [&] { return AsListStore().jobs(filter); });
    GridModel& cells = grid->cells();
    cells.clearColors();
    cells.setRecordSet(rs ? rs : std::make_shared<RecordSet>());
    m_counts = C::colourStates(cells, C::State);
    showCounts();
    if (grid->rowCount() == 0) {
        ShowNotice(u"검색된 결과가 없습니다."_s);
        return;
    }
    const int row = active >= 0 && active < grid->rowCount() ? active : 0;
    grid->setCurrentIndex(cells.index(row, C::Received));
}

void FrmAS_admin::showCounts()
{
    m_labTotal->setText(
        u"대기 : %1 건 / 확인 : %2 건 / 완료 : %3 건"_s.arg(m_counts[0]).arg(m_counts[1]).arg(m_counts[2]));
}

void FrmAS_admin::SyncUpdateAS(QWidget* dialog, int mode)
{
    const auto* number = dialog->findChild<QLabel*>(u"lblCode"_s);
    Grid* grid = list();
    int row = grid->activeRow();
    if (mode == 1 || row < 0)
        row = grid->rowCount();
    if (writeJob(number ? number->text().toInt() : 0, row))
        grid->setCurrentIndex(grid->cells().index(row, C::Received));
}

void FrmAS_admin::SyncUpdateJob(int job)
{
    for (int row = 0; row < list()->rowCount(); ++row) {
        if (jobAt(row) == job) {
            writeJob(job, row);
            return;
        }
    }
}

bool FrmAS_admin::writeJob(int job, int row)
{
    return Guarded(u"SyncUpdateAS"_s, u"Form"_s, objectName(), false, [&] {
        // The names shown are the server's, as the query would give them.
        const RecordSetPtr rs = AsListStore().job(job, m_deliveries);
        if (rs->rowCount() == 0)
            return false;
        GridModel& cells = list()->cells();
        if (row >= cells.rowCount())
            cells.setRowCount(row + 1);
        else
            --m_counts[C::countedAs(cells.text(row, C::State))];
        C::write(cells, row, m_columns, *rs, 0);
        ++m_counts[C::countedAs(cells.text(row, C::State))];
        showCounts();
        return true;
    });
}

void FrmAS_admin::ShowPickedCustomer(const QString& code)
{
    m_fbCust->FindName(code);
    query();
}

int FrmAS_admin::jobAt(int row) const
{
    return row >= 0 && row < list()->rowCount() ? list()->text(row, C::Code).toInt() : 0;
}

void FrmAS_admin::addJob()
{
    if (const AsJobWindows::Reception& open = AsJobWindows::reception())
        open(this, 1, 0);
}

void FrmAS_admin::editJob()
{
    const int job = jobAt(list()->activeRow());
    if (job == 0) {
        MsgInfo(u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
        return;
    }
    if (const AsJobWindows::Reception& open = AsJobWindows::reception())
        open(this, 2, job);
}

void FrmAS_admin::openResults(int row)
{
    const int job = jobAt(row);
    const AsJobWindows::Results& open = AsJobWindows::results();
    if (job == 0 || !open)
        return;
    const Grid* grid = list();
    open(this, job, grid->text(row, C::CustCode),
         grid->text(row, C::Contents) + u" , "_s + grid->text(row, C::ReceptionCode) + u" , "_s
             + grid->text(row, C::CustName));
}

void FrmAS_admin::deleteSelected()
{
    Grid* grid = list();
    const QList<int> rows = grid->selectedRows();
    if (rows.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
        return;
    }
    if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, {}, true) != MsgAnswer::Yes)
        return;
    int deleted = 0;
    Guarded(u"btnRecDel_Click"_s, u"Form"_s, objectName(), 0, [&] {
        // Rows are ascending; every removal moves the later ones up by one.
        for (const int selected : rows) {
            const int row = selected - deleted;
            const int job = jobAt(row);
            if (job == 0) {
                MsgInfo(u"해당라인에서 코드를 찾을 수 없습니다. 행: "_s + QString::number(selected + 1));
                continue;
            }
            if (!AsJobStore().remove(job)) {
                StoreSql::warnNotDeleted();
                continue;
            }
            --m_counts[C::countedAs(grid->text(row, C::State))];
            grid->cells().removeRows(row, 1);
            ++deleted;
        }
        return 0;
    });
    showCounts();
    ShowNotice(QString::number(deleted) + u"건의 자료를 삭제하였습니다."_s);
}

void FrmAS_admin::openPayment()
{
    const QString ccode = list()->text(list()->activeRow(), C::CustCode);
    const ScreenRegistry::Entry* entry = ScreenRegistry::find(u"mnuDeposite"_s);
    if (ccode.isEmpty() || !entry)
        return;
    QWidget* screen = entry->create(this);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* receiver = dynamic_cast<CustomerPickReceiver*>(screen))
        receiver->ShowPickedCustomer(ccode);
    screen->setWindowFlag(Qt::Window);
    screen->setWindowModality(Qt::ApplicationModal);
    if (auto* dialog = qobject_cast<QDialog*>(screen))
        dialog->exec();
    else
        screen->show();
}

void FrmAS_admin::showCustomer(int row)
{
    for (int i = 0; i < m_custInfo->rowCount(); ++i)
        static_cast<QLabel*>(m_custInfo->itemAt(i, QFormLayout::FieldRole)->widget())->clear();
    m_lstSale->clear();
    const QString ccode = row >= 0 ? list()->text(row, C::CustCode) : QString();
    if (ccode.isEmpty())
        return;
    m_fbCustInfo->setRecord(ccode, list()->text(row, C::CustName));
    Guarded(u"spList_RowColChange"_s, u"Form"_s, objectName(), 0, [&] {
        const RecordSetPtr rs = AsListStore().customerPanel(ccode);
        if (rs->rowCount() > 0) {
            for (int i = 0; i < m_custInfo->rowCount() && i < rs->fieldCount(); ++i)
                static_cast<QLabel*>(m_custInfo->itemAt(i, QFormLayout::FieldRole)->widget())
                    ->setText(rs->value(0, i));
        }
        m_lstSale->addItems(AsListStore().purchases(ccode));
        return 0;
    });
}

} // namespace asv
