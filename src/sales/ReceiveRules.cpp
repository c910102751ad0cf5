#include "ReceiveRules.h"

#include "SharedOptions.h"
#include "mdlCommonOstra.h"
#include "modMath.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

QString ReceiveRules::panelText(double value)
{
    return u" "_s + FormatNumber(value, GetDecFormat(SharedOptions::current().amountDecimals, true, true));
}

double ReceiveRules::addedBack(const ReceiveRecord& loaded, const QString& ccode, const QString& asOfDate)
{
    if (loaded.code == 0 || loaded.ccode != ccode || (!asOfDate.isEmpty() && loaded.dealdate > asOfDate))
        return 0;
    return loaded.total();
}

double ReceiveRules::money(const QString& typed)
{
    return std::abs(typed.toDouble());
}

ReceiveRules::Panels ReceiveRules::panels(double previous, const Typed& typed)
{
    const double total = money(typed.amount) + money(typed.dc);
    return {previous, total, previous - total};
}

ReceiveRecord ReceiveRules::edited(const ReceiveRecord& loaded, const Typed& typed)
{
    ReceiveRecord p = loaded;
    p.dealdate = typed.dateText;
    p.ccode = typed.ccode;
    p.amount = money(typed.amount);
    p.dc = money(typed.dc);
    // A kind the list does not know stays as it was stored.
    p.type = typed.kind < 0 ? loaded.type : typed.kind;
    p.charge = typed.charge;
    p.bigo = typed.bigo;
    return p;
}

QList<ReceiveRules::Issue> ReceiveRules::issues(const Typed& typed, const QDate& today)
{
    if (!typed.date)
        return {Issue::BadDate};
    QList<Issue> found;
    if (*typed.date > today)
        found << Issue::FutureDate;
    if (typed.customerText.trimmed().isEmpty())
        return found << Issue::NoCustomer;
    if (typed.ccode.isEmpty())
        return found << Issue::NoCustomerCode;
    if (money(typed.amount) == 0 && money(typed.dc) == 0)
        found << Issue::NothingPaid;
    return found;
}

double ReceiveRules::rounded(double value)
{
    return RoundNum(value, 4);
}

QList<std::pair<QString, double>> ReceiveRules::balanceMoves(const QString& storedCcode, double storedTotal,
                                                             const QString& ccode, double change)
{
    if (storedCcode == ccode)
        return {{ccode, -change}};
    QList<std::pair<QString, double>> moves{{storedCcode, storedTotal}, {ccode, -rounded(storedTotal + change)}};
    std::sort(moves.begin(), moves.end());
    return moves;
}

} // namespace asv
