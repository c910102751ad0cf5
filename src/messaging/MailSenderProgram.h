#pragma once

#include <QString>

namespace asv {

struct MailMessage;
struct MailSettings;

// The external sender program of the program folder, handed the mail through two data files and
// waited for.
class MailSenderProgram {
public:
    static QString programPath();
    static QString bodyFile();
    static QString dataFile();
    // Both data files, written whole; false (told) when they cannot be written.
    static bool writeFiles(const MailSettings& settings, const MailMessage& message);
    static bool send(const MailSettings& settings, const MailMessage& message);
};

} // namespace asv
