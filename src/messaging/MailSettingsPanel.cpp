#include "MailSettingsPanel.h"

#include "MailSending.h"
#include "MailWidgets.h"
#include "Prompter.h"
#include "WidgetHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace asv {

MailSettingsPanel::MailSettingsPanel(QWidget* parent)
    : QWidget(parent), m_kind(new QComboBox(this)), m_method(new QComboBox(this)),
      m_web(NamedCheck(this, u"chkWebMail"_s, u"웹 전송 방식(권장안함. 오류 발생시만 체크하세요.)"_s)),
      m_host(NamedLine(this, u"txtSmtpUrl"_s)), m_port(NamedLine(this, u"txtSmtpPort"_s)),
      m_user(NamedLine(this, u"txtSmtpId"_s)), m_password(NamedLine(this, u"txtSmtpPwd"_s)),
      m_ssl(NamedCheck(this, u"chkSsl"_s, u"보안 암호 인증(SSL)"_s)), m_address(NamedLine(this, u"txtSmtpEmail"_s))
{
    setObjectName(u"MailSettingsPanel"_s);
    m_kind->setObjectName(u"cboSmtpType"_s);
    m_kind->addItems({u"OstraSoft 서버"_s, u"직접설정"_s});
    m_method->setObjectName(u"cboSmtpMethod"_s);
    m_method->addItems({u"CDO방식(구방식)"_s, u"닷넷방식(권장) - 내컴퓨터명이 한글일 경우 사용불가"_s});
    m_password->setEchoMode(QLineEdit::Password);
    QPushButton* test = NamedButton(this, u"btnMailTest"_s, u"메일 전송 테스트"_s);
    QPushButton* saveButton = NamedButton(this, u"btnSettingsSave"_s, u"저장"_s);

    auto* form = new QFormLayout(this);
    form->addRow(u"메일서버 구분:"_s, m_kind);
    form->addRow(u"메일 전송 방식"_s, m_method);
    form->addRow(m_web);
    form->addRow(u"보내는 메일서버(SMTP):"_s, m_host);
    form->addRow(u"포트"_s, m_port);
    form->addRow(u"사용자 ID:"_s, m_user);
    form->addRow(u"암호:"_s, m_password);
    form->addRow(m_ssl);
    form->addRow(u"보내는 메일주소:"_s, m_address);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(test);
    buttons->addWidget(saveButton);
    form->addRow(buttons);

    show(MailSettings::load());
    connect(m_kind, &QComboBox::activated, this, &MailSettingsPanel::serverKindChosen);
    connect(saveButton, &QPushButton::clicked, this, &MailSettingsPanel::save);
    connect(test, &QPushButton::clicked, this, &MailSettingsPanel::sendTestMail);
}

MailSettings MailSettingsPanel::settings() const
{
    MailSettings s;
    s.serverKind = m_kind->currentIndex();
    s.method = m_method->currentIndex();
    s.webForm = m_web->isChecked();
    s.host = m_host->text().trimmed();
    s.port = m_port->text().trimmed();
    s.user = m_user->text().trimmed();
    s.password = m_password->text();
    s.ssl = m_ssl->isChecked();
    s.senderAddress = m_address->text().trimmed();
    s.webFormUrl = m_webFormUrl;
    return s;
}

void MailSettingsPanel::show(const MailSettings& s)
{
    m_kind->setCurrentIndex(s.serverKind);
    m_method->setCurrentIndex(s.method);
    m_web->setChecked(s.webForm);
    m_host->setText(s.host);
    m_port->setText(s.port);
    m_user->setText(s.user);
    m_password->setText(s.password);
    m_ssl->setChecked(s.ssl);
    m_address->setText(s.senderAddress);
    m_webFormUrl = s.webFormUrl;
    // The maker's server is not the operator's to configure.
    const bool own = s.serverKind == MailSettings::OwnServer;
    for (QLineEdit* line : {m_host, m_port, m_user, m_password})
        line->setReadOnly(!own);
    m_ssl->setEnabled(own);
}

void MailSettingsPanel::serverKindChosen()
{
    const MailSettings current = settings();
    MailSettings s = MailSettings::load(current.serverKind);
    s.method = current.method;
    s.webForm = current.webForm;
    show(s);
}

bool MailSettingsPanel::usable() const
{
    const QString problem = settings().problem(QSysInfo::machineHostName());
    if (!problem.isEmpty())
        Prompter::current().info(problem, u"메일 설정"_s);
    return problem.isEmpty();
}

void MailSettingsPanel::save()
{
    if (!usable())
        return;
    settings().save();
    Prompter::current().notice(u"저장하였습니다."_s, 1000);
    emit saved();
}

void MailSettingsPanel::sendTestMail()
{
    const MailSettings s = settings();
    if (s.webForm) {
        Prompter::current().info(u"웹 전송 방식은 [메일 전송 테스트]를 지원하지 않습니다."_s, u"메일 테스트"_s);
        return;
    }
    if (!usable())
        return;
    const std::optional<QString> address =
        Prompter::current().input(u"받을 메일주소를 입력하세요.(네이트 메일은 누락될 수 있습니다.)"_s, u"메일 테스트"_s, {});
    if (address && !address->trimmed().isEmpty())
        MailSending::sendTest(s, address->trimmed());
}

} // namespace asv
