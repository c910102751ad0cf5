#include "FrmReport_ASSaleTamber.h"

#include "AsListStore.h"
#include "Grid.h"
#include "HCTerm.h"
#include "PClassStore.h"
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

const QString kForm = u"FrmReport_ASSaleTamber"_s;

} // namespace

FrmReport_ASSaleTamber::FrmReport_ASSaleTamber(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"AS 및 판매 조회"_s, u"AS 및 판매 조회"_s, u"기간:"_s),
      m_cmbPCls(new QComboBox(this)), m_fbProd(new ucFindBox(this)), m_fbCust(new ucFindBox(this))
{
    setPeriodCaption(u"기간:"_s);
    m_cmbPCls->setObjectName(u"cmbPCls"_s);
    m_cmbPCls->addItem(u"[전체]"_s);
    m_cmbPCls->addItems(Guarded(u"Form_Load"_s, u"Form"_s, kForm, QStringList(), [] { return PClassStore().names(); }));
    m_fbProd->setObjectName(u"fbProd"_s);
    m_fbProd->setFindType(ucFindBox::FindProdKind);
    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    period()->setThisMonth();

    // After the period, before the query button.
    int at = 2;
    for (const auto& [caption, control] : {std::pair<QString, QWidget*>{u"분류:"_s, m_cmbPCls},
                                           {u"상품:"_s, m_fbProd}, {u"고객:"_s, m_fbCust}}) {
        filterRow()->insertWidget(at++, new QLabel(caption, this));
        filterRow()->insertWidget(at++, control);
    }

    Grid* grid = list();
    grid->setColumns({u"구분"_s, u"일자"_s, u"고객명"_s, u"모델명"_s, u"전화번호"_s, u"주소"_s, u"상세주소"_s,
                      u"상품명"_s, u"번호"_s});
    const QStringList fields = {u"kind"_s,  u"dealdate"_s, u"compname"_s, u"modelname"_s, u"telno1"_s,
                                u"addr1"_s, u"addr2"_s,    u"name"_s,     u"code"_s};
    for (int col = 0; col < fields.size(); ++col)
        grid->cells().bindColumn(col, fields[col]);
    finishLayout();

    connect(m_cmbPCls, &QComboBox::currentIndexChanged, this, &FrmReport_ASSaleTamber::query);
    connect(m_fbProd, &ucFindBox::found, this, &FrmReport_ASSaleTamber::query);
    connect(m_fbCust, &ucFindBox::found, this, &FrmReport_ASSaleTamber::query);
    query();
}

void FrmReport_ASSaleTamber::query()
{
    AsListStore::DeliveryFilter filter;
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    if (m_cmbPCls->currentIndex() > 0)
        filter.productClass = m_cmbPCls->currentText();
    filter.pcode = m_fbProd->code();
    filter.productName = m_fbProd->editor()->text();
    filter.ccode = m_fbCust->code();
    filter.customerName = m_fbCust->editor()->text();
    const RecordSetPtr rs = Guarded(u"btnQuery_Click"_s, u"Form"_s, kForm, RecordSetPtr(),
                                    [&] { return AsListStore().deliveriesAndSales(filter); });
    list()->cells().setRecordSet(rs ? rs : std::make_shared<RecordSet>());
    if (list()->rowCount() == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
}

} // namespace asv
