#include "MailSending.h"

#include "MailMessage.h"
#include "MailSenderProgram.h"
#include "MailSettings.h"
#include "Prompter.h"
#include "SmtpSender.h"
#include "WebMailForm.h"

#include "Clock.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool deliver(const MailSettings& settings, const MailMessage& message)
{
    return settings.method == MailSettings::SenderProgram ? MailSenderProgram::send(settings, message)
                                                          : SmtpSender::send(settings, message);
}

} // namespace

QString MailSending::replyNotice(const MailSettings& settings)
{
    return settings.serverKind == MailSettings::MakersServer
               ? u"[본 메일은 회신이 불가능 하므로 담당자에게 전화로 연락 바랍니다.]"_s
               : u"[본 메일은 회신이 가능합니다.]"_s;
}

bool MailSending::send(const MailSettings& settings, MailMessage message)
{
    if (settings.webForm)
        return WebMailForm::send(settings, message);
    message.body = replyNotice(settings) + u"\n"_s + message.body;
    return deliver(settings, message);
}

bool MailSending::sendTest(const MailSettings& settings, const QString& address)
{
    if (settings.webForm) {
        Prompter::current().info(u"웹 전송 방식은 [메일 전송 테스트]를 지원하지 않습니다."_s, u"메일 테스트"_s);
        return false;
    }
    MailMessage message;
    message.fromName = settings.senderAddress;
    message.fromAddress = settings.senderAddress;
    message.toAddress = address;
    message.subject = u"테스트 메일입니다."_s;
    message.body = u"[본 메일은 테스트입니다. 보낸시각: "_s
                   + Clock::now().toString(u"yyyy-MM-dd HH:mm:ss"_s) + u']';
    const bool sent = deliver(settings, message);
    if (sent)
        Prompter::current().info(u"["_s + address + u"]메일을 확인해보세요.\n메일이 보이지 않을 경우 스팸함을 확인해 보세요."_s,
                                 u"메일 테스트"_s);
    else
        Prompter::current().info(u"이메일 전송 실패!"_s, u"메일 테스트"_s);
    return sent;
}

} // namespace asv
