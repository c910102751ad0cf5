#pragma once

#include <QString>

namespace asv {

struct MailMessage;
struct MailSettings;

// One mail by the method the settings choose, with the reply notice in front of the body.
class MailSending {
public:
    static bool send(const MailSettings& settings, MailMessage message);
    // The test mail of the settings panel to the address; tells the outcome.
    static bool sendTest(const MailSettings& settings, const QString& address);

    static QString replyNotice(const MailSettings& settings);
};

} // namespace asv
