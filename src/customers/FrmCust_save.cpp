#include "FrmCust_save.h"

#include "AddressFields.h"
#include "AppState.h"
#include "Cp949.h"
#include "CustomerRules.h"
#include "CustomerStore.h"
#include "EditorWindow.h"
#include "FrmCust_addTel.h"
#include "HCText.h"
#include "SharedOptions.h"
#include "ConfigKeys.h"
#include "WidgetHelpers.h"
#include "ZipcodeLookup.h"
#include "modMsgBox.h"
#include "ucFindBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHash>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

struct FieldDef {
    QString column;
    QString name;
    QString label;
    int bytes;
    int kind;
};

// The editor's fields in their order on the window, which is also the Tab order.
const QList<FieldDef> kFields{
    {u"code"_s, u"htCode"_s, u"코드"_s, 6, HCText::AnyText},
    {u"compname"_s, u"htCompName"_s, u"상호명"_s, 40, HCText::AnyText},
    {u"ceoname"_s, u"htCeoName"_s, u"대표자"_s, 20, HCText::AnyText},
    {u"telno1"_s, u"htTelNo1"_s, u"전화번호"_s, 14, HCText::Telephone},
    {u"fax"_s, u"htFax"_s, u"팩스"_s, 14, HCText::Telephone},
    {u"hpno"_s, u"htHpNo"_s, u"휴대폰"_s, 14, HCText::Telephone},
    {u"compsn"_s, u"htCompSn"_s, u"사업자(주민)번호"_s, 15, HCText::AnyText},
    {u"status"_s, u"htStatus"_s, u"업태"_s, 40, HCText::AnyText},
    {u"item"_s, u"htItem"_s, u"종목"_s, 40, HCText::AnyText},
    {u"modelname"_s, u"htModelName"_s, u"모델명"_s, 100, HCText::AnyText},
    {u"zipcode"_s, u"htZipcode"_s, u"우편번호"_s, 0, HCText::AnyText},
    {u"addr1"_s, u"htAddr1"_s, u"주소"_s, 100, HCText::AnyText},
    {u"addr2"_s, u"htAddr2"_s, u"상세주소"_s, 100, HCText::AnyText},
    {u"bigo"_s, u"htBigo"_s, u"메모"_s, 200, HCText::AnyText},
    {u"basemoney"_s, u"htBaseMoney"_s, u"기초잔액"_s, 0, HCText::Number},
    {u"compalias"_s, u"htCompAlias"_s, u"약칭"_s, 40, HCText::AnyText},
    {u"nowmoney"_s, u"htNowMoney"_s, u"현재잔액"_s, 0, HCText::Number},
    {u"email"_s, u"htEmail"_s, u"이메일"_s, 40, HCText::AnyText},
};

// The customised edition's own fields, shown after the model name.
const QList<FieldDef> kEditionFields{
    {u"agency"_s, u"htAgency"_s, u"대리점"_s, 100, HCText::AnyText},
    {u"giftname"_s, u"htGiftName"_s, u"사은품"_s, 100, HCText::AnyText},
    {u"setupuser"_s, u"htSetupUser"_s, u"설치자"_s, 100, HCText::AnyText},
    {u"buydate"_s, u"htBuyDate"_s, u"구입일"_s, 30, HCText::AnyText},
    {u"serialnumber"_s, u"htSerialNumber"_s, u"시리얼번호"_s, 100, HCText::AnyText},
};

const QString kNotSaved = u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s;

QString required(const QString& label)
{
    return u"["_s + label + u"]은(는) 필수 입력 사항입니다."_s;
}

QString codeExistsText(const QString& code)
{
    return u"『"_s + code + u"』는 이미 존재하는 코드입니다."_s;
}

// A balance as the number fields take it: no trailing zeros, no exponent.
QString amountText(double value)
{
    QString t = QString::number(value, 'f', 4);
    while (t.endsWith(u'0'))
        t.chop(1);
    if (t.endsWith(u'.'))
        t.chop(1);
    return t == u"-0"_s ? u"0"_s : t;
}

bool askRegisterAnyway(const QString& value, const QString& label)
{
    return MsgYesNo(DuplicateQuestion(value, label), DuplicateTitle(label)) == MsgAnswer::Yes;
}

} // namespace

