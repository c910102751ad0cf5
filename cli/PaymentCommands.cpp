#include "PaymentCommands.h"

#include "AppState.h"
#include "Clock.h"
#include "ReceiveStore.h"
#include "SharedOptions.h"
#include "mdlCommonOstra.h"
#include "modMsgBox.h"

#include <QTextStream>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// The value after the option name, taken out of args; std::nullopt when the option is absent,
// NaN when its value is missing or no number.
std::optional<double> takeNumberOption(QStringList& args, const QString& name)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return std::nullopt;
    bool ok = false;
    const double value = i + 1 < args.size() ? args[i + 1].toDouble(&ok) : 0;
    args.remove(i, std::min<qsizetype>(2, args.size() - i));
    return ok ? value : std::nan("");
}

} // namespace

int paymentAdd(QTextStream& out, QStringList args)
{
    const bool card = args.removeAll(u"--card"_s) > 0;
    const double dc = takeNumberOption(args, u"--dc"_s).value_or(0);
    bool amountOk = false;
    const double amount = args.size() == 2 ? args[1].toDouble(&amountOk) : 0;
    if (!amountOk || std::isnan(dc)) {
        out << "usage: payment add CUSTOMER AMOUNT [--dc D] [--card]\n";
        return 2;
    }
    return Guarded(u"paymentAdd"_s, u"Module"_s, u"PaymentCommands"_s, 1, [&] {
        ReceiveStore store;
        const std::optional<ReceiveCustomer> customer = store.customer(args[0]);
        if (!customer) {
            out << "no customer with code " << args[0] << '\n';
            return 1;
        }
        if (amount == 0 && dc == 0) {
            out << "the amount and the discount are both 0: nothing entered\n";
            return 1;
        }
        ReceiveRecord p;
        p.dealdate = Clock::today().toString(u"yyyy-MM-dd"_s);
        p.ccode = args[0];
        p.amount = std::abs(amount);
        p.dc = std::abs(dc);
        p.type = card ? 1 : 0;
        p.charge = customer->charge;
        p.regucode = App().UserCode;
        p.dealtime = Clock::now().toString(u"HH:mm"_s);
        const int code = store.insert(p);
        if (code == 0)
            return 1;
        const QString format = GetDecFormat(SharedOptions::current().amountDecimals, true, true);
        out << "payment " << code << ", balance of " << customer->name << ": "
            << FormatNumber(store.customer(p.ccode).value_or(ReceiveCustomer{}).nowmoney, format) << '\n';
        return 0;
    });
}

} // namespace asv
