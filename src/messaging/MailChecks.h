#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace asv {

// The checks of the mail screens before anything is sent; each gives the operator's message of
// the first fault, empty when there is none.
class MailChecks {
public:
    static constexpr qint64 kAttachmentLimit = 1000000;

    // Pairs of a field's text and its message when empty.
    static QString firstMissing(const QList<std::pair<QString, QString>>& fields);
    // Pairs of an address field and its message when it holds more than one address.
    static QString firstWithSeveral(const QList<std::pair<QString, QString>>& fields);
    static QString attachmentProblem(const QStringList& files, bool webForm);
};

} // namespace asv
