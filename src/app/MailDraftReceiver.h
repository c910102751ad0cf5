#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// A mail screen that takes a prepared mail (a printed paper to a customer) from a window of
// another family, which opens it through the screen registry.
class MailDraftReceiver {
public:
    virtual ~MailDraftReceiver() = default;
    virtual void prepareMail(const QString& toName, const QString& toAddress, const QString& subject,
                             const QStringList& attachments) = 0;
};

} // namespace asv
