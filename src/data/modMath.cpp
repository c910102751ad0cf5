#include "modMath.h"

#include "SharedOptions.h"
#include "modMsgBox.h"

#include <QString>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Truncates towards zero after a pass through the decimal text with the 15 significant digits a
// double holds, so that 1.005 * 100 + 0.5 (100.99999999999999) counts as the 101 it stands for.
double truncThroughText(double y)
{
    return std::trunc(QString::number(y, 'g', 15).toDouble());
}

double roundBy(double x, int digits, double push)
{
    const double f = std::pow(10.0, digits);
    const double y = x >= 0 ? x * f + push : x * f - push;
    return truncThroughText(y) / f;
}

} // namespace

double RoundNum(double x, int digits)
{
    return roundBy(x, digits, 0.5);
}

double RoundUpNum(double x, int digits)
{
    return roundBy(x, digits, 0.9);
}

VatOptions VatOptions::current()
{
    const SharedOptions& o = SharedOptions::current();
    return {o.amountDecimals, o.vatRounding};
}

bool CalcVAT(int vatType, double qty, double price, double& supply, double& tax)
{
    return CalcVAT(vatType, qty, price, supply, tax, VatOptions::current());
}

bool CalcVAT(int vatType, double qty, double price, double& supply, double& tax, const VatOptions& options)
{
    const double amount = RoundNum(qty * price, options.amountDecimals);
    switch (vatType) {
    case 0:
        supply = amount;
        tax = 0;
        return true;
    case 1:
        supply = RoundNum(amount / 1.1, 0);
        // The difference of a decimal amount and a whole supply carries binary noise otherwise.
        tax = RoundNum(amount - supply, options.amountDecimals);
        return true;
    case 2:
        supply = amount;
        switch (options.rounding) {
        case 0:
            tax = truncThroughText(amount * 0.1);
            return true;
        case 1:
            tax = RoundNum(amount * 0.1, 0);
            return true;
        case 2:
            tax = RoundUpNum(amount * 0.1, 0);
            return true;
        default:
            MsgInfo(u"fixme"_s);
            return false;
        }
    default:
        return false;
    }
}

} // namespace asv
