#include "FrmLUser_save.h"

#include "AddressFields.h"
#include "AppState.h"
#include "ConfigKeys.h"
#include "EditorWindow.h"
#include "HCText.h"
#include "UserStore.h"
#include "WidgetHelpers.h"
#include "ZipcodeLookup.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace asv {

FrmLUser_save::FrmLUser_save(QWidget* parent)
    : RecordEditor(parent, u"FrmLUser_save"_s,
                   {u"사용자"_s, &ConfigKeys::NewUserAutoCode, u"코드 자동생성"_s, false, u"btnClose"_s}),
      m_controls(UserRecord::fields()), m_btnZipcode(NamedButton(this, u"btnZipcode"_s, u"우편번호"_s))
{
    m_controls.create(this);
    field(u"htPassword"_s)->setPasswordChar(u"*"_s);
    auto* form = new QFormLayout;
    const QHash<QString, QWidget*> besides{{u"code"_s, autoCodeBox()}, {u"zipcode"_s, m_btnZipcode}};
    m_controls.addRows(form, this, besides);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_controls.box(u"pdause"_s));
    flags->addWidget(m_controls.box(u"consult"_s));
    flags->addStretch();
    form->addRow(flags);
    layOut(form);

    setFocusOrder(m_controls.focusOrder(this, besides));
    watchValues(m_controls.widgets());

    lockCodeInEditMode(field(u"htCode"_s));
    connect(field(u"htCode"_s), &HCText::lostFocus, this, &FrmLUser_save::codeLeft);
    connect(m_btnZipcode, &QPushButton::clicked, this, &FrmLUser_save::findZipcode);

    SetFormMode(NewRecord);
}

FrmLUser_save* FrmLUser_save::openOver(QWidget* opener, int mode, const QString& code)
{
    return OpenEditorOver<FrmLUser_save>(opener, mode, code);
}

Pick FrmLUser_save::registerNew(QWidget* parent, const QString& name)
{
    return RegisterWithEditor<FrmLUser_save>(parent, name);
}

HCText* FrmLUser_save::field(const QString& name) const
{
    return findChild<HCText*>(name);
}

void FrmLUser_save::clearFields()
{
    m_controls.clear();
    field(u"htCode"_s)->setReadOnly(mode() == EditRecord);
    field(mode() == NewRecord ? u"htCode"_s : u"htName"_s)->setFocus();
}

void FrmLUser_save::loadRecord(const QString& code)
{
    Guarded(u"DispRec"_s, u"Form"_s, objectName(), 0, [&] {
        if (const auto user = UserStore().load(code))
            m_controls.show(*user);
        return 0;
    });
}

void FrmLUser_save::startNew(const QString& name)
{
    field(u"htName"_s)->SetText(name);
}

// Everybody but the administrator changes only his own password.
void FrmLUser_save::modeChanged()
{
    const bool admin = App().isAdministrator();
    for (QWidget* w : m_controls.widgets()) {
        if (w != field(u"htPassword"_s))
            w->setEnabled(admin);
    }
    m_btnZipcode->setEnabled(admin && ZipcodeLookup::isInstalled());
}

void FrmLUser_save::codeLeft()
{
    HCText* code = field(u"htCode"_s);
    if (mode() == NewRecord && !code->Text().isEmpty() && UserStore().codeExists(code->Text()))
        refuse(code, codeExistsMessage(code->Text()));
}

bool FrmLUser_save::checkBeforeSave()
{
    AppState& app = App();
    m_record = m_controls.read();
    if (!app.isAdministrator() && (mode() == NewRecord || m_record.code != app.UserCode)) {
        MsgInfo(u"사용자의 추가는 관리자만 가능하며, 사용자 정보 수정은 로그인한 사용자 본인의 정보만 수정 가능합니다."_s);
        return false;
    }
    if (m_record.name.isEmpty())
        return refuseRequired(field(u"htName"_s), requiredMessage(u"성명"_s));
    if (app.usesSharedAccount() && m_record.code == UserStore::administratorCode()) {
        MsgInfo(u"공유ID(Ostra)로 접속하신 경우 관리자 정보를 수정할 수 없습니다."_s);
        return false;
    }
    if (generatesCode()) {
        m_record.code = UserStore().nextCode(m_record.code);
        field(u"htCode"_s)->SetText(m_record.code);
    }
    if (m_record.code.isEmpty())
        return refuseRequired(field(u"htCode"_s), requiredMessage(u"코드"_s));
    if (UserStore().loginIdTaken(m_record.loginId, mode() == EditRecord ? m_record.code : QString()))
        return refuse(field(u"htLoginId"_s), u"『"_s + m_record.loginId + u"』는 이미 존재하는 아이디입니다."_s);
    if (mode() == NewRecord && UserStore().codeExists(m_record.code))
        return refuse(field(u"htCode"_s), codeExistsMessage(m_record.code));
    return true;
}

int FrmLUser_save::writeRecord()
{
    return mode() == NewRecord ? UserStore().insert(m_record) : UserStore().update(m_record);
}

Pick FrmLUser_save::savedRecord() const
{
    return {m_record.code, m_record.name};
}

void FrmLUser_save::findZipcode()
{
    AddressFields::findZipcode(this, field(u"htZipcode"_s), field(u"htAddr1"_s), field(u"htAddr2"_s));
}

} // namespace asv
