#include "FrmLUser_save.h"

#include "AddressFields.h"
#include "AppState.h"
#include "EditorWindow.h"
#include "HCText.h"
#include "UserSettings.h"
#include "UserStore.h"
#include "WidgetHelpers.h"
#include "ZipcodeLookup.h"
#include "modMsgBox.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

const QList<TextFieldDef> kFields{
    {u"htCode"_s, u"코드"_s, 2, HCText::AnyText},       {u"htLoginId"_s, u"아이디"_s, 20, HCText::AnyText},
    {u"htPassword"_s, u"암호"_s, 20, HCText::AnyText},  {u"htName"_s, u"성명"_s, 20, HCText::AnyText},
    {u"htTelNo"_s, u"전화번호"_s, 20, HCText::Telephone}, {u"htHpNo"_s, u"휴대폰"_s, 20, HCText::Telephone},
    {u"htSerial"_s, u"주민등록번호"_s, 15, HCText::AnyText}, {u"htZipcode"_s, u"우편번호"_s, 7, HCText::AnyText},
    {u"htAddr1"_s, u"주소"_s, 100, HCText::AnyText},    {u"htAddr2"_s, u"상세주소"_s, 100, HCText::AnyText},
    {u"htBigo"_s, u"메모"_s, 200, HCText::AnyText},
};

const QString kAutoCodeKey = u"FrmLUser_save_AutoCode"_s;

QString required(const QString& label)
{
    return u"["_s + label + u"]"_s + u"은(는) 필수 입력 사항입니다."_s;
}

QString codeExistsText(const QString& code)
{
    return u"『"_s + code + u"』"_s + u"는 이미 존재하는 코드입니다."_s;
}

} // namespace

FrmLUser_save::FrmLUser_save(QWidget* parent)
    : QDialog(parent), m_chkPDA(new QCheckBox(u"PDA 사용"_s, this)), m_chkConsult(new QCheckBox(u"전화상담자"_s, this)),
      m_chkAutoCode(new QCheckBox(u"코드 자동생성"_s, this)), m_chkContinueAdd(new QCheckBox(u"계속 입력"_s, this)),
      m_btnSave(NamedButton(this, u"btnSave"_s, u"저장"_s)), m_btnClose(NamedButton(this, u"btnClose"_s, u"닫기"_s)),
      m_btnZipcode(NamedButton(this, u"btnZipcode"_s, u"우편번호"_s))
{
    setObjectName(u"FrmLUser_save"_s);
    m_chkPDA->setObjectName(u"chkPDA"_s);
    m_chkConsult->setObjectName(u"chkConsult"_s);
    m_chkAutoCode->setObjectName(u"chkAutoCode"_s);
    m_chkContinueAdd->setObjectName(u"chkContinueAdd"_s);

    auto* form = new QFormLayout;
    for (const TextFieldDef& def : kFields) {
        HCText* f = NamedTextField(this, def);
        m_fields.insert(def.name, f);
        if (def.name == u"htCode"_s) {
            AddFieldRow(form, def.label, f, m_chkAutoCode);
        } else if (def.name == u"htZipcode"_s) {
            AddFieldRow(form, def.label, f, m_btnZipcode);
        } else {
            form->addRow(def.label, f);
        }
    }
    field(u"htPassword"_s)->setPasswordChar(u"*"_s);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_chkPDA);
    flags->addWidget(m_chkConsult);
    flags->addStretch();
    form->addRow(flags);
    LayOutEditor(this, form, m_chkContinueAdd, m_btnSave, m_btnClose);

    m_chkAutoCode->setChecked(UserSettings::get(u"Config"_s, kAutoCodeKey, u"1"_s) == u"1"_s);
    connect(m_chkAutoCode, &QCheckBox::clicked, this,
            [](bool on) { UserSettings::set(u"Config"_s, kAutoCodeKey, on ? u"1"_s : u"0"_s); });
    connect(field(u"htCode"_s), &HCText::lostFocus, this, &FrmLUser_save::codeLeft);
    connect(field(u"htCode"_s), &HCText::keyPress, this, &FrmLUser_save::codeKeyPressed);
    connect(m_btnSave, &QPushButton::clicked, this, &FrmLUser_save::save);
    connect(m_btnClose, &QPushButton::clicked, this, &FrmLUser_save::reject);
    connect(m_btnZipcode, &QPushButton::clicked, this, &FrmLUser_save::findZipcode);

    SetFormMode(NewRecord);
}

void FrmLUser_save::SetFormMode(int mode, const QString& text)
{
    m_mode = mode == EditRecord ? EditRecord : NewRecord;
    setWindowTitle(u"사용자"_s + (m_mode == NewRecord ? u" - 『신규입력』"_s : u" - 『수정』"_s));
    clearFields();
    field(u"htCode"_s)->setReadOnly(m_mode == EditRecord);
    m_chkAutoCode->setEnabled(m_mode == NewRecord);
    m_chkContinueAdd->setEnabled(m_mode == NewRecord);
    if (m_mode == EditRecord)
        DispRec(text);
    else
        field(u"htName"_s)->SetText(text);
    applyRights();
}

FrmLUser_save* FrmLUser_save::openOver(QWidget* opener, int mode, const QString& code)
{
    return OpenEditorOver<FrmLUser_save>(opener, mode, code, [](FrmLUser_save&) {});
}

QString FrmLUser_save::registerNew(QWidget* parent, const QString& name)
{
    return RegisterWithEditor<FrmLUser_save>(parent, name);
}

