#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace asv {

class cMySQL;

// Records a received call: the canonical number, the name an operator gave the number before, the
// stored row (only on the PC whose device took the call) and the customer it is from. Works on the
// connection it is given, so the command line records calls exactly as a desk does. Failed
// statements throw DbError.
class CallIntake {
public:
    // Canonical numbers this long or longer are refused.
    static constexpr int kRefusedLength = 16;

    struct Customer {
        QString code;
        QString compname;
        QString ocode;
    };
    enum class Refusal { None, Empty, TooLong };
    struct Call {
        Refusal refusal = Refusal::None; // refused calls are not recorded
        QString number; // canonical
        QString date;   // "yyyy-MM-dd"
        QString time;   // "HH:mm"
        QString name;   // the customer's name, else the earlier name, else ""
        quint32 code = 0; // the stored row; 0 when nothing was inserted
        std::optional<Customer> customer;
    };

    explicit CallIntake(cMySQL& db) : m_db(db) {}

    // The number as a device reported it: canonical form, refusal, earlier name, customer match, and
    // when isLocal (the PC whose device took the call) the row stored already linked to the customer.
    Call record(const QString& rawNumber, bool isLocal, const QDateTime& at);

    QString earlierName(const QString& number);
    // The new row's code.
    quint32 insert(const QString& name, const QString& number, const QString& date, const QString& time,
                   const std::optional<Customer>& customer = std::nullopt);
    // The first customer with the number as one of telno1..telno4 (the mobile is not searched).
    std::optional<Customer> matchCustomer(const QString& number);

private:
    void execute(const QString& sql, const QString& operation);

    cMySQL& m_db;
};

} // namespace asv
