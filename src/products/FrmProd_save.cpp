#include "FrmProd_save.h"

#include "ConfigKeys.h"
#include "DuplicateQuestion.h"
#include "HCText.h"
#include "PClassStore.h"
#include "ProductRules.h"
#include "ProductStore.h"
#include "SharedOptions.h"
#include "modMain_SQL.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

using ConfigKeys::kConfig;

const Setting<bool> kAutoCode{kConfig, u"NewProd_AutoCode0"_s, true};
const Setting<bool> kAutoBarcode{kConfig, u"NewProd_AutoCode1"_s, false};
const Setting<bool> kCheckDigit{kConfig, u"NewProd_BCodeChkDigit"_s, false};
const Setting<bool> kSkipBarcode{kConfig, u"Product_SkipBarCode"_s, false};
const Setting<bool> kKeepData{u"Config_Form"_s, u"상품등록_입력내용유지"_s, false};

QComboBox* namedCombo(QWidget* parent, const QString& name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    return combo;
}

void selectData(QComboBox* combo, const QVariant& data)
{
    combo->setCurrentIndex(std::max(0, combo->findData(data)));
}

} // namespace

FrmProd_save::FrmProd_save(QWidget* parent)
    : RecordEditor(parent, u"FrmProd_save"_s,
                   {u"상품"_s, &kAutoCode, u"자동"_s, true, u"btnClose"_s, u"chkKeepData"_s, u"입력내용유지"_s,
                    &kKeepData}),
      m_controls(ProductRecord::fields()),
      m_chkAutoBarcode(SettingCheckBox(this, u"chkAutoCode1"_s, u"자동"_s, kAutoBarcode)),
      m_chkBCodeChkDGT(SettingCheckBox(this, u"chkBCodeChkDGT"_s, u"체크 디지트"_s, kCheckDigit)),
      m_chkSkipCode(SettingCheckBox(this, u"chkSkipCode"_s, u"바코드 건너뛰기"_s, kSkipBarcode)),
      m_cmbField(namedCombo(this, u"cmbField"_s)), m_cmbUnit(namedCombo(this, u"cmbUnit"_s)),
      m_cmbVATType(namedCombo(this, u"cmbVATType"_s))
{
    m_cmbUnit->setEditable(true);
    m_cmbVATType->addItem(u"0 면세"_s, 0);
    m_cmbVATType->addItem(u"1 과세"_s, 1);

    m_controls.create(this);
    auto* barcodeBoxes = new QWidget(this);
    auto* boxRow = new QHBoxLayout(barcodeBoxes);
    boxRow->setContentsMargins(0, 0, 0, 0);
    for (QCheckBox* box : {m_chkAutoBarcode, m_chkBCodeChkDGT, m_chkSkipCode})
        boxRow->addWidget(box);
    const QHash<QString, QWidget*> besides{{u"code"_s, autoCodeBox()}, {u"bcode"_s, barcodeBoxes}};
    auto* form = new QFormLayout;
    m_controls.addRows(form, this, besides);
    QCheckBox* hidden = m_controls.box(u"hidden"_s);
    form->insertRow(4, u"분류"_s, m_cmbField);
    form->insertRow(5, u"단위"_s, m_cmbUnit);
    form->insertRow(6, u"부가세"_s, m_cmbVATType);
    form->addRow(hidden);
    layOut(form);

    QList<QWidget*> order = m_controls.focusOrder(this, besides);
    order.removeOne(barcodeBoxes);
    const qsizetype afterNorm = order.indexOf(field(u"norm"_s)) + 1;
    order.insert(afterNorm, m_cmbVATType);
    order.insert(afterNorm, m_cmbUnit);
    order.insert(afterNorm, m_cmbField);
    setFocusOrder(order);
    watchValues(m_controls.widgets() << m_cmbField << m_cmbUnit << m_cmbVATType);

    applyOptions();
    fillCombos();
    lockCodeWhileGenerated(field(u"code"_s));
    refuseTypingWhenAuto(autoCodeBox());
    refuseTypingWhenAuto(m_chkAutoBarcode);
    connect(m_chkAutoBarcode, &QCheckBox::clicked, this, &FrmProd_save::applyAutoBoxes);
    connect(m_chkSkipCode, &QCheckBox::clicked, this, &FrmProd_save::applySkipBarcode);
    connect(field(u"bcode"_s), &HCText::keyDown, this, &FrmProd_save::barcodeEntered);
    connect(field(u"bcode"_s), &HCText::lostFocus, this, &FrmProd_save::barcodeLeft);
    connect(field(u"name"_s), &HCText::lostFocus, this, &FrmProd_save::nameNormLeft);
    connect(field(u"norm"_s), &HCText::lostFocus, this, &FrmProd_save::nameNormLeft);
    applySkipBarcode();

    SetFormMode(NewRecord);
}