void FrmLUser_save::DispRec(const QString& code)
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        const auto user = UserStore::load(code);
        if (!user)
            return 0;
        field(u"htCode"_s)->SetText(user->code);
        field(u"htLoginId"_s)->SetText(user->loginId);
        field(u"htPassword"_s)->SetText(user->password);
        field(u"htName"_s)->SetText(user->name);
        field(u"htTelNo"_s)->SetText(user->telno);
        field(u"htHpNo"_s)->SetText(user->hpno);
        field(u"htSerial"_s)->SetText(user->serial);
        field(u"htZipcode"_s)->SetText(user->zipcode);
        field(u"htAddr1"_s)->SetText(user->addr1);
        field(u"htAddr2"_s)->SetText(user->addr2);
        field(u"htBigo"_s)->SetText(user->bigo);
        m_chkPDA->setChecked(user->pdaUse);
        m_chkConsult->setChecked(user->consult);
        return 0;
    });
}

void FrmLUser_save::clearFields()
{
    for (HCText* f : std::as_const(m_fields))
        f->SetText(QString());
    m_chkPDA->setChecked(false);
    m_chkConsult->setChecked(false);
    field(m_mode == NewRecord ? u"htCode"_s : u"htName"_s)->setFocus();
}

// Everybody but the administrator changes only his own password.
void FrmLUser_save::applyRights()
{
    const bool admin = App().isAdministrator();
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        if (it.key() != u"htPassword"_s)
            it.value()->setEnabled(admin);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_chkPDA), static_cast<QWidget*>(m_chkConsult),
                       static_cast<QWidget*>(m_btnZipcode)})
        w->setEnabled(admin);
    m_btnZipcode->setEnabled(admin && ZipcodeLookup::isInstalled());
}

void FrmLUser_save::codeKeyPressed()
{
    if (m_mode == EditRecord)
        MsgInfo(u"코드는 수정할 수 없습니다."_s);
}

void FrmLUser_save::codeLeft()
{
    HCText* code = field(u"htCode"_s);
    if (m_mode != NewRecord || code->Text().isEmpty())
        return;
    if (UserStore::codeExists(code->Text())) {
        MsgInfo(codeExistsText(code->Text()));
        code->setFocus();
    }
}

UserRecord FrmLUser_save::fromFields() const
{
    UserRecord u;
    u.code = field(u"htCode"_s)->Text().trimmed();
    u.loginId = field(u"htLoginId"_s)->Text().trimmed();
    u.password = field(u"htPassword"_s)->Text();
    u.name = field(u"htName"_s)->Text().trimmed();
    u.telno = field(u"htTelNo"_s)->Text();
    u.hpno = field(u"htHpNo"_s)->Text();
    u.serial = field(u"htSerial"_s)->Text();
    u.zipcode = field(u"htZipcode"_s)->Text();
    u.addr1 = field(u"htAddr1"_s)->Text();
    u.addr2 = field(u"htAddr2"_s)->Text();
    u.bigo = field(u"htBigo"_s)->Text();
    u.pdaUse = m_chkPDA->isChecked();
    u.consult = m_chkConsult->isChecked();
    return u;
}

void FrmLUser_save::save()
{
    if (!Guarded(u"btnSave_Click"_s, u"Form"_s, objectName(), false, [&] { return trySave(); }))
        return;
    ShowSaved();
    if (m_mode == NewRecord && m_chkContinueAdd->isChecked())
        clearFields();
    else
        accept();
}

bool FrmLUser_save::trySave()
{
    AppState& app = App();
    UserRecord user = fromFields();
    if (!app.isAdministrator() && (m_mode == NewRecord || user.code != app.UserCode)) {
        MsgInfo(u"사용자의 추가는 관리자만 가능하며, 사용자 정보 수정은 로그인한 사용자 본인의 정보만 수정 가능합니다."_s);
        return false;
    }
    if (user.name.isEmpty()) {
        MsgInfo(required(u"성명"_s), u"필수입력"_s);
        field(u"htName"_s)->setFocus();
        return false;
    }
    if (app.usesSharedAccount() && user.code == UserStore::administratorCode()) {
        MsgInfo(u"공유ID(Ostra)로 접속하신 경우 관리자 정보를 수정할 수 없습니다."_s);
        return false;
    }
    if (m_mode == NewRecord && m_chkAutoCode->isChecked()) {
        user.code = UserStore::nextCode(user.code);
        field(u"htCode"_s)->SetText(user.code);
    }
    if (user.code.isEmpty()) {
        MsgInfo(required(u"코드"_s), u"필수입력"_s);
        field(u"htCode"_s)->setFocus();
        return false;
    }
    if (UserStore::loginIdTaken(user.loginId, m_mode == EditRecord ? user.code : QString())) {
        MsgInfo(u"『"_s + user.loginId + u"』"_s + u"는 이미 존재하는 아이디입니다."_s);
        field(u"htLoginId"_s)->setFocus();
        return false;
    }
    if (m_mode == NewRecord && UserStore::codeExists(user.code)) {
        MsgInfo(codeExistsText(user.code));
        field(u"htCode"_s)->setFocus();
        return false;
    }
    const int changed = m_mode == NewRecord ? UserStore::insert(user) : UserStore::update(user);
    if (changed <= 0) {
        MsgInfo(u"수정된 내용이 없거나, 자료저장을 실패하였습니다."_s);
        return false;
    }
    if (m_mode == NewRecord)
        m_addedRec = user.code + QChar(u'\0') + user.name;
    emit saved(m_mode, user.code);
    return true;
}

void FrmLUser_save::findZipcode()
{
    AddressFields::findZipcode(this, field(u"htZipcode"_s), field(u"htAddr1"_s), field(u"htAddr2"_s));
}

} // namespace asv
