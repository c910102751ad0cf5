#include "FrmCust_save.h"

#include "AddressFields.h"
#include "AppState.h"
#include "ConfigKeys.h"
#include "CustomerRules.h"
#include "CustomerStore.h"
#include "EditorWindow.h"
#include "FrmCust_addTel.h"
#include "HCText.h"
#include "ScreenOpener.h"
#include "ScreenRegistry.h"
#include "SharedOptions.h"
#include "WidgetHelpers.h"
#include "ZipcodeLookup.h"
#include "modMsgBox.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QStringList kAddTelColumns{u"telno2"_s, u"telno3"_s, u"telno4"_s};

} // namespace

FrmCust_save::FrmCust_save(QWidget* parent)
    : RecordEditor(parent, u"FrmCust_save"_s, {u"고객"_s, &ConfigKeys::NewCustomerAutoCode, u"자동"_s, true, u"BtnClose"_s}),
      m_controls(CustomerRecord::fields()), m_addTel(new FrmCust_addTel(this)), m_fbUser(new ucFindBox(this)),
      m_cmbVATType(new QComboBox(this)), m_btnTelAdd(NamedButton(this, u"btnTelAdd"_s, u"전화번호 추가"_s)),
      m_btnZipcode(NamedButton(this, u"btnZipcode"_s, u"우편번호"_s)),
      m_btnEMail(NamedButton(this, u"btnEMail"_s, u"메일 보내기"_s))
{
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);
    m_fbUser->setAutoTab(true);
    m_cmbVATType->setObjectName(u"cmbVATType"_s);
    m_cmbVATType->addItem(u"부가세포함"_s, 1);
    m_cmbVATType->addItem(u"계산안합"_s, 0);
    m_cmbVATType->addItem(u"부가세별도"_s, 2);
    m_addTel->hide();
    m_addTel->setWindowModality(Qt::WindowModal);

    m_controls.create(this, kAddTelColumns);
    for (int n = 2; n <= 4; ++n)
        m_controls.adopt(u"telno"_s + QString::number(n), m_addTel->telNo(n));
    const QHash<QString, QWidget*> besides{
        {u"code"_s, autoCodeBox()}, {u"telno1"_s, m_btnTelAdd}, {u"zipcode"_s, m_btnZipcode}, {u"email"_s, m_btnEMail}};
    auto* form = new QFormLayout;
    m_controls.addRows(form, this, besides);
    const bool tamber = App().isTamber();
    for (const QString& column : QStringList{u"modelname"_s} + CustomerStore::editionColumns())
        form->setRowVisible(field(column), tamber);
    QCheckBox* hidden = m_controls.box(u"hidden"_s);
    form->addRow(u"담당자"_s, m_fbUser);
    form->addRow(u"부가세"_s, m_cmbVATType);
    form->addRow(hidden);
    layOut(form);

    QList<QWidget*> order = m_controls.focusOrder(this, besides);
    order.insert(order.indexOf(hidden), m_fbUser);
    order.insert(order.indexOf(hidden), m_cmbVATType);
    setFocusOrder(order);
    watchValues(m_controls.widgets() << m_fbUser << m_cmbVATType);

    const int decimals = SharedOptions::current().amountDecimals;
    field(u"basemoney"_s)->setDecPlace(decimals);
    field(u"nowmoney"_s)->setDecPlace(decimals);
    field(u"nowmoney"_s)->setReadOnly(true);
    field(u"nowmoney"_s)->setFocusPolicy(Qt::NoFocus);
    m_btnZipcode->setEnabled(ZipcodeLookup::isInstalled());
    m_btnEMail->setEnabled(ScreenRegistry::has(kMailScreen));

    lockCodeWhileGenerated(field(u"code"_s));
    connect(field(u"code"_s), &HCText::lostFocus, this, &FrmCust_save::codeLeft);
    connect(field(u"compname"_s), &HCText::lostFocus, this, &FrmCust_save::nameLeft);
    connect(field(u"compsn"_s), &HCText::lostFocus, this,
            [this] { AddressFields::checkRegistrationNumber(field(u"compsn"_s)); });
    connect(field(u"zipcode"_s), &QLineEdit::textEdited, this, &FrmCust_save::zipcodeEdited);
    connect(field(u"zipcode"_s), &HCText::keyDown, this, &FrmCust_save::zipcodeKeyDown);
    connect(m_btnZipcode, &QPushButton::clicked, this, &FrmCust_save::findZipcode);
    connect(m_btnTelAdd, &QPushButton::clicked, this, &FrmCust_save::showAddTel);
    connect(m_btnEMail, &QPushButton::clicked, this, &FrmCust_save::mailCustomer);
    connect(this, &QDialog::finished, m_addTel, &QWidget::hide);

    SetFormMode(NewRecord);
}

