#pragma once

#include "RecordSetPtr.h"
#include "StoreSql.h"
#include "modMath.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

namespace asv {

// One line of a sales slip as written by an insert.
struct SaleLine {
    int code = 0;
    QString ccode;
    QString pcode;
    QString pname;
    QString pnorm;
    double qnt = 0;
    double price = 0;
    double amount = 0;
    double tax = 0;
    double total = 0;
    QString dealdate; // yyyy-MM-dd
    QString dealtime; // HH:mm
    QString charge;
    QString regucode;
    QString receiptname;
    QString receiptmemo;

    // Amount, tax and total of qnt × price as the VAT mode splits it.
    void priceAs(int vatType, const VatOptions& vat);
};

// The change of one stored line: texts set as they are, numbers as differences to what is stored,
// so that two desks editing the same line add up instead of overwriting each other.
struct SaleChange {
    QList<std::pair<QString, QString>> texts; // column, new text
    double qnt = 0;
    double price = 0;
    double amount = 0;
    double tax = 0;

    // The amount and tax differences that bring a line stored with oldAmount and oldTax to qty × price.
    static SaleChange repriced(int vatType, double qty, double price, double oldAmount, double oldTax);
    static SaleChange repriced(int vatType, double qty, double price, double oldAmount, double oldTax,
                               const VatOptions& vat);

    double total() const { return amount + tax; }
    void setText(const QString& column, const QString& text) { texts.append({column, text}); }
};

// The statements of the sales slip: its lines, the customer's balance moved with them, and the
// panels beside the list. Reads throw DbError; writes answer whether they were done.
class SaleStore : private StoreSql {
public:
    // On db, or on the program's main connection.
    explicit SaleStore(cMySQL* db = nullptr);

    struct MonthSums {
        double sale = 0;
        double vat = 0;
        double total = 0;
        double received = 0;
        double discount = 0; // granted with the payments: it lowers the balance as they do
        double balance = 0;
    };
    struct CustomerInfo {
        QString compname;
        QString addr2;
        QString ceoname;
        QString telno1;
        QString hpno;
        QString fax;
        QString charge;
        int taxmode = 0;
        bool found = false;
    };

    // Amount, tax and total of qnt × price for this customer and product, as the VAT rules split it.
    static void priceLine(SaleLine& line);

    // The customer's lines of the month ("yyyy-MM"), optionally of one product only; a line whose
    // product row is gone is listed all the same, with the name it was sold under.
    RecordSetPtr monthLines(const QString& ccode, const QString& month, const QString& pcode = {});
    MonthSums monthSums(const QString& ccode, const QString& month);
    CustomerInfo customerInfo(const QString& ccode);
    QHash<QString, QString> userNames();
    QString taxInvoiceOf(int code);

    // Stores the line and moves the balance by its total; the new line code, 0 when nothing was
    // stored (and the balance is left alone).
    int insert(SaleLine& line);
    // Applies the change to the line and moves the balance by the change of its total.
    bool update(int code, const QString& ccode, const SaleChange& change);
    // Deletes the line and takes its stored total off the balance.
    bool remove(int code, const QString& ccode);

private:
    // Runs body as one transaction holding the customer's row, committed when it answers true and
    // rolled back otherwise (also when the customer does not exist).
    bool inTransaction(const QString& ccode, const std::function<bool()>& body);
};

} // namespace asv
