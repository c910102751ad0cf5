#pragma once

#include "RecordSetPtr.h"
#include "StoreSql.h"

#include <QString>
#include <QStringList>

namespace asv {

// The reads of the AS ledger, the status screen and the result list: jobs with their names,
// result lines with their jobs, and the selected customer's contacts and purchases. Reads that
// fail throw DbError.
class AsListStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit AsListStore(cMySQL* db = nullptr);

    struct JobFilter {
        bool byPlannedVisit = false; // the period is on resvdate2, else on dealdate
        QString from;
        QString to;
        QString ccode;  // empty: every customer
        QString charge; // empty: every staff member
        int state = -1; // -1: every state
        // Also the customer's model, telephone and address and the delivery dates of the job's
        // lines (the edition that follows deliveries).
        bool deliveries = false;
    };

    struct ResultFilter {
        QString from;
        QString to;
        QString ccode;
        QString serial;      // part of the unit's serial number
        QString pcode;       // a chosen product wins over a typed name
        QString productName; // LIKE pattern as typed
        QString productClass;
        // The period is on the line's delivery date, and the customer's model, telephone and
        // address come with each line.
        bool deliveries = false;
    };

    struct DeliveryFilter {
        QString from;
        QString to;
        QString productClass; // empty: every class
        QString pcode;        // a chosen product wins over a typed name
        QString productName;  // part of the name
        QString ccode;        // a chosen customer wins over a typed name
        QString customerName; // part of the company name
    };

    // The jobs with their codes; jobs() adds the names (AsJobNames), empty where the customer,
    // product, reception code, receiving user or staff is gone, so every job of the period is
    // listed and counted.
    static QString jobsSql(const JobFilter& filter);
    RecordSetPtr jobs(const JobFilter& filter);
    // One job as the job list shows it; no row when the job is gone.
    RecordSetPtr job(int code, bool deliveries = false);

    static QString resultLinesSql(const ResultFilter& filter);
    RecordSetPtr resultLines(const ResultFilter& filter);

    // Result lines by delivery date and sales by sale date in one list, in date order, AS before
    // sales on one day: kind ("A/S" or "판매"), code, date, company name, model, telephone,
    // address (two fields) and product name.
    static QString deliveriesAndSalesSql(const DeliveryFilter& filter);
    RecordSetPtr deliveriesAndSales(const DeliveryFilter& filter);

    // Telephones, fax, mobile, address, e-mail, staff name and memo; no row for an unknown
    // customer.
    RecordSetPtr customerPanel(const QString& ccode);
    // One line per sale, newest first: date, product name and norm (규격).
    QStringList purchases(const QString& ccode);
};

} // namespace asv
