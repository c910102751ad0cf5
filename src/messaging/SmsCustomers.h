#pragma once

#include "SmsList.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace asv {

// Customers as SMS recipients: the search of the SMS screen and the mobile number of a customer.
class SmsCustomers {
public:
    // The search conditions, by the index of their option on the screen.
    enum class Filter { All = 0, Receivables = 1, PlannedVisits = 2, LastAsDays = 3, AsPeriod = 4 };
    struct Condition {
        Filter filter = Filter::All;
        QDate from, to;    // planned visits and AS jobs in the period
        int daysSince = 0; // customers whose last AS job is at least this old
    };
    // Which numbers the search column collects.
    struct Kinds {
        bool mobile = true;
        bool telephone = false;
        bool fax = false;
    };

    static QString sql(const Condition& condition);
    // The memo column of a condition: its header and the field it shows ("" for none).
    struct Memo {
        QString header;
        QString field;
    };
    static Memo memo(Filter filter);

    // hpno when it is a mobile number, else telno1 when that is one, else "".
    static QString mobileNumber(const QString& hpno, const QString& telno1);
    static QString searchNumbers(const QString& hpno, const QString& telno1, const QString& fax, Kinds kinds);

    // The named customers with their mobile numbers, in the order named; unknown codes are left out.
    static QList<SmsRecipient> byCodes(const QStringList& codes);
};

} // namespace asv
