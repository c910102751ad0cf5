#include "FrmCust_admin.h"

#include "AppState.h"
#include "CustomerSearch.h"
#include "CustomerStore.h"
#include "FindBar.h"
#include "FrmCust_save.h"
#include "Grid.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "hclimit.h"
#include "mdlCommonOstra.h"
#include "modFormIni.h"
#include "modMsgBox.h"
#include "modMySQL_Func.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

struct ColumnDef {
    QString caption;
    QString field;
};

// The edition's model and serial number stand right after the name.
QList<ColumnDef> columnDefs(bool tamber)
{
    QList<ColumnDef> defs{{u"상호"_s, u"compname"_s}};
    if (tamber)
        defs << ColumnDef{u"모델명"_s, u"modelname"_s} << ColumnDef{u"S/N"_s, u"serialnumber"_s};
    defs << ColumnDef{u"약칭"_s, u"compalias"_s} << ColumnDef{u"코드"_s, u"code"_s}
         << ColumnDef{u"대표자"_s, u"ceoname"_s} << ColumnDef{u"담당자"_s, u"rname"_s}
         << ColumnDef{u"전화번호"_s, u"telno1"_s} << ColumnDef{u"사업자번호"_s, u"compsn"_s}
         << ColumnDef{u"현미수"_s, u"nowmoney"_s} << ColumnDef{u"주소"_s, u"addr1"_s}
         << ColumnDef{u"번지"_s, u"addr2"_s} << ColumnDef{u"업태"_s, u"status"_s} << ColumnDef{u"종목"_s, u"item"_s}
         << ColumnDef{u"이메일"_s, u"email"_s} << ColumnDef{u"메모"_s, u"bigo"_s} << ColumnDef{u"휴대폰"_s, u"hpno"_s}
         << ColumnDef{u"팩스"_s, u"fax"_s} << ColumnDef{u"부가세"_s, u"taxmode"_s}
         << ColumnDef{u"우편번호"_s, u"zipcode"_s} << ColumnDef{u"전화2"_s, u"telno2"_s}
         << ColumnDef{u"전화3"_s, u"telno3"_s} << ColumnDef{u"전화4"_s, u"telno4"_s} << ColumnDef{u"숨김"_s, u"hidden"_s};
    return defs;
}

// The words of the editor's VAT list.
QString vatText(const QString& taxmode)
{
    if (taxmode == u"1"_s)
        return u"부가세포함"_s;
    if (taxmode == u"2"_s)
        return u"부가세별도"_s;
    return u"계산안합"_s;
}

} // namespace

