#pragma once

#include <QString>

namespace asv {

struct MailMessage;
struct MailSettings;

// Sends one mail straight to the SMTP server of the settings. SSL on port 465 speaks TLS from the
// start, on any other port it demands STARTTLS. Failures reach the operator through the prompter;
// the server either takes the mail for every recipient or for none.
class SmtpSender {
public:
    static bool send(const MailSettings& settings, const MailMessage& message);

    // The body's character set: the one server known to mangle the old Korean code page gets UTF-8.
    static QString bodyCharset(const QString& host);
};

} // namespace asv
