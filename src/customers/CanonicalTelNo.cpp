#include "CanonicalTelNo.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), isDigit);
}

} // namespace

QString CanonicalTelNo(const QString& text)
{
    if (text.size() < 6)
        return text;
    QString t = text;
    if (!allDigits(t))
        t.removeIf([](QChar c) { return !isDigit(c) && c != u'*'; });
    if (t.size() < 5)
        return t;

    qsizetype area = 0;
    if (t.startsWith(u"02"_s))
        area = 2;
    else if (t.startsWith(u'0') && t.size() >= 9)
        area = 3;
    const QString last = t.right(4);
    if (area == 0)
        return t.left(t.size() - 4) + u'-' + last;
    // Four digits or fewer after the area code are one group: never a last four borrowed from it.
    if (t.size() - area <= 4)
        return t.left(area) + u'-' + t.mid(area);
    return t.left(area) + u'-' + t.mid(area, t.size() - area - 4) + u'-' + last;
}

QString TelLocalPart(const QString& text)
{
    if (text.size() < 5 || !allDigits(text))
        return {};
    const QString canonical = CanonicalTelNo(text);
    // Two hyphens: an area code stands in front.
    return canonical.count(u'-') >= 2 ? canonical.section(u'-', 1) : canonical;
}

} // namespace asv
