#include "FrmRecv_sel.h"

#include "Grid.h"
#include "GridModel.h"
#include "HCTerm.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"
#include "StoreSql.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

enum Column { ColDate, ColCustCode, ColCustName, ColAmount, ColDc, ColType, ColBigo, ColCode };

QString kindText(const RecordSet& rs, int row)
{
    const QString type = rs.value(row, u"type"_s);
    return type == u"0"_s ? u"현금"_s : type == u"1"_s ? u"카드"_s : QString();
}

} // namespace

FrmRecv_sel::FrmRecv_sel(QWidget* parent)
    : QDialog(parent), m_hmDate(new HCTerm(this)), m_fbCust(new ucFindBox(this)), m_spList(new Grid(this))
{
    setObjectName(u"FrmRecv_sel"_s);
    setWindowTitle(u"입금 검색"_s);
    m_hmDate->setObjectName(u"hmDate"_s);
    m_hmDate->setThisMonth();
    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    m_fbCust->setAddNew(false);
    m_spList->setObjectName(u"spList"_s);
    m_spList->setColumns({u"일자"_s, u"거래처코드"_s, u"거래처명"_s, u"입금액"_s, u"할인액"_s, u"구분"_s, u"메모"_s, u"코드"_s});
    m_spList->setSelectionKind(Grid::SelectionKind::MultiRow);
    GridModel& cells = m_spList->cells();
    const QStringList fields{u"dealdate"_s, u"ccode"_s, u"compname"_s, u"amount"_s, u"dc"_s, {}, u"bigo"_s, u"code"_s};
    for (int col = 0; col < fields.size(); ++col) {
        if (!fields[col].isEmpty())
            cells.bindColumn(col, fields[col]);
    }
    cells.bindColumn(ColType, &kindText);
    const QString amountFormat = GetDecFormat(SharedOptions::current().amountDecimals, true, true);
    cells.setNumberColumn(ColAmount, amountFormat);
    cells.setNumberColumn(ColDc, amountFormat);

    QPushButton* btnFind = NamedButton(this, u"btnFind"_s, u"검색(&F)"_s);
    QPushButton* btnSelect = NamedButton(this, u"btnSelect"_s, u"선택(&S)"_s);
    QPushButton* btnDelete = NamedButton(this, u"btnDelete"_s, u"삭제(&D)"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기(&C)"_s);
    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(u"기간"_s, this));
    filters->addWidget(m_hmDate);
    filters->addWidget(new QLabel(u"거래처"_s, this));
    filters->addWidget(m_fbCust, 1);
    filters->addWidget(btnFind);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {btnSelect, btnDelete, btnClose})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_spList, 1);
    layout->addLayout(buttons);

    connect(btnFind, &QPushButton::clicked, this, &FrmRecv_sel::FindRecords);
    connect(btnSelect, &QPushButton::clicked, this, &FrmRecv_sel::choose);
    connect(m_spList, &Grid::doubleClicked, this, &FrmRecv_sel::choose);
    connect(btnDelete, &QPushButton::clicked, this, &FrmRecv_sel::RecDelete);
    connect(btnClose, &QPushButton::clicked, this, &FrmRecv_sel::reject);
}

void FrmRecv_sel::setCustomer(const QString& ccode)
{
    m_fbCust->FindName(ccode);
    FindRecords();
}

int FrmRecv_sel::Refresh_Sheet()
{
    return Guarded(u"Refresh_Sheet"_s, u"Form"_s, objectName(), 0, [&] {
        m_spList->cells().setRecordSet(m_store.list(m_hmDate->Text1(), m_hmDate->Text2(), m_fbCust->code()));
        return m_spList->rowCount();
    });
}

int FrmRecv_sel::FindRecords()
{
    const int rows = Refresh_Sheet();
    if (rows == 0)
        MsgInfo(u"검색된 결과가 없습니다."_s);
    return rows;
}

QList<int> FrmRecv_sel::selectedCodes() const
{
    QList<int> codes;
    for (int row : m_spList->selectedRows())
        codes << m_spList->text(row, ColCode).toInt();
    return codes;
}

void FrmRecv_sel::choose()
{
    const QList<int> codes = selectedCodes();
    if (codes.isEmpty()) {
        MsgInfo(u"리스트에서 자료를 선택하세요."_s);
        return;
    }
    m_result = codes.first();
    accept();
}

void FrmRecv_sel::RecDelete()
{
    const QList<int> codes = selectedCodes();
    if (codes.isEmpty()) {
        MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
        return;
    }
    if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, u"전표 삭제"_s) != MsgAnswer::Yes)
        return;
    for (int code : codes) {
        if (!m_store.remove(code))
            StoreSql::warnNotDeleted();
    }
    Refresh_Sheet();
}

} // namespace asv
