#include "FrmLogin.h"

#include "AppState.h"
#include "UserStore.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"
#include "RecordSet.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace asv {

namespace {
const QString kHint = u"엔터 치세요"_s;
const QString kNotLoggedIn = u"-1"_s;
} // namespace

FrmLogin::FrmLogin(QWidget* parent)
    : QDialog(parent), m_txtUser(new QLineEdit(this)), m_txtPass(new QLineEdit(this)),
      m_btnLogin(NamedButton(this, u"btnLogin"_s, u"로그인"_s)), m_btnExit(NamedButton(this, u"btnExit"_s, u"종료"_s))
{
    setObjectName(u"FrmLogin"_s);
    setWindowTitle(u"회원 사용자 로그인"_s);
    m_txtUser->setObjectName(u"txtUser"_s);
    m_txtPass->setObjectName(u"txtPass"_s);
    m_txtUser->setMaxLength(20);
    m_txtPass->setMaxLength(20);
    m_txtPass->setEchoMode(QLineEdit::Password);

    auto* form = new QFormLayout;
    form->addRow(u"아이디"_s, m_txtUser);
    form->addRow(u"암호"_s, m_txtPass);
    LayOutEditor(this, form, nullptr, m_btnLogin, m_btnExit);

    connect(m_txtUser, &QLineEdit::returnPressed, m_txtPass, [this] { m_txtPass->setFocus(); });
    connect(m_txtUser, &QLineEdit::editingFinished, this, &FrmLogin::applyPasswordHint);
    connect(m_txtPass, &QLineEdit::returnPressed, this, &FrmLogin::checkLogin);
    connect(m_btnLogin, &QPushButton::clicked, this, &FrmLogin::checkLogin);
    connect(m_btnExit, &QPushButton::clicked, this, &FrmLogin::reject);

    App().LoginId = kNotLoggedIn;
    m_txtUser->setText(u"ADMIN"_s);
    applyPasswordHint();
    m_txtPass->setFocus();
}

bool FrmLogin::run(QWidget* parent)
{
    FrmLogin dialog(parent);
    dialog.exec();
    return App().LoginId != kNotLoggedIn;
}

// A user without a password sees the hint in the empty box and logs in with Enter alone.
void FrmLogin::applyPasswordHint()
{
    const bool noPassword = UserStore().loginPassword(m_txtUser->text()).isEmpty();
    m_txtPass->setPlaceholderText(noPassword ? kHint : QString());
}

void FrmLogin::checkLogin()
{
    ++m_attempts;
    const QString id = m_txtUser->text();
    if (m_txtPass->text() == UserStore().loginPassword(id)) {
        App().LoginId = id;
        accept();
        return;
    }
    App().LoginId = kNotLoggedIn;
    if (m_attempts >= kMaxAttempts) {
        MsgInfo(u"암호입력 3회 오류로 프로그램을 종료 합니다."_s);
        QDialog::reject();
        return;
    }
    MsgInfo(u"입력하신 암호가 일치하지 않습니다."_s + vbCrLf + u" "_s + vbCrLf + u"암호를 확인 후 재시도 하십시오."_s);
    m_txtPass->setFocus();
    m_txtPass->selectAll();
}

void FrmLogin::reject()
{
    if (MsgYesNo(u"프로그램을 종료하시겠습니까?"_s, {}, true) == MsgAnswer::Yes)
        QDialog::reject();
}

} // namespace asv
