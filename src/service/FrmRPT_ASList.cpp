#include "FrmRPT_ASList.h"

#include "AsListStore.h"
#include "Grid.h"
#include "HCTerm.h"
#include "HCText.h"
#include "PClassStore.h"
#include "SharedOptions.h"
#include "SqlNumber.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmRPT_ASList"_s;
const QString kAllClasses = u"[전체]"_s;
const QString kPeriod = u"기간:"_s;
const QString kDeliveryPeriod = u"배송기간:"_s;

QString billed(const RecordSet& rs, int row)
{
    return rs.value(row, u"isfree"_s) == u"1"_s ? u"0"_s : rs.value(row, u"amount"_s);
}

} // namespace

FrmRPT_ASList::FrmRPT_ASList(QWidget* parent) : FrmRPT_ASList(parent, kForm, false) {}

FrmRPT_ASList::FrmRPT_ASList(QWidget* parent, const QString& name, bool deliveries)
    : PeriodListWindow(parent, name, u"AS결과조회"_s, u"A/S 리스트"_s, deliveries ? kDeliveryPeriod : kPeriod),
      m_fbCust(new ucFindBox(this)), m_htPSerial(new HCText(this)), m_fbProd(new ucFindBox(this)),
      m_cmbPCls(new QComboBox(this)), m_deliveries(deliveries)
{
    setPeriodCaption(deliveries ? kDeliveryPeriod : kPeriod);
    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    m_htPSerial->setObjectName(u"htPSerial"_s);
    m_fbProd->setObjectName(u"fbProd"_s);
    m_fbProd->setFindType(ucFindBox::FindProdKind);
    m_cmbPCls->setObjectName(u"cmbPCls"_s);
    period()->setThisMonth();

    QHBoxLayout* row = addFilterRow();
    for (const auto& [caption, control] :
         {std::pair<QString, QWidget*>{u"고객:"_s, m_fbCust}, {u"일련번호:"_s, m_htPSerial},
          {u"상품:"_s, m_fbProd}, {u"분류:"_s, m_cmbPCls}}) {
        row->addWidget(new QLabel(caption, this));
        row->addWidget(control);
    }
    row->addStretch();

    Grid* grid = list();
    QStringList captions = {u"접수일자"_s, u"고객명"_s, u"상품명"_s, u"접수코드"_s, u"접수내용"_s,
                            u"원인코드"_s, u"결과코드"_s, u"AS메모"_s, u"금액"_s, u"코드"_s};
    if (deliveries)
        captions << u"모델명"_s << u"전화번호"_s << u"주소"_s << u"상세주소"_s << u"배송일"_s;
    grid->setColumns(captions);
    GridModel& cells = grid->cells();
    cells.setNumberColumn(ColAmount, GetDecFormat(SharedOptions::current().amountDecimals, true, true));
    QList<std::pair<int, QString>> fields = {
        {ColDate, u"dealdate"_s},          {ColCustName, u"compalias"_s}, {ColReceptionCode, u"astypename0"_s},
        {ColContents, u"dealbigo"_s},      {ColCause, u"astypename1"_s},  {ColResult, u"astypename2"_s},
        {ColMemo, u"workbigo"_s},          {ColCode, u"code"_s}};
    if (deliveries)
        fields << std::pair{ColModel, u"modelname"_s} << std::pair{ColTelNo, u"telno1"_s}
               << std::pair{ColAddress1, u"addr1"_s} << std::pair{ColAddress2, u"addr2"_s}
               << std::pair{ColSendDate, u"senddate"_s};
    for (const auto& [col, label] : fields)
        cells.bindColumn(col, label);
    cells.bindColumn(ColProduct, [](const RecordSet& rs, int r) {
        const QString norm = rs.value(r, u"pnorm2"_s);
        return rs.value(r, u"pname2"_s) + (norm.isEmpty() ? QString() : u'(' + norm + u')');
    });
    cells.bindColumn(ColAmount, billed);
    finishLayout();
    fillClasses();
    query();
}

void FrmRPT_ASList::fillClasses()
{
    m_cmbPCls->addItem(kAllClasses);
    m_cmbPCls->addItems(
        Guarded(u"Form_Load"_s, u"Form"_s, objectName(), QStringList(), [] { return PClassStore().names(); }));
}

void FrmRPT_ASList::query()
{
    AsListStore::ResultFilter filter;
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    filter.ccode = m_fbCust->code();
    filter.serial = m_htPSerial->text();
    filter.pcode = m_fbProd->code();
    filter.productName = m_fbProd->editor()->text();
    if (m_cmbPCls->currentIndex() > 0)
        filter.productClass = m_cmbPCls->currentText();
    filter.deliveries = m_deliveries;
    const RecordSetPtr rs = Guarded(u"btnQuery_Click"_s, u"Form"_s, objectName(), RecordSetPtr(),
                                    [&] { return AsListStore().resultLines(filter); });
    GridModel& cells = list()->cells();
    cells.setRecordSet(rs ? rs : std::make_shared<RecordSet>());
    const int lines = cells.rowCount();
    if (lines == 0) {
        ShowNotice(u"검색된 결과가 없습니다."_s);
        return;
    }
    double total = 0;
    for (int row = 0; row < lines; ++row)
        total += cells.number(row, ColAmount);
    cells.setRowCount(lines + 1);
    cells.setText(lines, ColDate, u"[합 계]"_s);
    cells.setText(lines, ColAmount, SqlNumber(total));
}

} // namespace asv