FrmCust_save::FrmCust_save(QWidget* parent)
    : QDialog(parent), m_addTel(new FrmCust_addTel(this)), m_fbUser(new ucFindBox(this)),
      m_cmbVATType(new QComboBox(this)), m_chkHidden(new QCheckBox(u"숨김"_s, this)),
      m_chkAutoCode(new QCheckBox(u"자동"_s, this)), m_chkContinueAdd(new QCheckBox(u"계속 입력"_s, this)),
      m_btnSave(NamedButton(this, u"btnSave"_s, u"저장"_s)),
      m_btnTelAdd(NamedButton(this, u"btnTelAdd"_s, u"전화번호 추가"_s)),
      m_btnZipcode(NamedButton(this, u"btnZipcode"_s, u"우편번호"_s)),
      m_btnClose(NamedButton(this, u"BtnClose"_s, u"닫기(&C)"_s))
{
    setObjectName(u"FrmCust_save"_s);
    m_fbUser->setObjectName(u"fbUser"_s);
    m_fbUser->setFindType(ucFindBox::FindUserKind);
    m_fbUser->setAutoTab(true);
    m_cmbVATType->setObjectName(u"cmbVATType"_s);
    m_cmbVATType->addItem(u"부가세포함"_s, 1);
    m_cmbVATType->addItem(u"계산안합"_s, 0);
    m_cmbVATType->addItem(u"부가세별도"_s, 2);
    m_chkHidden->setObjectName(u"chkHidden"_s);
    m_chkAutoCode->setObjectName(u"chkAutoCode"_s);
    m_chkContinueAdd->setObjectName(u"chkContinueAdd"_s);
    m_addTel->hide();

    const bool tamber = App().isTamber();
    auto* form = new QFormLayout;
    // Controls that sit beside a field on its row.
    const QHash<QString, QWidget*> besides{
        {u"code"_s, m_chkAutoCode}, {u"telno1"_s, m_btnTelAdd}, {u"zipcode"_s, m_btnZipcode}};
    auto addRow = [&](const FieldDef& def) {
        HCText* f = NamedTextField(this, {def.name, def.label, def.bytes, def.kind});
        m_fields.insert(def.column, f);
        if (QWidget* beside = besides.value(def.column))
            AddFieldRow(form, def.label, f, beside);
        else
            form->addRow(def.label, f);
        return f;
    };
    for (const FieldDef& def : kFields) {
        HCText* f = addRow(def);
        if (def.column == u"modelname"_s) {
            form->setRowVisible(f, tamber);
            for (const FieldDef& edition : kEditionFields)
                form->setRowVisible(addRow(edition), tamber);
        }
    }
    form->addRow(u"담당자"_s, m_fbUser);
    form->addRow(u"부가세"_s, m_cmbVATType);
    form->addRow(m_chkHidden);

    const int decimals = SharedOptions::current().amountDecimals;
    field(u"basemoney"_s)->setDecPlace(decimals);
    field(u"nowmoney"_s)->setDecPlace(decimals);
    field(u"nowmoney"_s)->setReadOnly(true);
    field(u"nowmoney"_s)->setFocusPolicy(Qt::NoFocus);

    LayOutEditor(this, form, m_chkContinueAdd, m_btnSave, m_btnClose);

    m_chkAutoCode->setChecked(ConfigKeys::NewCustomerAutoCode.get());
    m_btnZipcode->setEnabled(ZipcodeLookup::isInstalled());

    connect(m_chkAutoCode, &QCheckBox::clicked, this, &FrmCust_save::autoCodeClicked);
    connect(field(u"code"_s), &HCText::lostFocus, this, &FrmCust_save::codeLeft);
    connect(field(u"code"_s), &HCText::keyPress, this, &FrmCust_save::codeKeyPressed);
    connect(field(u"compname"_s), &HCText::lostFocus, this, &FrmCust_save::nameLeft);
    connect(field(u"compsn"_s), &HCText::lostFocus, this, &FrmCust_save::checkRegistrationNumber);
    connect(field(u"zipcode"_s), &QLineEdit::textEdited, this, &FrmCust_save::zipcodeEdited);
    connect(field(u"zipcode"_s), &HCText::keyDown, this, &FrmCust_save::zipcodeKeyDown);
    connect(m_btnZipcode, &QPushButton::clicked, this, &FrmCust_save::findZipcode);
    connect(m_btnTelAdd, &QPushButton::clicked, this, &FrmCust_save::showAddTel);
    connect(m_btnSave, &QPushButton::clicked, this, &FrmCust_save::save);
    connect(m_btnClose, &QPushButton::clicked, this, &FrmCust_save::reject);
    connect(this, &QDialog::finished, m_addTel, &QWidget::hide);

    SetFormMode(NewRecord);
}

