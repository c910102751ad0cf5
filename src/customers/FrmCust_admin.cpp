#include "FrmCust_admin.h"

#include "AppState.h"
#include "CustomerOrderBox.h"
#include "CustomerSearch.h"
#include "CustomerStore.h"
#include "FindBar.h"
#include "FrmCust_save.h"
#include "Grid.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMySQL_Func.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

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
    : ListWindow(parent, u"FrmCust_admin"_s, u"고객 관리"_s, CustomerSearch::listKeys(App().isTamber()), 1,
                 {.printTitle = u"거래처 리스트"_s, .copy = true}),
      m_cmbOrderBy(new CustomerOrderBox(this, findBar())), m_chkShowHidden(new QCheckBox(u"숨김고객 보기"_s, this)),
      m_lblCount(new QLabel(this)), m_tamber(App().isTamber())
{
    m_chkShowHidden->setObjectName(u"chkShowHidden"_s);
    m_lblCount->setObjectName(u"lblCount"_s);

    const QList<ColumnDef> defs = columnDefs(m_tamber);
    QStringList captions;
    for (const ColumnDef& def : defs) {
        captions << def.caption;
        m_fields << def.field;
    }
    list()->setColumns(captions);
    list()->setSelectionKind(Grid::SelectionKind::MultiRow);
    GridModel& cells = list()->cells();
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
    searchList().setCodeColumn(columnOf(u"code"_s));

    QHBoxLayout* bar = findBar()->row();
    bar->addWidget(new QLabel(u"정렬"_s, this));
    bar->addWidget(m_cmbOrderBy);
    bar->addWidget(m_chkShowHidden);
    QPushButton* btnEMail = NamedButton(this, u"btnEMail"_s, u"메일 보내기"_s);
    btnEMail->setEnabled(ScreenRegistry::has(kMailScreen));
    searchList().buttonRow()->addWidget(btnEMail);
    searchList().buttonRow()->addWidget(m_lblCount);
    searchList().addRecordLimit();

    connect(m_chkShowHidden, &QCheckBox::toggled, this, &FrmCust_admin::Refresh_Sheet);
    connect(btnEMail, &QPushButton::clicked, this, &FrmCust_admin::mailCustomer);
    connect(m_cmbOrderBy, &CustomerOrderBox::orderChosen, this, &FrmCust_admin::Refresh_Sheet);
    finishLayout();
}

int FrmCust_admin::columnOf(const QString& field) const
{
    return static_cast<int>(m_fields.indexOf(field));
}

void FrmCust_admin::mailCustomer()
{
    const QString code = searchList().selectedCode(u"먼저 그리드에서 메일을 보낼 고객을 선택하세요."_s);
    if (code.isEmpty())
        return;
    if (const std::optional<CustomerRecord> customer = CustomerStore().load(code))
        OpenMailScreen(this, {customer->compname, customer->email, {}, {}});
}

void FrmCust_admin::fill()
{
    CustomerSearch::Query query = m_cmbOrderBy->query();
    query.showHidden = m_chkShowHidden->isChecked();
    query.limitClause = searchList().limitClause();
    query.tamber = m_tamber;
    RecordSetPtr rs;
    DBOpenRS(rs, CustomerSearch::listSql(query));
    list()->cells().setRecordSet(rs);
}

void FrmCust_admin::listChanged()
{
    m_lblCount->setText(u"(총 : %1건)"_s.arg(CustomerSearch::shownCount()));
}

void FrmCust_admin::SyncUpdateCust(const QString& code)
{
    refreshAfterSave(code);
}

void FrmCust_admin::openEditor(int mode, const QString& code)
{
    FrmCust_save::openOver(this, mode, code, [this](const QString& saved) { SyncUpdateCust(saved); });
}

bool FrmCust_admin::deleteRecord(const QString& code)
{
    return CustomerStore().remove(code);
}

} // namespace asv