FrmCust_admin::FrmCust_admin(QWidget* parent)
    : QWidget(parent), m_findBar(new FindBar(this, CustomerSearch::listKeys(App().isTamber()), 1)),
      m_cmbOrderBy(new QComboBox(this)),
      m_chkShowHidden(new QCheckBox(u"숨김고객 보기"_s, this)), m_hcLimit(new hclimit(this)),
      m_lblCount(new QLabel(this)), m_spList(new Grid(this)), m_tamber(App().isTamber())
{
    setObjectName(u"FrmCust_admin"_s);
    setWindowTitle(u"고객 관리"_s);
    m_cmbOrderBy->setObjectName(u"cmbOrderBy"_s);
    m_chkShowHidden->setObjectName(u"chkShowHidden"_s);
    m_hcLimit->setObjectName(u"hcLimit"_s);
    // Inside the main window the box's own window would be the main window itself.
    m_hcLimit->setFormName(objectName());
    m_lblCount->setObjectName(u"lblCount"_s);
    m_spList->setObjectName(u"spList"_s);
    m_cmbOrderBy->addItems(CustomerSearch::orderLabels());
    m_cmbOrderBy->setCurrentIndex(CustomerSearch::savedOrder(objectName()));

    const QList<ColumnDef> defs = columnDefs(m_tamber);
    QStringList captions;
    for (const ColumnDef& def : defs) {
        captions << def.caption;
        m_fields << def.field;
    }
    m_spList->setColumns(captions);
    m_spList->setSelectionKind(Grid::SelectionKind::MultiRow);
    GridModel& cells = m_spList->cells();
    for (int c = 0; c < defs.size(); ++c)
        cells.bindColumn(c, defs[c].field);
    cells.setNumberColumn(columnOf(u"nowmoney"_s), GetDecFormat(SharedOptions::current().amountDecimals, true, true));
    cells.bindColumn(columnOf(u"taxmode"_s),
                     [](const RecordSet& rs, int row) { return vatText(rs.value(row, u"taxmode"_s)); });
    const int hidden = columnOf(u"hidden"_s);
    cells.bindColumn(hidden, [](const RecordSet& rs, int row) {
        return rs.value(row, u"hidden"_s) == u"1"_s ? u"1"_s : QString();
    });
    cells.setCheckColumn(hidden);

    QPushButton* btnFind = NamedButton(this, u"btnFind"_s, u"검색"_s);
    QPushButton* btnNew = NamedButton(this, u"btnNew"_s, u"신규"_s);
    QPushButton* btnEdit = NamedButton(this, u"btnEdit"_s, u"수정"_s);
    QPushButton* btnCopy = NamedButton(this, u"btnCopy"_s, u"복사"_s);
    QPushButton* btnDelete = NamedButton(this, u"btnDelete"_s, u"삭제"_s);
    QPushButton* btnPrint = NamedButton(this, u"btnPrint"_s, u"인쇄"_s);
    QPushButton* btnExcel = NamedButton(this, u"btnExcel"_s, u"엑셀"_s);
    QPushButton* btnClose = NamedButton(this, u"btnClose"_s, u"닫기"_s);

    QHBoxLayout* bar = m_findBar->row();
    bar->addWidget(btnFind);
    bar->addWidget(new QLabel(u"정렬"_s, this));
    bar->addWidget(m_cmbOrderBy);
    bar->addWidget(m_chkShowHidden);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_hcLimit);
    buttons->addWidget(m_lblCount);
    buttons->addStretch();
    for (QPushButton* b : {btnNew, btnEdit, btnCopy, btnDelete, btnPrint, btnExcel, btnClose})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_findBar);
    layout->addWidget(m_spList, 1);
    layout->addLayout(buttons);

    connect(m_findBar, &FindBar::searchRequested, this, &FrmCust_admin::Refresh_Sheet);
    connect(btnFind, &QPushButton::clicked, this, &FrmCust_admin::Refresh_Sheet);
    connect(m_chkShowHidden, &QCheckBox::toggled, this, &FrmCust_admin::Refresh_Sheet);
    connect(m_cmbOrderBy, &QComboBox::currentIndexChanged, this, &FrmCust_admin::orderChosen);
    connect(btnNew, &QPushButton::clicked, this, [this] { openEditor(FrmCust_save::NewRecord); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { openEditor(FrmCust_save::EditRecord); });
    connect(m_spList, &QAbstractItemView::doubleClicked, this, [this] { openEditor(FrmCust_save::EditRecord); });
    connect(btnCopy, &QPushButton::clicked, this, [this] { openEditor(FrmCust_save::CopyRecord); });
    connect(btnDelete, &QPushButton::clicked, this, &FrmCust_admin::deleteSelected);
    connect(btnPrint, &QPushButton::clicked, this, [this] { listPrinter().preview(this); });
    connect(btnExcel, &QPushButton::clicked, this, [this] { exportList({}); });
    connect(btnClose, &QPushButton::clicked, this, &FrmCust_admin::close);

    LoadFormIni(this);
    Refresh_Sheet();
}

int FrmCust_admin::columnOf(const QString& field) const
{
    return static_cast<int>(m_fields.indexOf(field));
}

