#include "FrmSendMail.h"

#include "ConfigKeys.h"
#include "MailChecks.h"
#include "MailMessage.h"
#include "MailSending.h"
#include "MailSettingsPanel.h"
#include "MailWidgets.h"
#include "Prompter.h"
#include "WidgetHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

QHBoxLayout* pair(QWidget* left, QWidget* right)
{
    auto* row = new QHBoxLayout;
    row->addWidget(left);
    row->addWidget(right);
    return row;
}

} // namespace

FrmSendMail::FrmSendMail(QWidget* parent)
    : QDialog(parent), m_settings(new MailSettingsPanel(this)), m_fromName(NamedLine(this, u"txtFromName"_s)),
      m_fromAddress(NamedLine(this, u"txtFromMail"_s)), m_senderNote(new QLabel(this)),
      m_toName(NamedLine(this, u"txtToName"_s)), m_toAddress(NamedLine(this, u"txtToMail"_s)),
      m_ccName(NamedLine(this, u"txtCcName"_s)), m_ccAddress(NamedLine(this, u"txtCcMail"_s)),
      m_useDefaultCopy(NamedCheck(this, u"chkCcMail"_s, u"기본참조메일사용"_s)), m_defaultCopyName(NamedLine(this, u"txtRegCcName"_s)),
      m_defaultCopyAddress(NamedLine(this, u"txtRegCcMail"_s)), m_subject(NamedLine(this, u"txtSubject"_s)),
      m_body(new QPlainTextEdit(this)), m_files(NamedLine(this, u"txtPathFile"_s)),
      m_sending(new QLabel(u"이메일 전송중입니다.\n잠시만 기다려 주십시요..."_s, this))
{
    setObjectName(u"FrmSendMail"_s);
    setWindowTitle(u"EMail 전송 v2"_s);
    m_body->setObjectName(u"txtBody"_s);
    m_files->setReadOnly(true);
    m_sending->setObjectName(u"lblSending"_s);
    m_sending->hide();
    m_useDefaultCopy->setChecked(ConfigKeys::MailUseCc.get());
    m_defaultCopyName->setText(ConfigKeys::MailCcName.get());
    m_defaultCopyAddress->setText(ConfigKeys::MailCcAddress.get());

    QPushButton* getFile = NamedButton(this, u"btnGetFile"_s, u"첨부"_s);
    QPushButton* clearFile = NamedButton(this, u"btnFileClear"_s, u"지우기"_s);
    QPushButton* saveCopy = NamedButton(this, u"btnRegCcSave"_s, u"저장"_s);
    QPushButton* sendButton = NamedButton(this, u"btnSend"_s, u"전송"_s);
    QPushButton* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);

    auto* form = new QFormLayout;
    form->addRow(u"보내는 사람"_s, pair(m_fromName, m_fromAddress));
    form->addRow(QString(), m_senderNote);
    form->addRow(u"받는 사람"_s, pair(m_toName, m_toAddress));
    form->addRow(u"참조"_s, pair(m_ccName, m_ccAddress));
    form->addRow(m_useDefaultCopy);
    auto* copyRow = pair(m_defaultCopyName, m_defaultCopyAddress);
    copyRow->addWidget(saveCopy);
    form->addRow(u"기본참조메일"_s, copyRow);
    form->addRow(u"제목"_s, m_subject);
    form->addRow(u"내용"_s, m_body);
    auto* fileRow = pair(m_files, getFile);
    fileRow->addWidget(clearFile);
    form->addRow(u"첨부파일"_s, fileRow);
    form->addRow(m_sending);
    auto* mailPart = new QVBoxLayout;
    mailPart->addLayout(form);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sendButton);
    buttons->addWidget(close);
    mailPart->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(mailPart, 2);
    layout->addWidget(m_settings, 1);

    showSender();
    connect(m_settings, &MailSettingsPanel::saved, this, &FrmSendMail::showSender);
    connect(getFile, &QPushButton::clicked, this, &FrmSendMail::chooseFile);
    connect(clearFile, &QPushButton::clicked, m_files, &QLineEdit::clear);
    connect(saveCopy, &QPushButton::clicked, this, &FrmSendMail::saveDefaultCopy);
    connect(m_useDefaultCopy, &QCheckBox::toggled, this, [](bool on) { ConfigKeys::MailUseCc.set(on); });
    connect(sendButton, &QPushButton::clicked, this, &FrmSendMail::send);
    connect(close, &QPushButton::clicked, this, &FrmSendMail::reject);
}