// The lengths of barcode, name and norm and the name's input language are the office's choice.
void FrmProd_save::applyOptions()
{
    field(u"bcode"_s)->setByteLimit(GetOption(u"기본바코드길이"_s, u"20"_s).toInt());
    field(u"name"_s)->setByteLimit(GetOption(u"상품명길이"_s, u"40"_s).toInt());
    field(u"norm"_s)->setByteLimit(GetOption(u"규격길이"_s, u"40"_s).toInt());
    field(u"name"_s)->setImeMode(GetOption(u"prod_IME"_s, u"0"_s).toInt());
    field(u"saleprice"_s)->setDecPlace(SharedOptions::current().priceDecimals);
}

void FrmProd_save::fillCombos()
{
    Guarded(u"Form_Load"_s, u"Form"_s, objectName(), 0, [&] {
        m_cmbField->addItem(QString());
        m_cmbField->addItems(PClassStore().names());
        m_cmbUnit->addItems(ProductStore().units());
        return 0;
    });
}

void FrmProd_save::refuseTypingWhenAuto(QCheckBox* autoBox)
{
    HCText* target = autoBox == m_chkAutoBarcode ? field(u"bcode"_s) : field(u"code"_s);
    connect(target, &HCText::keyPress, this, [this, autoBox] {
        if (mode() == NewRecord && autoBox->isChecked())
            MsgInfo(u"자동에 체크된 경우 코드는 입력할 수 없습니다."_s);
    });
}

void FrmProd_save::applyAutoBoxes()
{
    applyCodeLock();
    HCText* barcode = field(u"bcode"_s);
    const bool autoBarcode = mode() == NewRecord && m_chkAutoBarcode->isChecked();
    if (autoBarcode)
        barcode->SetText(QString());
    barcode->setReadOnly(autoBarcode);
    m_chkAutoBarcode->setEnabled(mode() == NewRecord);
}

void FrmProd_save::applySkipBarcode()
{
    field(u"bcode"_s)->setFocusPolicy(m_chkSkipCode->isChecked() ? Qt::ClickFocus : Qt::StrongFocus);
}

void FrmProd_save::clearFields()
{
    applyAutoBoxes();
    m_controls.clear();
    // The first class rather than none: a product without one is missing from every class the
    // lists and pickers are filtered by.
    m_cmbField->setCurrentIndex(m_cmbField->count() > 1 ? 1 : 0);
    m_cmbUnit->setCurrentText(ConfigKeys::ProductDefaultUnit.get());
    selectData(m_cmbVATType, 1);
    m_loadedName.clear();
    m_loadedNorm.clear();
    HCText* code = field(u"code"_s);
    (code->isReadOnly() ? field(u"name"_s) : code)->setFocus();
}

void FrmProd_save::loadRecord(const QString& code)
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        const auto product = ProductStore().load(code);
        if (!product)
            return 0;
        m_controls.show(*product);
        // A class deleted since stays the product's until another is chosen.
        if (m_cmbField->findText(product->classname) < 0)
            m_cmbField->addItem(product->classname);
        m_cmbField->setCurrentText(product->classname);
        m_cmbUnit->setCurrentText(product->unit);
        selectData(m_cmbVATType, product->taxmode);
        m_loadedName = product->name;
        m_loadedNorm = product->norm;
        return 0;
    });
    applyAutoBoxes();
}

void FrmProd_save::startNew(const QString& name)
{
    field(u"name"_s)->SetText(name);
}

void FrmProd_save::startCopy()
{
    field(u"code"_s)->SetText(QString());
    applyAutoBoxes();
}

// The next product usually differs in little: only its code and barcode are its own.
void FrmProd_save::startNextEntry()
{
    field(u"code"_s)->SetText(QString());
    field(u"bcode"_s)->SetText(QString());
    (field(u"code"_s)->isReadOnly() ? field(u"name"_s) : field(u"code"_s))->setFocus();
}

