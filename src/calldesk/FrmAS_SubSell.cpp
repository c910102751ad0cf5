#include "FrmAS_SubSell.h"

#include "AppState.h"
#include "HistoryDetailForm.h"
#include "HistoryStore.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "mdlCommonOstra.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"
#include "RecordSet.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QString kForm = u"FrmAS_SubSell"_s;

QList<HistoryDetailForm::Field> fields()
{
    QList<HistoryDetailForm::Field> f{
        {u"txtCust"_s, u"고 객 명"_s, {}},
        {u"txtDealDate"_s, u"판매일자"_s, u"dealdate"_s},
        {u"txtDealTime"_s, u"판매시간"_s, u"dealtime"_s},
        {u"txtProdName"_s, u"상 품 명"_s, u"pname"_s},
        {u"txtNorm"_s, u"규    격"_s, u"pnorm"_s},
        {u"txtUnit"_s, u"단    위"_s, u"unit"_s},
        {u"txtSerial"_s, u"시리얼번호"_s, u"pserial"_s},
        {u"txtPrnBigo"_s, u"인쇄비고"_s, u"prnbigo"_s},
        {u"txtCharge"_s, u"담 당 자"_s, {}},
        {u"txtRegUser"_s, u"등 록 자"_s, {}},
        {u"txtQnt"_s, u"수    량"_s, {}},
        {u"txtPrice"_s, u"단    가"_s, {}},
        {u"txtAmount"_s, u"금    액"_s, {}},
        {u"txtTax"_s, u"세    액"_s, {}},
        {u"txtDc"_s, u"할    인"_s, {}},
        {u"txtTotal"_s, u"합    계"_s, {}},
        {u"txtDealListNo"_s, u"전표번호"_s, u"deallistno"_s},
        {u"txtTaxListNo"_s, u"계산서번호"_s, u"taxlistno"_s},
    };
    if (App().isTamber())
        f << HistoryDetailForm::Field{u"txtReceiptMemo"_s, u"수령메모"_s, u"receiptmemo"_s}
          << HistoryDetailForm::Field{u"txtReceiptName"_s, u"수 령 자"_s, u"receiptname"_s};
    return f;
}

} // namespace

FrmAS_SubSell::FrmAS_SubSell(QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<HistoryDetailForm>(this, fields()))
{
    setObjectName(kForm);
    setWindowTitle(u"판매 내역"_s);
    auto* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form->layout());
    layout->addWidget(close, 0, Qt::AlignRight);
}

FrmAS_SubSell::~FrmAS_SubSell() = default;

void FrmAS_SubSell::ShowData(int code)
{
    Guarded(u"ShowData"_s, u"Form"_s, kForm, 0, [&] {
        const RecordSetPtr rs = HistoryStore().sale(code);
        m_form->showRow(*rs);
        if (rs->eof())
            return 0;
        const SharedOptions& options = SharedOptions::current();
        const auto number = [&rs](const QString& column, int decimals) {
            return FormatNumber(rs->field(column).toDouble(), GetDecFormat(decimals, true, true));
        };
        m_form->set(u"txtCust"_s, GetName_Cust(rs->field(u"ccode"_s)));
        m_form->set(u"txtCharge"_s, GetName_User(rs->field(u"charge"_s)));
        m_form->set(u"txtRegUser"_s, GetName_User(rs->field(u"regucode"_s)));
        m_form->set(u"txtQnt"_s, number(u"qnt"_s, options.qtyDecimals));
        m_form->set(u"txtPrice"_s, number(u"price"_s, options.priceDecimals));
        for (const auto& [name, column] : {std::pair{u"txtAmount"_s, u"amount"_s}, std::pair{u"txtTax"_s, u"tax"_s},
                                           std::pair{u"txtDc"_s, u"dc"_s}, std::pair{u"txtTotal"_s, u"total"_s}})
            m_form->set(name, number(column, options.amountDecimals));
        return 0;
    });
}

} // namespace asv
