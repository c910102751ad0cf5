#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// A mail prepared by the screen that offers it (a printed list, a customer, a ledger), handed to
// the mail screen for the operator to finish and send.
struct MailDraft {
    QString toName;
    QString toAddress;
    QString subject;
    QStringList files;
};

// The mail screen, as the screens below it see it.
class MailDraftReceiver {
public:
    virtual ~MailDraftReceiver() = default;
    virtual void takeDraft(const MailDraft& draft) = 0;
};

} // namespace asv
