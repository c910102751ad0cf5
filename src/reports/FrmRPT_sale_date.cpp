#include "FrmRPT_sale_date.h"

#include "ChargeFilter.h"
#include "DailySalesColumns.h"
#include "Grid.h"
#include "HCTerm.h"
#include "HCText.h"
#include "PClassStore.h"
#include "PeriodReportSettings.h"
#include "PeriodReportStore.h"
#include "modMsgBox.h"
#include "ucFindBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmRPT_sale_date"_s;

void addLabelled(QHBoxLayout* row, QWidget* owner, const QString& caption, QWidget* control)
{
    row->addWidget(new QLabel(caption, owner));
    row->addWidget(control);
}

} // namespace

FrmRPT_sale_date::FrmRPT_sale_date(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"일자별 매출현황"_s, u"일자별 매출현황"_s, u"기간:"_s),
      m_fbCust(new ucFindBox(this)), m_htPSerial(new HCText(this)), m_htBigo(new HCText(this)),
      m_charge(new ChargeFilter(this, PeriodReportSettings::SalesChargeOf)), m_fbProd(new ucFindBox(this)),
      m_cmbPCls(new QComboBox(this))
{
    setPeriodCaption(u"기간:"_s);
    m_fbCust->setObjectName(u"fbCust"_s);
    m_fbCust->setFindType(ucFindBox::FindCustKind);
    m_htPSerial->setObjectName(u"htPSerial"_s);
    m_htBigo->setObjectName(u"htBigo"_s);
    m_fbProd->setObjectName(u"fbProd"_s);
    m_fbProd->setFindType(ucFindBox::FindProdKind);
    m_cmbPCls->setObjectName(u"cmbPCls"_s);
    period()->setThisMonth();

    QHBoxLayout* row = addFilterRow();
    addLabelled(row, this, u"거래처:"_s, m_fbCust);
    addLabelled(row, this, u"일련번호:"_s, m_htPSerial);
    addLabelled(row, this, u"비고:"_s, m_htBigo);
    row->addStretch();
    row = addFilterRow();
    row->addWidget(m_charge);
    addLabelled(row, this, u"상품:"_s, m_fbProd);
    addLabelled(row, this, u"분류:"_s, m_cmbPCls);
    row->addStretch();

    DailySalesColumns::setUp(list()->cells());
    finishLayout();
    m_cmbPCls->addItem(u"[전체]"_s);
    m_cmbPCls->addItems(Guarded(u"Form_Load"_s, u"Form"_s, kForm, QStringList(), [] { return PClassStore().names(); }));
}

void FrmRPT_sale_date::Refresh_Sheet()
{
    PeriodReportStore::SalesFilter filter;
    filter.from = period()->Text1();
    filter.to = period()->Text2();
    filter.ccode = m_fbCust->code();
    filter.serial = m_htPSerial->text();
    filter.memo = m_htBigo->text();
    filter.charge = m_charge->userCode();
    filter.chargeOf = m_charge->chargeOf();
    filter.pcode = m_fbProd->code();
    filter.productName = m_fbProd->editor()->text();
    if (m_cmbPCls->currentIndex() > 0)
        filter.productClass = m_cmbPCls->currentText();
    const RecordSetPtr lines = Guarded(u"Refresh_Sheet"_s, u"Form"_s, kForm, RecordSetPtr(),
                                       [&] { return PeriodReportStore().sales(filter); });
    if (!lines)
        return;
    DailySalesColumns::fill(list()->cells(), lines);
    if (list()->rowCount() == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
}

void FrmRPT_sale_date::showCustomerPeriod(const QString& ccode, const QDate& from, const QDate& to)
{
    m_fbCust->FindName(ccode);
    period()->SetText1(from.toString(u"yyyy-MM-dd"_s));
    period()->SetText2(to.toString(u"yyyy-MM-dd"_s));
    Refresh_Sheet();
}

QString FrmRPT_sale_date::printSubtitle() const
{
    return u"( 기간: %1 ~ %2, 담당자: %3 )"_s.arg(period()->Text1(), period()->Text2(), m_charge->userName());
}

} // namespace asv
