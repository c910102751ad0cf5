#include "mdlCommonOstra.h"

#include "SharedOptions.h"
#include "modMath.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

QString GetDecFormat(int decimals, bool thousands, bool showZero)
{
    return GetDecFormat(decimals, thousands, showZero, SharedOptions::current().showTrailingZeros);
}

QString GetDecFormat(int decimals, bool thousands, bool showZero, bool trailingZeros)
{
    const QString units = showZero || decimals >= 1 ? u"0"_s : u"#"_s;
    QString format = thousands ? u"#,##"_s + units : units;
    if (decimals > 0)
        format += u'.' + QString(decimals, trailingZeros ? u'0' : u'#');
    return format;
}

QString FormatNumber(double value, const QString& format)
{
    if (format.isEmpty())
        return QString::number(value, 'g', 15);

    const qsizetype point = format.indexOf(u'.');
    const QString integerPattern = point < 0 ? format : format.left(point);
    const QString fractionPattern = point < 0 ? QString() : format.mid(point + 1);
    const bool grouped = integerPattern.contains(u',');
    const qsizetype minIntegerDigits = integerPattern.count(u'0');
    const int maxDecimals = static_cast<int>(fractionPattern.size());
    const qsizetype minDecimals = fractionPattern.count(u'0');

    const double rounded = RoundNum(std::fabs(value), maxDecimals);
    const QString digits = QString::number(rounded, 'f', maxDecimals);
    const qsizetype dot = digits.indexOf(u'.');
    QString integer = dot < 0 ? digits : digits.left(dot);
    QString fraction = dot < 0 ? QString() : digits.mid(dot + 1);

    while (fraction.size() > minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integer == u"0"_s && minIntegerDigits == 0)
        integer.clear();
    integer = integer.rightJustified(minIntegerDigits, u'0');
    if (grouped) {
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, u',');
    }

    QString text = fraction.isEmpty() ? integer : integer + u'.' + fraction;
    if (value < 0 && rounded != 0)
        text.prepend(u'-');
    return text;
}

} // namespace asv
