#pragma once

#include "ReceiveRecord.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace asv {

// The payment screen's rules: what its fields make of a payment, the balance panels, what saving
// must refuse or ask first, and which balances an edit moves.
class ReceiveRules {
public:
    // The fields as the operator left them.
    struct Typed {
        std::optional<QDate> date; // nothing when the date field holds no valid date
        QString dateText;
        QString customerText;
        QString ccode; // empty while the typed customer is not resolved
        QString amount;
        QString dc;
        int kind = -1; // the kind list's position, -1 for none
        QString charge;
        QString bigo;
    };

    struct Panels {
        double previous = 0;
        double total = 0;
        double current = 0;
    };

    // Questions are put to the operator; a refusal stops the save.
    enum class Issue { BadDate, FutureDate, NoCustomer, NoCustomerCode, NothingPaid };

    // An amount as the panels show it: the amount decimals of the options, after a space.
    static QString panelText(double value);
    // What to add to the customer's balance so that it reads as before the payment being edited:
    // nothing for a new payment, for another customer, or for a balance taken as of a date
    // (asOfDate, "yyyy-mm-dd") before the payment's own.
    static double addedBack(const ReceiveRecord& loaded, const QString& ccode, const QString& asOfDate);

    // A sign typed before an amount is not a refund: payments are stored as positive.
    static double money(const QString& typed);
    static Panels panels(double previous, const Typed& typed);
    // The payment as saving writes it; what the fields do not show stays as loaded.
    static ReceiveRecord edited(const ReceiveRecord& loaded, const Typed& typed);
    // In the order the operator meets them; a refusal ends the list.
    static QList<Issue> issues(const Typed& typed, const QDate& today);

    // The columns hold four decimals; a difference of doubles carries binary noise beyond them.
    static double rounded(double value);
    // The balance moves of an edit changing the payment's total by change, from the customer and
    // total stored now: at the same customer the change alone, else the stored total back to the
    // old customer and the new total off the new one, in code order (the order every desk locks).
    static QList<std::pair<QString, double>> balanceMoves(const QString& storedCcode, double storedTotal,
                                                          const QString& ccode, double change);
};

} // namespace asv