HCText* FrmCust_save::field(const QString& column) const
{
    if (column.startsWith(u"telno"_s) && column != u"telno1"_s)
        return m_addTel->telNo(column.right(1).toInt());
    return m_fields.value(column);
}

void FrmCust_save::SetFormMode(int mode, const QString& text)
{
    m_mode = mode == EditRecord ? EditRecord : NewRecord;
    setWindowTitle(m_mode == NewRecord ? u"고객 - 『신규입력』"_s : u"고객 - 『수정』"_s);
    m_chkAutoCode->setEnabled(m_mode == NewRecord);
    m_chkContinueAdd->setEnabled(m_mode == NewRecord);
    applyAutoCode();
    clearFields();
    if (mode == EditRecord || mode == CopyRecord) {
        DispRec(text);
    } else if (!text.isEmpty()) {
        field(u"compname"_s)->SetText(text);
        field(u"compalias"_s)->SetText(ShortNameOf(text));
    }
    if (mode == CopyRecord) {
        // A copy is a new customer: its own code, and no balance carried over.
        field(u"code"_s)->SetText(QString());
        field(u"basemoney"_s)->SetText(u"0"_s);
        field(u"nowmoney"_s)->SetText(u"0"_s);
        m_loadedBase = 0;
    }
}

void FrmCust_save::setSyncUpdateCust(std::function<void(const QString& code)> callback)
{
    m_syncUpdateCust = std::move(callback);
}

FrmCust_save* FrmCust_save::openOver(QWidget* opener, int mode, const QString& code,
                                     std::function<void(const QString& code)> syncUpdateCust)
{
    return OpenEditorOver<FrmCust_save>(opener, mode, code, [&](FrmCust_save& editor) {
        editor.setSyncUpdateCust(std::move(syncUpdateCust));
    });
}

QString FrmCust_save::registerNew(QWidget* parent, const QString& name)
{
    return RegisterWithEditor<FrmCust_save>(parent, name);
}

void FrmCust_save::DispRec(const QString& code)
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        if (const auto customer = CustomerStore::load(code))
            showRecord(*customer);
        return 0;
    });
}

void FrmCust_save::showRecord(const CustomerRecord& c)
{
    const QList<std::pair<QString, QString>> texts{
        {u"code"_s, c.code},           {u"compname"_s, c.compname},   {u"compalias"_s, c.compalias},
        {u"ceoname"_s, c.ceoname},     {u"compsn"_s, c.compsn},       {u"telno1"_s, c.telno1},
        {u"telno2"_s, c.telno2},       {u"telno3"_s, c.telno3},       {u"telno4"_s, c.telno4},
        {u"fax"_s, c.fax},             {u"hpno"_s, c.hpno},           {u"zipcode"_s, c.zipcode},
        {u"addr1"_s, c.addr1},         {u"addr2"_s, c.addr2},         {u"status"_s, c.status},
        {u"item"_s, c.item},           {u"bigo"_s, c.bigo},           {u"email"_s, c.email},
        {u"modelname"_s, c.modelname}, {u"agency"_s, c.agency},       {u"giftname"_s, c.giftname},
        {u"setupuser"_s, c.setupuser}, {u"buydate"_s, c.buydate},     {u"serialnumber"_s, c.serialnumber},
        {u"basemoney"_s, amountText(c.basemoney)},
        {u"nowmoney"_s, amountText(c.nowmoney)},
    };
    for (const auto& [column, value] : texts)
        field(column)->SetText(value);
    if (c.charge.isEmpty())
        m_fbUser->clear();
    else
        m_fbUser->FindName(c.charge);
    m_cmbVATType->setCurrentIndex(std::max(0, m_cmbVATType->findData(c.taxmode)));
    m_chkHidden->setChecked(c.hidden);
    m_loadedBase = c.basemoney;
    field(u"compname"_s)->setBChanged(false);
}

