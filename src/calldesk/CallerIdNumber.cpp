#include "CallerIdNumber.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'-' || c == u'(' || c == u')' || c == u'.' || c == u'+';
}

} // namespace

QString NormalizeCallerNumber(QStringView text)
{
    const QStringView t = text.trimmed();
    QString digits;
    for (QChar c : t) {
        if (c.isDigit() && c.unicode() < 0x80)
            digits += c;
        else if (c == u'*')
            digits += c;
        else if (!isSeparator(c))
            return {};
    }
    if (std::none_of(digits.cbegin(), digits.cend(), [](QChar c) { return c != u'*' && c != u'0'; }))
        return {};
    if (digits.startsWith(u"0082"_s))
        digits.remove(0, 2);
    // No domestic number of ten or more digits starts with 82: that is the country code.
    if (digits.startsWith(u"82"_s) && (t.startsWith(u'+') || t.startsWith(u"0082"_s) || digits.size() >= 10)) {
        digits.remove(0, 2);
        if (!digits.startsWith(u'0'))
            digits.prepend(u'0');
    } else if ((digits.size() == 9 || digits.size() == 10) && !digits.contains(u'*') && !digits.startsWith(u'0')) {
        // Area and mobile numbers are nine or ten digits after their 0; local ones are shorter.
        digits.prepend(u'0');
    }
    return digits;
}

} // namespace asv
