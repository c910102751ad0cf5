#include "WebMailForm.h"

#include "CurlHandles.h"
#include "MailMessage.h"
#include "MailSettings.h"
#include "Prompter.h"

#include <QUrl>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

size_t discard(char*, size_t size, size_t count, void*) { return size * count; }

} // namespace

QByteArray WebMailForm::formData(const MailMessage& message)
{
    const std::pair<const char*, QString> fields[] = {
        {"fromname", message.fromName},
        {"frommail", message.fromAddress},
        {"toname", message.toName},
        {"tomail", message.toAddress},
        {"subject", message.subject},
        {"memo", message.body + u"\n[본 메일은 회신이 불가능 하므로 담당자에게 전화로 연락 바랍니다.]"_s}};
    QByteArray data;
    for (const auto& [name, value] : fields) {
        if (!data.isEmpty())
            data += '&';
        data += name;
        data += '=';
        data += QUrl::toPercentEncoding(value);
    }
    return data;
}

bool WebMailForm::send(const MailSettings& settings, const MailMessage& message)
{
    if (const QString problem = message.addressProblem(); !problem.isEmpty()) {
        Prompter::current().info(problem, u"이메일"_s);
        return false;
    }
    const QByteArray data = formData(message);
    const QByteArray url = settings.webFormUrl.toUtf8();
    CurlEasy curl(curl_easy_init());
    CurlList headers(
        curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded"));
    // Form receivers rarely answer "100 Continue"; waiting for it only delays the mail.
    curl_slist_append(headers.get(), "Expect:");
    char detail[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.constData());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, data.constData());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE, long(data.size()));
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &discard);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 60L);
    const CURLcode code = curl_easy_perform(curl.get());
    if (code != CURLE_OK) {
        Prompter::current().error(u"오류가 발생하였습니다.\n오류내용: "_s
                                      + (*detail ? QString::fromUtf8(detail) : QString::fromUtf8(curl_easy_strerror(code))),
                                  u"이메일"_s);
        return false;
    }
    return true;
}

} // namespace asv
