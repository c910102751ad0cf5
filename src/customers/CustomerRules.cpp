#include "CustomerRules.h"

#include "HCTextRules.h"
#include "modMsgBox.h"

using namespace Qt::StringLiterals;

namespace asv {

QString ShortNameOf(const QString& name)
{
    QString alias = name;
    for (const QString& mark : {u"(주)"_s, u"(유)"_s, u"㈜"_s})
        alias.remove(mark);
    // Trimmed like saved names, by decision: "(주) 한빛" would otherwise sort under the space.
    alias = alias.trimmed();
    return alias.isEmpty() ? name : alias;
}

QString ZipcodeForStorage(const QString& zipcode)
{
    return CutToByteLength(zipcode, 7);
}

bool ZipcodeEnterSearches(const QString& zipcode, const QString& address)
{
    return !zipcode.trimmed().isEmpty() && address.isEmpty();
}

} // namespace asv