FrmCust_save* FrmCust_save::openOver(QWidget* opener, int mode, const QString& code,
                                     std::function<void(const QString& code)> syncUpdateCust)
{
    return OpenEditorOver<FrmCust_save>(opener, mode, code, std::move(syncUpdateCust));
}

Pick FrmCust_save::registerNew(QWidget* parent, const QString& name)
{
    return RegisterWithEditor<FrmCust_save>(parent, name);
}

void FrmCust_save::loadRecord(const QString& code)
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        if (const auto customer = CustomerStore().load(code))
            showRecord(*customer);
        return 0;
    });
}

void FrmCust_save::showRecord(const CustomerRecord& c)
{
    m_controls.show(c);
    if (c.charge.isEmpty())
        m_fbUser->clear();
    else
        m_fbUser->FindName(c.charge);
    m_cmbVATType->setCurrentIndex(std::max(0, m_cmbVATType->findData(c.taxmode)));
    m_loadedBase = c.basemoney;
    field(u"compname"_s)->setBChanged(false);
}

void FrmCust_save::startNew(const QString& name)
{
    field(u"compname"_s)->SetText(name);
    field(u"compalias"_s)->SetText(ShortNameOf(name));
}

// A new customer is the operator's until another user is named: the management list leaves out
// customers without a user in charge, so one saved without would seem lost.
void FrmCust_save::modeChanged()
{
    if (mode() == NewRecord && m_fbUser->code().isEmpty() && !App().UserCode.isEmpty())
        m_fbUser->FindName(App().UserCode);
}

// A copy is a new customer: its own code, and no balance carried over.
void FrmCust_save::startCopy()
{
    field(u"code"_s)->SetText(QString());
    field(u"basemoney"_s)->SetText(u"0"_s);
    field(u"nowmoney"_s)->SetText(u"0"_s);
    m_loadedBase = 0;
}

void FrmCust_save::clearFields()
{
    applyCodeLock();
    // The user in charge stays: a series of new customers usually shares one.
    m_controls.clear();
    const int vat = ConfigKeys::NewCustomerVat.get();
    m_cmbVATType->setCurrentIndex(std::max(0, m_cmbVATType->findData(vat)));
    m_loadedBase = 0;
    field(u"compname"_s)->setBChanged(false);
    HCText* code = field(u"code"_s);
    (code->isReadOnly() ? field(u"compname"_s) : code)->setFocus();
}

CustomerRecord FrmCust_save::fromFields() const
{
    CustomerRecord c = m_controls.read();
    c.charge = m_fbUser->code();
    c.taxmode = m_cmbVATType->currentData().toInt();
    return c;
}

void FrmCust_save::codeLeft()
{
    if (mode() != NewRecord || generatesCode())
        return;
    Guarded(u"htCode_LostFocus"_s, u"Form"_s, objectName(), 0, [&] {
        HCText* code = field(u"code"_s);
        const QString typed = code->Text().trimmed();
        if (!typed.isEmpty() && typed.size() < CustomerStore::kCodeLength) {
            if (MsgYesNo(u"코드는 6자리를 사용하길 권장합니다. 나머지를 자동으로 채울까요?"_s) == MsgAnswer::Yes) {
                // An exhausted sequence was explained already; the typed prefix stays for another try.
                if (const QString next = CustomerStore().nextCode(typed); !next.isEmpty())
                    code->SetText(next);
            }
        } else if (CustomerStore().codeExists(typed)) {
            refuse(code, codeExistsMessage(typed));
        }
        return 0;
    });
}