void FrmSendMail::setRecipient(const QString& name, const QString& address)
{
    m_toName->setText(name);
    m_toAddress->setText(address);
}

void FrmSendMail::setSubject(const QString& subject) { m_subject->setText(subject); }

void FrmSendMail::prepareMail(const QString& toName, const QString& toAddress, const QString& subject,
                              const QStringList& attachments)
{
    setRecipient(toName, toAddress);
    setSubject(subject);
    setAttachments(attachments);
}

void FrmSendMail::setAttachments(const QStringList& files) { m_files->setText(files.join(u';')); }

QStringList FrmSendMail::attachments() const { return m_files->text().split(u';', Qt::SkipEmptyParts); }

void FrmSendMail::showSender()
{
    const MailSettings s = m_settings->settings();
    m_fromAddress->setText(s.senderAddress);
    const bool makers = s.serverKind == MailSettings::MakersServer;
    m_fromAddress->setReadOnly(makers);
    m_senderNote->setText(makers ? u" 보내는 메일 변경불가"_s : QString());
}

void FrmSendMail::chooseFile()
{
    const QString file = QFileDialog::getOpenFileName(this, u"첨부파일 선택"_s);
    if (!file.isEmpty())
        m_files->setText(file);
}

void FrmSendMail::saveDefaultCopy()
{
    ConfigKeys::MailCcName.set(m_defaultCopyName->text().trimmed());
    ConfigKeys::MailCcAddress.set(m_defaultCopyAddress->text().trimmed());
    Prompter::current().notice(u"저장하였습니다."_s, 1000);
}

QString FrmSendMail::problem() const
{
    const bool defaultCopy = m_useDefaultCopy->isChecked();
    const bool copy = !m_ccName->text().trimmed().isEmpty() || !m_ccAddress->text().trimmed().isEmpty();
    QList<std::pair<QString, QString>> required{{m_fromName->text(), u"보내는 사람 명을 입력하세요."_s},
                                                {m_fromAddress->text(), u"보내는 사람 메일을 입력하세요."_s},
                                                {m_toName->text(), u"받는 사람 명을 입력하세요."_s},
                                                {m_toAddress->text(), u"받는 사람 메일을 입력하세요."_s},
                                                {m_subject->text(), u"제목을 입력하세요."_s}};
    if (defaultCopy)
        required << std::pair{m_defaultCopyName->text(), u"기본참조메일 명을 입력하세요."_s}
                 << std::pair{m_defaultCopyAddress->text(), u"기본참조메일을 입력하세요."_s};
    if (copy)
        required << std::pair{m_ccName->text(), u"참조 명을 입력하세요."_s}
                 << std::pair{m_ccAddress->text(), u"참조 메일을 입력하세요."_s};
    QString found = MailChecks::firstMissing(required);
    if (found.isEmpty())
        found = MailChecks::firstWithSeveral({{defaultCopy ? m_defaultCopyAddress->text() : QString(),
                                               u"기본참조메일 하나만 설정해주세요."_s},
                                              {m_toAddress->text(), u"받는 사람 메일을 하나만 설정해주세요."_s},
                                              {m_ccAddress->text(), u"참조 메일을 하나만 설정해주세요."_s}});
    if (found.isEmpty())
        found = MailChecks::attachmentProblem(attachments(), m_settings->settings().webForm);
    return found;
}

bool FrmSendMail::send()
{
    if (const QString found = problem(); !found.isEmpty()) {
        Prompter::current().info(found, windowTitle());
        return false;
    }
    MailMessage mail;
    mail.fromName = m_fromName->text().trimmed();
    mail.fromAddress = m_fromAddress->text().trimmed();
    mail.toName = m_toName->text().trimmed();
    mail.toAddress = m_toAddress->text().trimmed();
    if (m_useDefaultCopy->isChecked()) {
        mail.ccNames << m_defaultCopyName->text().trimmed();
        mail.ccAddresses << m_defaultCopyAddress->text().trimmed();
    }
    if (!m_ccAddress->text().trimmed().isEmpty()) {
        mail.ccNames << m_ccName->text().trimmed();
        mail.ccAddresses << m_ccAddress->text().trimmed();
    }
    mail.subject = m_subject->text().trimmed();
    mail.body = m_body->toPlainText();
    mail.files = attachments();

    m_sending->show();
    QApplication::processEvents();
    const bool sent = MailSending::send(m_settings->settings(), mail);
    m_sending->hide();
    Prompter::current().info(sent ? u"이메일을 전송하였습니다."_s : u"이메일 전송 실패!"_s, windowTitle());
    return sent;
}

} // namespace asv
