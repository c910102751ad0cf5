#include "ReceiveRules.h"

#include "SharedOptions.h"
#include "mdlCommonOstra.h"

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

} // namespace asv