void FrmProd_save::barcodeEntered(int key)
{
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !m_chkBCodeChkDGT->isChecked())
        return;
    HCText* barcode = field(u"bcode"_s);
    if (const auto withDigit = BarcodeWithCheckDigit(barcode->Text().trimmed()))
        barcode->SetText(*withDigit);
    else
        MsgInfo(CheckDigitExplanation());
}

void FrmProd_save::barcodeLeft()
{
    const QString barcode = field(u"bcode"_s)->Text().trimmed();
    Guarded(u"htBCode_LostFocus"_s, u"Form"_s, objectName(), 0, [&] {
        if (ProductStore().barcodeTaken(barcode, mode() == EditRecord ? field(u"code"_s)->Text() : QString()))
            MsgInfo(codeExistsMessage(barcode));
        return 0;
    });
}

void FrmProd_save::nameNormLeft()
{
    const QString name = field(u"name"_s)->Text().trimmed();
    const QString norm = field(u"norm"_s)->Text();
    if (name.isEmpty())
        return;
    Guarded(u"htName_LostFocus"_s, u"Form"_s, objectName(), 0, [&] {
        const QString self = mode() == EditRecord ? field(u"code"_s)->Text() : QString();
        if (ProductStore().nameNormTaken(name, norm, self))
            MsgInfo(NameNormTakenWarning(name, norm, ProductStore().normsOf(name)));
        return 0;
    });
}

ProductRecord FrmProd_save::fromFields() const
{
    ProductRecord p = m_controls.read();
    p.classname = m_cmbField->currentText();
    p.unit = m_cmbUnit->currentText().trimmed();
    p.taxmode = m_cmbVATType->currentData().toInt();
    return p;
}

bool FrmProd_save::checkBeforeSave()
{
    m_record = fromFields();
    ProductRecord& p = m_record;
    if (p.name.isEmpty())
        return refuseRequired(field(u"name"_s), requiredMessage(u"상품명"_s));
    if (!UnitFits(p.unit))
        return refuse(m_cmbUnit, UnitTooLongMessage());
    if (m_chkAutoBarcode->isChecked() && p.bcode.isEmpty() && m_chkAutoBarcode->isEnabled()) {
        p.bcode = ProductStore().nextBarcode(GeneratedBarcodeLength(GetOption(u"바코드자동생성길이"_s, u"6"_s)));
        field(u"bcode"_s)->SetText(p.bcode);
    }
    if (mode() == NewRecord) {
        m_codePrefix = p.code;
        p.code = ProductStore().nextCode(p.code);
        field(u"code"_s)->SetText(p.code);
    }
    if (p.code.isEmpty())
        return refuseRequired(field(u"code"_s), requiredMessage(u"코드"_s));
    const QString others = mode() == EditRecord ? p.code : QString();
    if (ProductStore().nameNormTaken(p.name, p.norm, others)
        && !AskRegisterAnyway(NameWithNorm(p.name, p.norm), u"상품명(규격)"_s))
        return false;
    if (ProductStore().barcodeTaken(p.bcode, others) && !AskRegisterAnyway(p.bcode, u"바코드"_s))
        return false;
    // A generated code taken meanwhile is passed over when stored.
    if (mode() == NewRecord && !codeIsGenerated() && ProductStore().codeExists(p.code))
        return refuse(field(u"code"_s), codeExistsMessage(p.code));
    return true;
}

bool FrmProd_save::codeIsGenerated() const
{
    return m_codePrefix.size() < ProductStore::kCodeLength;
}

int FrmProd_save::writeRecord()
{
    if (mode() != EditRecord) {
        const QString shownCode = m_record.code;
        const int rows = codeIsGenerated() ? ProductStore().insertUnderNextCode(m_record, m_codePrefix)
                                           : ProductStore().insert(m_record);
        if (rows > 0 && m_record.code != shownCode)
            tellCodeTaken(field(u"code"_s), shownCode, m_record.code);
        if (rows > 0)
            m_addedText = QStringList{m_record.code, m_record.name, m_record.norm, m_record.bcode,
                                      ProductRecord::fields().text(ProductRecord::fields().field(u"saleprice"_s),
                                                                   m_record),
                                      m_record.unit}
                              .join(QChar(0));
        return rows;
    }
    const int rows = ProductStore().update(m_record, m_loadedName, m_loadedNorm);
    if (rows > 0) {
        m_loadedName = m_record.name;
        m_loadedNorm = m_record.norm;
    }
    return rows;
}

Pick FrmProd_save::savedRecord() const
{
    return {m_record.code, m_record.name};
}

} // namespace asv
