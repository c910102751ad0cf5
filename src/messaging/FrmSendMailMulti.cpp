#include "FrmSendMailMulti.h"

#include "Clock.h"
#include "CustomerStore.h"
#include "MailChecks.h"
#include "MailMessage.h"
#include "MailSending.h"
#include "MailSettingsPanel.h"
#include "MailWidgets.h"
#include "Prompter.h"
#include "WidgetHelpers.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

enum Column { CodeColumn, NameColumn, AddressColumn, FileColumn, ColumnCount };

} // namespace

FrmSendMailMulti::FrmSendMailMulti(QWidget* parent)
    : QDialog(parent), m_settings(new MailSettingsPanel(this)), m_fromName(NamedLine(this, u"txtFromName"_s)),
      m_fromAddress(NamedLine(this, u"txtFromMail"_s)), m_subject(NamedLine(this, u"txtSubject"_s)),
      m_body(new QPlainTextEdit(this)), m_customers(new QTableWidget(0, ColumnCount, this))
{
    setObjectName(u"FrmSendMailMulti"_s);
    setWindowTitle(u"이메일 일괄 전송"_s);
    m_body->setObjectName(u"txtBody"_s);
    m_customers->setObjectName(u"grdList"_s);
    m_customers->setHorizontalHeaderLabels({u"코드"_s, u"거래처명"_s, u"이메일"_s, u"원장파일"_s});
    m_customers->horizontalHeader()->setStretchLastSection(true);
    m_customers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fromAddress->setText(m_settings->settings().senderAddress);
    connect(m_settings, &MailSettingsPanel::saved, this,
            [this] { m_fromAddress->setText(m_settings->settings().senderAddress); });

    QPushButton* sendButton = NamedButton(this, u"btnSend"_s, u"전송"_s);
    QPushButton* close = NamedButton(this, u"btnClose"_s, u"닫기"_s);
    auto* form = new QFormLayout;
    form->addRow(u"보내는 사람"_s, m_fromName);
    form->addRow(u"보내는 메일"_s, m_fromAddress);
    form->addRow(u"제목"_s, m_subject);
    form->addRow(u"내용"_s, m_body);
    form->addRow(m_customers);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sendButton);
    buttons->addWidget(close);
    auto* mailPart = new QVBoxLayout;
    mailPart->addLayout(form);
    mailPart->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(mailPart, 2);
    layout->addWidget(m_settings, 1);
    connect(sendButton, &QPushButton::clicked, this, &FrmSendMailMulti::send);
    connect(close, &QPushButton::clicked, this, &FrmSendMailMulti::reject);
}

void FrmSendMailMulti::addCustomer(const QString& code, const QString& name, const QString& address,
                                   const QString& ledgerFile)
{
    const int row = m_customers->rowCount();
    m_customers->insertRow(row);
    const QString values[ColumnCount] = {code, name, address, ledgerFile};
    for (int column = 0; column < ColumnCount; ++column)
        m_customers->setItem(row, column, new QTableWidgetItem(values[column]));
}

int FrmSendMailMulti::send()
{
    const QString missing = MailChecks::firstMissing({{m_fromName->text(), u"보내는 사람 명을 입력하세요."_s},
                                                      {m_fromAddress->text(), u"보내는 사람 메일을 입력하세요."_s},
                                                      {m_subject->text(), u"제목을 입력하세요."_s}});
    if (!missing.isEmpty()) {
        Prompter::current().info(missing, windowTitle());
        return 0;
    }
    int sent = 0;
    for (int row = 0; row < m_customers->rowCount(); ++row)
        if (sendTo(row))
            ++sent;
    return sent;
}

bool FrmSendMailMulti::sendTo(int row)
{
    const auto cell = [&](int column) { return m_customers->item(row, column)->text(); };
    const MailSettings settings = m_settings->settings();
    const QStringList files{cell(FileColumn)};
    if (!MailChecks::attachmentProblem(files, false).isEmpty()) {
        Prompter::current().info(u"원장 첨부파일 설정 오류!!!\n"_s + cell(FileColumn), windowTitle());
        return false;
    }
    MailMessage mail;
    mail.fromName = m_fromName->text().trimmed();
    mail.fromAddress = m_fromAddress->text().trimmed();
    mail.toName = cell(NameColumn);
    mail.toAddress = cell(AddressColumn);
    mail.subject = m_subject->text().trimmed();
    mail.body = m_body->toPlainText();
    mail.files = settings.webForm ? QStringList() : files;
    if (!MailSending::send(settings, mail)) {
        Prompter::current().info(u"["_s + cell(NameColumn) + u"] 거래처에 이메일을 전송하지 못했습니다."_s, windowTitle());
        return false;
    }
    if (CustomerStore().setLastMailed(cell(CodeColumn), Clock::now()) != 1)
        Prompter::current().info(u"원장 메일전송일 수정 오류"_s, windowTitle());
    return true;
}

} // namespace asv
