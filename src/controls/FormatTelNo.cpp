#include "FormatTelNo.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

bool isAsciiDigits(QStringView text)
{
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

qsizetype areaCodeLength(QStringView digits)
{
    if (digits.startsWith(u"02"))
        return 2;
    if (digits.startsWith(u"0505") || digits.startsWith(u"0303"))
        return 4;
    if (digits.startsWith(u'0') && digits.size() >= 9)
        return 3;
    return 0;
}

} // namespace

QString FormatTelNo(const QString& text)
{
    if (text.size() < 6)
        return text;

    QString digits;
    if (isAsciiDigits(text)) {
        digits = text;
    } else {
        for (QChar c : text) {
            if (c >= u'0' && c <= u'9')
                digits += c;
        }
    }
    if (digits.size() <= 4)
        return digits;

    const QString last = digits.right(4);
    const qsizetype area = areaCodeLength(digits);
    // An area code with nothing between it and the last four would leave an empty group.
    if (area == 0 || digits.size() - area <= 4)
        return digits.left(digits.size() - 4) + u'-' + last;
    return digits.left(area) + u'-' + digits.mid(area, digits.size() - area - 4) + u'-' + last;
}

} // namespace asv
