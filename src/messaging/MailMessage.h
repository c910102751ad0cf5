#pragma once

#include <QString>
#include <QStringList>

namespace asv {

// One mail as the screens hand it to a sending method.
struct MailMessage {
    QString fromName;
    QString fromAddress;
    QString toName;
    QString toAddress;
    QStringList ccNames;
    QStringList ccAddresses;
    QString subject;
    QString body;
    QStringList files;

    // The first wrong address as the operator's message, empty when every one holds an "@".
    QString addressProblem() const;
    static QString withoutParentheses(QString text);
};

} // namespace asv