void FrmCust_save::clearFields()
{
    for (HCText* f : std::as_const(m_fields))
        f->SetText(f->acceptType() == HCText::Number ? u"0"_s : QString());
    // The user in charge stays: a series of new customers usually shares one.
    m_addTel->clear();
    m_chkHidden->setChecked(false);
    const int vat = ConfigKeys::NewCustomerVat.get();
    m_cmbVATType->setCurrentIndex(std::max(0, m_cmbVATType->findData(vat)));
    m_loadedBase = 0;
    field(u"compname"_s)->setBChanged(false);
    HCText* code = field(u"code"_s);
    (code->isReadOnly() ? field(u"compname"_s) : code)->setFocus();
}

CustomerRecord FrmCust_save::fromFields() const
{
    auto text = [this](const QString& column) { return field(column)->Text(); };
    CustomerRecord c;
    c.code = text(u"code"_s).trimmed();
    c.compname = text(u"compname"_s).trimmed();
    c.compalias = text(u"compalias"_s);
    c.ceoname = text(u"ceoname"_s);
    c.compsn = text(u"compsn"_s);
    c.telno1 = text(u"telno1"_s);
    c.telno2 = text(u"telno2"_s);
    c.telno3 = text(u"telno3"_s);
    c.telno4 = text(u"telno4"_s);
    c.fax = text(u"fax"_s);
    c.hpno = text(u"hpno"_s);
    c.charge = m_fbUser->code();
    c.taxmode = m_cmbVATType->currentData().toInt();
    c.zipcode = text(u"zipcode"_s);
    c.addr1 = text(u"addr1"_s);
    c.addr2 = text(u"addr2"_s);
    c.status = text(u"status"_s);
    c.item = text(u"item"_s);
    c.basemoney = text(u"basemoney"_s).toDouble();
    c.bigo = text(u"bigo"_s);
    c.hidden = m_chkHidden->isChecked();
    c.email = text(u"email"_s);
    c.modelname = text(u"modelname"_s);
    c.agency = text(u"agency"_s);
    c.giftname = text(u"giftname"_s);
    c.setupuser = text(u"setupuser"_s);
    c.buydate = text(u"buydate"_s);
    c.serialnumber = text(u"serialnumber"_s);
    return c;
}

void FrmCust_save::setCodeLocked(bool locked)
{
    HCText* code = field(u"code"_s);
    code->setReadOnly(locked);
    // Still clickable when locked, so that a key pressed there can say why nothing happens.
    code->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
}

void FrmCust_save::applyAutoCode()
{
    const bool automatic = m_mode == NewRecord && m_chkAutoCode->isChecked();
    if (automatic)
        field(u"code"_s)->SetText(QString());
    setCodeLocked(m_mode == EditRecord || automatic);
}

void FrmCust_save::autoCodeClicked(bool on)
{
    if (isVisible())
        ConfigKeys::NewCustomerAutoCode.set(on);
    applyAutoCode();
    if (!on)
        field(u"code"_s)->setFocus();
}

void FrmCust_save::codeKeyPressed()
{
    if (m_mode == EditRecord)
        MsgInfo(u"코드는 수정할 수 없습니다."_s);
}

