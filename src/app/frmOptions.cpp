#include "frmOptions.h"

#include "HCText.h"
#include "OptionKeys.h"
#include "SharedOptions.h"
#include "modMsgBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

using namespace OptionKeys;

namespace {

const QList<OptionKey> kDecimals{QtyDecimals, PriceDecimals, AmountDecimals};
const QList<int> kBarcodeLengths{6, 8, 10};

void presetIndex(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

bool isWindowOpen(const QString& objectName)
{
    const QWidgetList widgets = QApplication::allWidgets();
    return std::any_of(widgets.begin(), widgets.end(),
                       [&](const QWidget* w) { return w->objectName() == objectName; });
}

} // namespace

frmOptions::frmOptions(QWidget* parent) : OptionsDialog(parent)
{
    setObjectName(u"frmOptions"_s);
    setWindowTitle(u"환경설정(공통)"_s);

    auto* numbers = new QGroupBox(u"소수점 자리수"_s, this);
    auto* numberForm = new QFormLayout(numbers);
    const QStringList decimalLabels{u"수량"_s, u"단가"_s, u"금액"_s};
    for (int i = 0; i < decimalLabels.size(); ++i) {
        auto* combo = indexed(new QComboBox(numbers), u"cmbDecNum"_s, i);
        combo->addItems({u"적용안함(정수)"_s, u"한자리(1.0)"_s, u"두자리(1.00)"_s, u"세자리(1.000)"_s,
                         u"네자리(1.0000)"_s});
        numberForm->addRow(decimalLabels[i], combo);
        track(combo, kDecimals[i].name());
        m_cmbDecNum << combo;
    }

    auto* tax = new QGroupBox(u"부가세"_s, this);
    auto* taxLayout = new QVBoxLayout(tax);
    taxLayout->addWidget(new QLabel(u"- 부가세 별도의 계산시 소수점 이하 금액의 처리에 대한 설정"_s, tax));
    auto* taxChoices = new QHBoxLayout;
    m_optTaxCalcType = {new QRadioButton(u"버림(절하)"_s, tax), new QRadioButton(u"반올림(사사오입)"_s, tax),
                        new QRadioButton(u"올림(절상)"_s, tax)};
    for (int value : {2, 0, 1}) {
        taxChoices->addWidget(indexed(m_optTaxCalcType[value], u"optTaxCalcType"_s, value));
        track(m_optTaxCalcType[value], VatRounding.name());
    }
    taxChoices->addStretch();
    taxLayout->addLayout(taxChoices);

    auto* slips = new QGroupBox(u"전표 및 재고"_s, this);
    auto* slipLayout = new QVBoxLayout(slips);
    const QStringList basePriceCaptions{u"1-1.단가변경시 상품의 <기초단가>도 변경(매입전표)"_s,
                                        u"1-2.단가변경시 상품의 <기초단가>도 변경(매출전표)"_s};
    for (int i = 0; i < basePriceCaptions.size(); ++i) {
        auto* box = indexed(new QCheckBox(basePriceCaptions[i], slips), u"chkCngBasicUnit"_s, i);
        slipLayout->addWidget(box);
        track(box, BasePriceChange[i].name());
        m_chkCngBasicUnit << box;
    }
    const QStringList alertCaptions{u"2-1.<적정보유량> 벗어날 경우 알림"_s, u"2-2.<재고>가 없을 경우 알림"_s};
    for (int i = 0; i < alertCaptions.size(); ++i) {
        auto* box = indexed(new QCheckBox(alertCaptions[i], slips), u"chkStockAlert"_s, i);
        slipLayout->addWidget(box);
        track(box, StockAlert.name());
        m_chkStockAlert << box;
    }
    auto* slipForm = new QFormLayout;
    m_htQntLimit = new HCText(slips);
    m_htQntLimit->setObjectName(u"htQntLimit"_s);
    m_htQntLimit->setAcceptType(HCText::Number);
    m_htQntLimit->setByteLimit(9);
    track(m_htQntLimit, SlipQuantityLimit.name());
    slipForm->addRow(u"전표 입력수량 체크 (수량 입력시 xxxx 이상이면 알림)"_s, m_htQntLimit);
    m_cmbBarcodeLen = new QComboBox(slips);
    m_cmbBarcodeLen->setObjectName(u"cmbBarcodeLen"_s);
    m_cmbBarcodeLen->addItems(
        {u" 6자리 (000001~999999)"_s, u" 8자리 (00000001~99999999)"_s, u"10자리 (0000000001~9999999999)"_s});
    track(m_cmbBarcodeLen, BarcodeLength.name());
    slipForm->addRow(u"바코드 자동생성 길이"_s, m_cmbBarcodeLen);
    slipLayout->addLayout(slipForm);

    body()->addWidget(numbers);
    body()->addWidget(tax);
    body()->addWidget(slips);

    ReadValue();
}

void frmOptions::ReadValue()
{
    beginLoad();
    // Fresh copies, so that every option row exists and another PC's change shows. A failed read
    // has told the operator already; the controls stay empty.
    if (!ReadOptions()) {
        endLoad();
        return;
    }
    const SharedOptions& o = SharedOptions::current();
    presetIndex(m_cmbDecNum[0], o.qtyDecimals);
    presetIndex(m_cmbDecNum[1], o.priceDecimals);
    presetIndex(m_cmbDecNum[2], o.amountDecimals);
    presetIndex(m_cmbBarcodeLen, static_cast<int>(kBarcodeLengths.indexOf(BarcodeLength.number())));
    if (o.vatRounding >= 0 && o.vatRounding < m_optTaxCalcType.size())
        m_optTaxCalcType[o.vatRounding]->setChecked(true);
    for (int i = 0; i < 2; ++i)
        m_chkCngBasicUnit[i]->setChecked(o.basePriceChange[i]);
    m_chkStockAlert[0]->setChecked(o.stockAlert % 2 == 1);
    m_chkStockAlert[1]->setChecked(o.stockAlert / 2 == 1);
    m_htQntLimit->SetText(SlipQuantityLimit.get());
    endLoad();
}

int frmOptions::taxCalcType() const
{
    for (int value = 0; value < m_optTaxCalcType.size(); ++value) {
        if (m_optTaxCalcType[value]->isChecked())
            return value;
    }
    return 0;
}

bool frmOptions::writeChanges()
{
    auto write = [this](const OptionKey& key, const QString& value) { return !isChanged(key.name()) || key.set(value); };
    for (int i = 0; i < kDecimals.size(); ++i) {
        if (m_cmbDecNum[i]->currentIndex() >= 0 && !write(kDecimals[i], QString::number(m_cmbDecNum[i]->currentIndex())))
            return false;
    }
    if (!write(VatRounding, QString::number(taxCalcType())))
        return false;
    if (m_cmbBarcodeLen->currentIndex() >= 0
        && !write(BarcodeLength, QString::number(kBarcodeLengths[m_cmbBarcodeLen->currentIndex()])))
        return false;
    for (int i = 0; i < m_chkCngBasicUnit.size(); ++i) {
        if (!write(BasePriceChange[i], m_chkCngBasicUnit[i]->isChecked() ? u"1"_s : u"0"_s))
            return false;
    }
    // An emptied limit goes back to the default rather than asking on every line.
    const QString limit = m_htQntLimit->Text().trimmed();
    if (!write(SlipQuantityLimit, limit.isEmpty() ? SlipQuantityLimit.defaultValue() : limit))
        return false;
    const int alert = (m_chkStockAlert[0]->isChecked() ? 1 : 0) + 2 * (m_chkStockAlert[1]->isChecked() ? 1 : 0);
    if (!write(StockAlert, QString::number(alert)))
        return false;
    if (isChanged(SlipQuantityLimit.name()) && isWindowOpen(salesSlipWindow()))
        MsgInfo(u"설정한 [전표 입력수량 체크]가 제대로 적용 될려면 전표화면을 닫고 다시 열어야 합니다."_s);
    return true;
}

} // namespace asv
