#include "SmtpSender.h"

#include "Cp949.h"
#include "CurlHandles.h"
#include "MailMessage.h"
#include "MailSettings.h"
#include "Prompter.h"

#include <QDateTime>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

void append(CurlList& list, const QString& line)
{
    // The head changes only when the list was empty.
    curl_slist* grown = curl_slist_append(list.get(), line.toUtf8().constData());
    if (!list)
        list.reset(grown);
}

// Header texts outside ASCII travel as encoded words.
QString encodedWord(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() > 0x7e)
            return u"=?UTF-8?B?"_s + QString::fromLatin1(text.toUtf8().toBase64()) + u"?="_s;
    return text;
}

QString headerAddress(const QString& name, const QString& address)
{
    const QString bare = MailMessage::withoutParentheses(address).trimmed();
    const QString shown = MailMessage::withoutParentheses(name).trimmed();
    return shown.isEmpty() ? bare : encodedWord(shown) + u" <"_s + bare + u'>';
}

void reportFailure(CURLcode code, const char* detail)
{
    const QString description = *detail ? QString::fromUtf8(detail) : QString::fromUtf8(curl_easy_strerror(code));
    Prompter::current().error(u"오류가 발생하였습니다.\n오류번호: 0x"_s + QString::number(int(code), 16).toUpper()
                                  + u"\n오류내용: "_s + description
                                  + u"\n오류위치 Function(Procedure) : CDOSendMail_sFile\nModule : modEMail_CDO"_s,
                              u"이메일"_s);
}

} // namespace

QString SmtpSender::bodyCharset(const QString& host)
{
    return host.contains(u"daum"_s, Qt::CaseInsensitive) ? u"UTF-8"_s : u"ks_c_5601-1987"_s;
}

bool SmtpSender::send(const MailSettings& settings, const MailMessage& message)
{
    if (const QString problem = message.addressProblem(); !problem.isEmpty()) {
        Prompter::current().info(problem, u"이메일"_s);
        return false;
    }
    QString charset = bodyCharset(settings.host);
    QByteArray body;
    if (charset != u"UTF-8"_s && Cp949::firstUnencodable(message.body) < 0)
        body = Cp949::encode(message.body);
    else {
        charset = u"UTF-8"_s;
        body = message.body.toUtf8();
    }

    CurlEasy curl(curl_easy_init());
    const bool implicitTls = settings.ssl && settings.port.trimmed() == u"465"_s;
    const QString url = (implicitTls ? u"smtps://"_s : u"smtp://"_s) + settings.host.trimmed() + u':'
                        + settings.port.trimmed();
    char detail[CURL_ERROR_SIZE] = {};
    const QByteArray urlBytes = url.toUtf8();
    const QByteArray user = settings.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    const QByteArray from = MailMessage::withoutParentheses(message.fromAddress).trimmed().toUtf8();
    curl_easy_setopt(curl.get(), CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(curl.get(), CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl.get(), CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(curl.get(), CURLOPT_USE_SSL, settings.ssl ? long(CURLUSESSL_ALL) : long(CURLUSESSL_NONE));
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(curl.get(), CURLOPT_MAIL_FROM, from.constData());

    CurlList recipients;
    append(recipients, u'<' + MailMessage::withoutParentheses(message.toAddress).trimmed() + u'>');
    for (const QString& cc : message.ccAddresses)
        append(recipients, u'<' + MailMessage::withoutParentheses(cc).trimmed() + u'>');
    curl_easy_setopt(curl.get(), CURLOPT_MAIL_RCPT, recipients.get());

    CurlList headers;
    append(headers, u"Date: "_s + QDateTime::currentDateTime().toString(Qt::RFC2822Date));
    append(headers, u"From: "_s + headerAddress(message.fromName, message.fromAddress));
    append(headers, u"To: "_s + headerAddress(message.toName, message.toAddress));
    QStringList ccs;
    for (qsizetype i = 0; i < message.ccAddresses.size(); ++i)
        ccs << headerAddress(message.ccNames.value(i), message.ccAddresses[i]);
    if (!ccs.isEmpty())
        append(headers, u"Cc: "_s + ccs.join(u", "_s));
    append(headers, u"Subject: "_s + encodedWord(message.subject));
    append(headers, u"MIME-Version: 1.0"_s);
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());

    CurlMime mime(curl_mime_init(curl.get()));
    curl_mimepart* text = curl_mime_addpart(mime.get());
    curl_mime_data(text, body.constData(), size_t(body.size()));
    curl_mime_type(text, (u"text/plain; charset="_s + charset).toUtf8().constData());
    curl_mime_encoder(text, "base64");
    for (const QString& path : message.files) {
        curl_mimepart* part = curl_mime_addpart(mime.get());
        if (curl_mime_filedata(part, QFileInfo(path).absoluteFilePath().toLocal8Bit().constData()) != CURLE_OK) {
            Prompter::current().info(u"첨부파일 설정 오류!!!\n"_s + path, u"이메일"_s);
            return false;
        }
        curl_mime_filename(part, encodedWord(QFileInfo(path).fileName()).toUtf8().constData());
        curl_mime_type(part, "application/octet-stream");
        curl_mime_encoder(part, "base64");
    }
    curl_easy_setopt(curl.get(), CURLOPT_MIMEPOST, mime.get());

    const CURLcode code = curl_easy_perform(curl.get());
    if (code != CURLE_OK) {
        reportFailure(code, detail);
        return false;
    }
    return true;
}

} // namespace asv
