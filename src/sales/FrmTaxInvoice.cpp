#include "FrmTaxInvoice.h"

#include "FrmStatement.h"
#include "Grid.h"
#include "HCTerm.h"
#include "ScreenOpener.h"
#include "SharedOptions.h"
#include "StatementStore.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"
#include "ucFindBox.h"
#include "RecordSet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmTaxInvoice"_s;

} // namespace

QString FrmTaxInvoice::noticeText()
{
    return u"전자세금계산서는 국세청 홈택스(또는 전자세금계산서 발행 서비스)에서 발행합니다.\n"
           u"이 화면에서는 거래명세표를 발행하거나, 기간 중 계산서가 발행된 전표(전표의 V 표시 줄)를 "
           u"엑셀로 내보내 발행 내역과 맞춰 볼 수 있습니다."_s;
}

FrmTaxInvoice::FrmTaxInvoice(QWidget* parent)
    : PeriodListWindow(parent, kForm, u"세금계산서 발행"_s, u"계산서 발행 전표"_s, u"기간:"_s),
      m_fbCust(new ucFindBox(this))
{
    auto* notice = new QLabel(noticeText(), this);
    notice->setObjectName(u"lblNotice"_s);
    notice->setWordWrap(true);
    notice->setStyleSheet(u"QLabel { background: #FFF8DC; padding: 6px; }"_s);
    period()->setThisMonth();
    QHBoxLayout* row = addCustomerFilterRow(m_fbCust);
    row->addStretch();
    row->insertWidget(0, notice, 1);

    Grid* grid = list();
    grid->setColumns(StatementStore::invoiceLineCaptions());
    const SharedOptions& o = SharedOptions::current();
    GridModel& cells = grid->cells();
    const QStringList fields{u"dealdate"_s, u"taxlistno"_s, u"compname"_s, u"compsn"_s, u"pname"_s, u"pnorm"_s,
                             u"qnt"_s,      u"price"_s,     u"amount"_s,   u"tax"_s,    u"total"_s};
    for (int c = 0; c < fields.size(); ++c) {
        cells.bindColumn(c, fields[c]);
        cells.setEditable(c, false);
    }
    cells.setNumberColumn(6, GetDecFormat(o.qtyDecimals, true, true));
    cells.setNumberColumn(7, GetDecFormat(o.priceDecimals, true, true));
    for (int c : {8, 9, 10})
        cells.setNumberColumn(c, GetDecFormat(o.amountDecimals, true, true));

    QPushButton* statement = NamedButton(this, u"btnStatement"_s, u"거래명세표 발행"_s);
    addButtons({statement});
    connect(statement, &QPushButton::clicked, this, &FrmTaxInvoice::openStatement);
    connect(m_fbCust, &ucFindBox::found, this, &FrmTaxInvoice::query);
    finishLayout();
}

void FrmTaxInvoice::query()
{
    const std::optional<QDate> from = period()->from();
    const std::optional<QDate> to = period()->to();
    if (!from || !to || *from > *to) {
        MsgInfo(u"기간이 잘못 입력되었습니다."_s);
        return;
    }
    const QString ccode = m_fbCust->Text().isEmpty() ? QString() : m_fbCust->code();
    RecordSetPtr rs = Guarded(u"query"_s, u"Form"_s, kForm, RecordSetPtr{}, [&] {
        return StatementStore().invoiceLines(from->toString(u"yyyy-MM-dd"_s), to->toString(u"yyyy-MM-dd"_s), ccode);
    });
    list()->cells().setRecordSet(rs);
    if (!rs || rs->rowCount() == 0)
        ShowNotice(u"검색된 결과가 없습니다."_s);
}

void FrmTaxInvoice::openStatement()
{
    const QString ccode = m_fbCust->code();
    const QString from = period()->Text1();
    const QString to = period()->Text2();
    ScreenRequest request;
    request.prepare = [&](QWidget* screen) {
        if (auto* statement = qobject_cast<FrmStatement*>(screen); statement && !ccode.isEmpty())
            statement->showPeriod(ccode, from, to);
    };
    OpenRegisteredScreen(this, u"mnuSpecification"_s, request);
}

} // namespace asv
