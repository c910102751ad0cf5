#include "FrmAS_Msg.h"

#include "Cp949.h"
#include "modMsgBox.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace asv {

FrmAS_Msg::FrmAS_Msg(QWidget* parent)
    : QWidget(parent, Qt::Window), m_personLabel(new QLabel(this)), m_person(new QLineEdit(this)),
      m_text(new QPlainTextEdit(this)), m_send(new QPushButton(u"보내기"_s, this)), m_reply(new QPushButton(u"답장"_s, this))
{
    setObjectName(u"FrmAS_Msg"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    m_personLabel->setObjectName(u"lblPerson"_s);
    m_person->setObjectName(u"txtPerson"_s);
    m_person->setReadOnly(true);
    m_text->setObjectName(u"txtMsg"_s);
    m_send->setObjectName(u"btnSend"_s);
    m_reply->setObjectName(u"btnReply"_s);
    auto* close = new QPushButton(u"닫기"_s, this);
    close->setObjectName(u"btnClose"_s);

    auto* person = new QHBoxLayout;
    person->addWidget(m_personLabel);
    person->addWidget(m_person, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_send);
    buttons->addWidget(m_reply);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(person);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(360, 240);

    connect(m_send, &QPushButton::clicked, this, &FrmAS_Msg::sendClicked);
    connect(m_reply, &QPushButton::clicked, this, [this] {
        m_text->clear();
        setMode(Mode::Send);
        m_text->setFocus();
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void FrmAS_Msg::showSend(const QString& code, const QString& name)
{
    m_code = code;
    m_person->setText(name);
    m_text->clear();
    setMode(Mode::Send);
    show();
    m_text->setFocus();
}

void FrmAS_Msg::showReceived(const QString& code, const QString& name, const QString& text)
{
    m_code = code;
    m_person->setText(name);
    m_text->setPlainText(text);
    setMode(Mode::Received);
    show();
    raise();
}

void FrmAS_Msg::setMode(Mode mode)
{
    m_mode = mode;
    const bool sending = mode == Mode::Send;
    setWindowTitle(sending ? u"메세지(송신)"_s : u"메세지(수신)"_s);
    m_personLabel->setText(sending ? u"수신인"_s : u"발신인"_s);
    m_text->setReadOnly(!sending);
    m_send->setVisible(sending);
    m_send->setEnabled(sending);
    m_reply->setVisible(!sending);
}

void FrmAS_Msg::sendClicked()
{
    const QString text = m_text->toPlainText();
    if (text.trimmed().isEmpty())
        return;
    // The other desks read the code page only.
    if (const qsizetype bad = Cp949::firstUnencodable(text); bad >= 0) {
        MsgWarn(Cp949::unencodableMessage(text, bad));
        return;
    }
    emit sendRequested(m_code, text);
    close();
}

} // namespace asv
