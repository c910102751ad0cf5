#pragma once

#include <QByteArray>

namespace asv {

struct MailMessage;
struct MailSettings;

// The fallback when no SMTP way works: the mail service's form, posted like a browser would.
// It carries no attachment.
class WebMailForm {
public:
    static QByteArray formData(const MailMessage& message);
    static bool send(const MailSettings& settings, const MailMessage& message);
};

} // namespace asv
