#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace asv {

// One row handed to the sender program: a cell of numbers (comma-separated) and the customer name.
struct SmsRecipient {
    QString numbers;
    QString name;
};

// The recipient list the sender program reads: "<number>,<name>" lines in code page 949, CR LF.
class SmsList {
public:
    // The sender program splits its lines at these, so they cannot stay in a name; a single
    // recipient's name keeps its commas, since the number before it is known to be whole.
    static QString cleanName(QString name, bool fromGrid);
    // A cell holding several numbers "a, b"; a cell without a comma after its start is one number.
    static QStringList splitNumbers(const QString& cell);
    // The message naming the first text the code page cannot hold, or nullopt when all can be written.
    static std::optional<QString> refusal(const QStringList& texts);
    static std::optional<QString> refusal(const QList<SmsRecipient>& recipients);

    struct Lines {
        QStringList lines;
        bool complete = true; // false: the operator cancelled at a shared number
    };
    // Lines of the recipients; when two share a number the operator is asked once whether to
    // drop or send the repeats.
    static Lines lines(const QList<SmsRecipient>& recipients);
    static QByteArray encode(const QStringList& lines);
};

} // namespace asv
