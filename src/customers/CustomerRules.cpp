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

QString DuplicateQuestion(const QString& value, const QString& label)
{
    return u"『"_s + value + u"』는 이미 등록된 "_s + label + u"입니다."_s + vbCrLf + vbCrLf
        + u"그래도, 등록하시겠습니까?"_s;
}

QString DuplicateTitle(const QString& label)
{
    return u"동일 "_s + label.trimmed() + u" 발견"_s;
}

} // namespace asv