void FrmCust_save::nameLeft()
{
    HCText* name = field(u"compname"_s);
    if (!name->bChanged())
        return;
    name->setBChanged(false);
    field(u"compalias"_s)->SetText(ShortNameOf(name->Text().trimmed()));
}

void FrmCust_save::zipcodeEdited()
{
    field(u"addr1"_s)->SetText(QString());
}

void FrmCust_save::zipcodeKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    if (!ZipcodeEnterSearches(field(u"zipcode"_s)->Text(), field(u"addr1"_s)->Text()))
        return;
    // After the field has handled Enter itself, which moves the focus on.
    QTimer::singleShot(0, this, [this] {
        findZipcode();
        field(u"addr2"_s)->setFocus();
    });
}

void FrmCust_save::findZipcode()
{
    AddressFields::findZipcode(this, field(u"zipcode"_s), field(u"addr1"_s), field(u"addr2"_s));
}

void FrmCust_save::mailCustomer()
{
    OpenMailScreen(this, {field(u"compname"_s)->Text().trimmed(), field(u"email"_s)->Text().trimmed(), {}, {}});
}

void FrmCust_save::showAddTel()
{
    m_addTel->show();
    m_addTel->raise();
    m_addTel->telNo(2)->setFocus();
}

bool FrmCust_save::checkBeforeSave()
{
    m_record = fromFields();
    CustomerRecord& c = m_record;
    if (c.compname.isEmpty())
        return refuseRequired(field(u"compname"_s), requiredMessage(u"상호명"_s));
    if (!m_fbUser->Text().isEmpty() && m_fbUser->code().isEmpty())
        return refuse(m_fbUser, u"담당자 입력후 엔터를 치지 않아 코드를 알수 없습니다."_s + vbCrLf
                                    + u"담당자에서 엔터를 치세요."_s);
    if (c.compalias.isEmpty()) {
        c.compalias = ShortNameOf(c.compname);
        field(u"compalias"_s)->SetText(c.compalias);
    }
    if (generatesCode()) {
        c.code = CustomerStore().nextCode(c.code);
        field(u"code"_s)->SetText(c.code);
    }
    if (c.code.isEmpty())
        return refuseRequired(field(u"code"_s), requiredMessage(u"코드"_s));
    const QString others = mode() == EditRecord ? c.code : QString();
    if (CustomerStore().nameTaken(c.compname, others) && !AskRegisterAnyway(c.compname, u"상호명"_s))
        return false;
    if (CustomerStore().aliasTaken(c.compalias, others) && !AskRegisterAnyway(c.compalias, u"약칭"_s))
        return false;
    if (!c.telno1.isEmpty() && CustomerStore().telephoneCount(c.telno1, others) > 0
        && !AskRegisterAnyway(c.telno1, u"전화번호 "_s))
        return false;
    // A generated code taken meanwhile is passed over when stored.
    if (mode() == NewRecord && !generatesCode() && CustomerStore().codeExists(c.code))
        return refuse(field(u"code"_s), codeExistsMessage(c.code));
    return true;
}

int FrmCust_save::writeRecord()
{
    const bool tamber = App().isTamber();
    const QString shownCode = m_record.code;
    const int changed = mode() == EditRecord ? CustomerStore().update(m_record, tamber)
        : generatesCode()                    ? CustomerStore().insertUnderNextCode(m_record, {}, tamber)
                                             : CustomerStore().insert(m_record, tamber);
    if (changed > 0 && m_record.code != shownCode)
        tellCodeTaken(field(u"code"_s), shownCode, m_record.code);
    if (changed > 0) {
        m_record.nowmoney = field(u"nowmoney"_s)->Text().toDouble() + m_record.basemoney - m_loadedBase;
        m_controls.show(u"nowmoney"_s, m_record);
        m_loadedBase = m_record.basemoney;
    }
    return changed;
}

Pick FrmCust_save::savedRecord() const
{
    return {m_record.code, m_record.compname};
}

} // namespace asv
