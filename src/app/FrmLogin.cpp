#include "FrmLogin.h"

#include "AppState.h"
#include "UserStore.h"
#include "WidgetHelpers.h"
#include "modMsgBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

    auto* form = new QFormLayout;
    form->addRow(u"아이디"_s, m_txtUser);
    form->addRow(u"암호"_s, m_txtPass);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnLogin);
    buttons->addWidget(m_btnExit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    m_txtPass->installEventFilter(this);
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

// A user without a password sees the hint in plain text and logs in with Enter alone.
void FrmLogin::applyPasswordHint()
{
    const bool noPassword = UserStore::loginPassword(m_txtUser->text()).isEmpty();
    if (noPassword != m_hintShown)
        m_txtPass->setText(noPassword ? kHint : QString());
    m_hintShown = noPassword;
    m_txtPass->setEchoMode(noPassword ? QLineEdit::Normal : QLineEdit::Password);
}

bool FrmLogin::eventFilter(QObject* watched, QEvent* event)
{
    // Typing over the hint starts a masked password.
    if (watched == m_txtPass && m_hintShown && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Tab && key != Qt::Key_Backtab
            && key != Qt::Key_Escape) {
            m_hintShown = false;
            m_txtPass->clear();
            m_txtPass->setEchoMode(QLineEdit::Password);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmLogin::checkLogin()
{
    ++m_attempts;
    const QString id = m_txtUser->text();
    const QString stored = UserStore::loginPassword(id);
    // The hint logs in only a user without a password: left in the box after the id was changed
    // to one that has a password, it would otherwise open that account to anyone.
    const bool ok = m_hintShown ? stored.isEmpty() : m_txtPass->text() == stored;
    if (ok) {
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