void FrmCust_save::codeLeft()
{
    if (m_mode != NewRecord || m_chkAutoCode->isChecked())
        return;
    Guarded(u"htCode_LostFocus"_s, u"Form"_s, objectName(), 0, [&] {
        HCText* code = field(u"code"_s);
        const QString typed = code->Text().trimmed();
        if (!typed.isEmpty() && typed.size() < CustomerStore::kCodeLength) {
            if (MsgYesNo(u"코드는 6자리를 사용하길 권장합니다. 나머지를 자동으로 채울까요?"_s) == MsgAnswer::Yes) {
                // An exhausted sequence was explained already; the typed prefix stays for another try.
                if (const QString next = CustomerStore::nextCode(typed); !next.isEmpty())
                    code->SetText(next);
            }
        } else if (CustomerStore::codeExists(typed)) {
            MsgInfo(codeExistsText(typed));
            code->reclaimFocus();
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

void FrmCust_save::checkRegistrationNumber()
{
    AddressFields::checkRegistrationNumber(field(u"compsn"_s));
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

void FrmCust_save::showAddTel()
{
    m_addTel->setWindowModality(Qt::WindowModal);
    m_addTel->show();
    m_addTel->raise();
    m_addTel->telNo(2)->setFocus();
}

bool FrmCust_save::refuseUnencodable()
{
    QList<HCText*> fields = m_fields.values();
    for (int n = 2; n <= 4; ++n)
        fields << m_addTel->telNo(n);
    for (HCText* f : std::as_const(fields)) {
        const QString t = f->Text();
        if (const qsizetype bad = Cp949::firstUnencodable(t); bad >= 0) {
            MsgWarn(Cp949::unencodableMessage(t, bad));
            if (f->window() == m_addTel)
                showAddTel();
            f->setFocus();
            return true;
        }
    }
    return false;
}

void FrmCust_save::save()
{
    if (!Guarded(u"btnSave_Click"_s, u"Form"_s, objectName(), false, [&] { return trySave(); }))
        return;
    ShowSaved();
    if (m_mode == NewRecord && m_chkContinueAdd->isChecked()) {
        applyAutoCode();
        clearFields();
    } else {
        accept();
    }
}

bool FrmCust_save::trySave()
{
    if (refuseUnencodable())
        return false;
    CustomerRecord c = fromFields();
    if (c.compname.isEmpty()) {
        MsgInfo(required(u"상호명"_s), u"필수입력"_s);
        field(u"compname"_s)->setFocus();
        return false;
    }
    if (!m_fbUser->Text().isEmpty() && m_fbUser->code().isEmpty()) {
        MsgInfo(u"담당자 입력후 엔터를 치지 않아 코드를 알수 없습니다."_s + vbCrLf + u"담당자에서 엔터를 치세요."_s);
        m_fbUser->setFocus();
        return false;
    }
    if (c.compalias.isEmpty()) {
        c.compalias = ShortNameOf(c.compname);
        field(u"compalias"_s)->SetText(c.compalias);
    }
    if (m_mode == NewRecord && m_chkAutoCode->isChecked()) {
        c.code = CustomerStore::nextCode(c.code);
        field(u"code"_s)->SetText(c.code);
    }
    if (c.code.isEmpty()) {
        MsgInfo(required(u"코드"_s), u"필수입력"_s);
        field(u"code"_s)->setFocus();
        return false;
    }
    const QString others = m_mode == EditRecord ? c.code : QString();
    if (CustomerStore::nameTaken(c.compname, others) && !askRegisterAnyway(c.compname, u"상호명"_s))
        return false;
    if (CustomerStore::aliasTaken(c.compalias, others) && !askRegisterAnyway(c.compalias, u"약칭"_s))
        return false;
    if (!c.telno1.isEmpty() && CustomerStore::telephoneCount(c.telno1, others) > 0
        && !askRegisterAnyway(c.telno1, u"전화번호 "_s))
        return false;

    const bool tamber = App().isTamber();
    int changed = 0;
    if (m_mode == EditRecord) {
        changed = CustomerStore::update(c, tamber);
    } else {
        if (CustomerStore::codeExists(c.code)) {
            MsgInfo(codeExistsText(c.code));
            return false;
        }
        changed = CustomerStore::insert(c, tamber);
    }
    if (changed <= 0) {
        MsgInfo(kNotSaved);
        return false;
    }

    HCText* now = field(u"nowmoney"_s);
    now->SetText(amountText(now->Text().toDouble() + c.basemoney - m_loadedBase));
    m_loadedBase = c.basemoney;
    m_savedCode = c.code;
    if (m_mode == NewRecord)
        m_addedRec = c.code + QChar(u'\0') + c.compname;
    if (m_syncUpdateCust)
        m_syncUpdateCust(c.code);
    emit saved(c.code);
    return true;
}

} // namespace asv