int FrmCust_admin::rowOfCode(const QString& code) const
{
    const int col = columnOf(u"code"_s);
    for (int r = 0; r < m_spList->rowCount(); ++r) {
        if (m_spList->text(r, col) == code)
            return r;
    }
    return -1;
}

int FrmCust_admin::load()
{
    return Guarded(u"Refresh_Sheet"_s, u"Form"_s, objectName(), 0, [&] {
        CustomerSearch::Query query;
        query.fields = m_findBar->fields();
        query.text = m_findBar->text();
        query.opText = m_findBar->opText();
        query.order = m_cmbOrderBy->currentIndex();
        query.showHidden = m_chkShowHidden->isChecked();
        query.limitClause = m_hcLimit->LimitClause();
        query.tamber = m_tamber;
        RecordSetPtr rs;
        DBOpenRS(rs, CustomerSearch::listSql(query));
        m_spList->cells().setRecordSet(rs);
        showCount();
        return m_spList->rowCount();
    });
}

int FrmCust_admin::Refresh_Sheet()
{
    const int rows = load();
    if (rows == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
    return rows;
}

void FrmCust_admin::showCount()
{
    m_lblCount->setText(u"(총 : %1건)"_s.arg(CustomerSearch::shownCount()));
}

void FrmCust_admin::orderChosen()
{
    CustomerSearch::saveOrder(objectName(), m_cmbOrderBy->currentIndex());
    Refresh_Sheet();
}

void FrmCust_admin::SyncUpdateCust(const QString& code)
{
    load();
    if (const int row = rowOfCode(code); row >= 0)
        m_spList->selectRow(row);
}

void FrmCust_admin::openEditor(int mode)
{
    QString code;
    if (mode != FrmCust_save::NewRecord) {
        const QList<int> rows = m_spList->selectedRows();
        if (rows.isEmpty()) {
            MsgInfo(mode == FrmCust_save::CopyRecord ? u"먼저 그리드에서 복사할 자료를 선택하세요."_s
                                                     : u"먼저 그리드에서 수정할 자료를 선택하세요."_s);
            return;
        }
        code = m_spList->text(rows.first(), columnOf(u"code"_s));
    }
    FrmCust_save::openOver(this, mode, code, [this](const QString& saved) { SyncUpdateCust(saved); });
}

void FrmCust_admin::deleteSelected()
{
    Guarded(u"btnDelete_Click"_s, u"Form"_s, objectName(), 0, [&] {
        const QList<int> rows = m_spList->selectedRows();
        if (rows.isEmpty()) {
            MsgInfo(u"먼저 그리드에서 삭제할 자료를 선택하세요."_s);
            return 0;
        }
        if (MsgYesNo(u"선택된 자료를 정말로 삭제 하시겠습니까?"_s, {}, true) != MsgAnswer::Yes)
            return 0;
        const int codeColumn = columnOf(u"code"_s);
        int deleted = 0;
        // Rows are ascending; every removal moves the later ones up by one.
        for (const int selected : rows) {
            const int row = selected - deleted;
            const QString code = m_spList->text(row, codeColumn);
            if (code.isEmpty()) {
                MsgInfo(u"해당라인에서 코드를 찾을 수 없습니다. Row: "_s + QString::number(selected + 1));
                continue;
            }
            if (CustomerStore::remove(code)) {
                m_spList->cells().removeRows(row, 1);
                ++deleted;
            }
        }
        ShowNotice(QString::number(deleted) + u"건의 자료를 삭제하였습니다."_s);
        showCount();
        return deleted;
    });
}

GridPrinter FrmCust_admin::listPrinter() const
{
    return GridPrinter(*m_spList, u"거래처 리스트"_s);
}

QString FrmCust_admin::exportList(const ExcelExportOptions& options)
{
    return ExportToExcelFile(*m_spList, options);
}

void FrmCust_admin::closeEvent(QCloseEvent* event)
{
    SaveFormIni(this);
    QWidget::closeEvent(event);
}

} // namespace asv
