#include "FixedMoney.h"

using namespace Qt::StringLiterals;

namespace asv {

std::optional<FixedMoney> FixedMoney::parse(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return FixedMoney();
    bool negative = false;
    if (text.front() == u'-' || text.front() == u'+') {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.first(point);
    QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    // The server may send more decimals than the columns keep only as zeros.
    while (fraction.size() > 4 && fraction.back() == u'0')
        fraction.chop(1);
    if ((whole.isEmpty() && fraction.isEmpty()) || fraction.size() > 4 || whole.size() > 14)
        return std::nullopt;
    qint64 units = 0;
    for (QChar c : whole) {
        if (!c.isDigit())
            return std::nullopt;
        units = units * 10 + c.digitValue();
    }
    for (qsizetype i = 0; i < 4; ++i) {
        if (i < fraction.size() && !fraction[i].isDigit())
            return std::nullopt;
        units = units * 10 + (i < fraction.size() ? fraction[i].digitValue() : 0);
    }
    return FixedMoney(negative ? -units : units);
}

QString FixedMoney::text() const
{
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString out = QString::number(magnitude / kScale);
    if (const qint64 fraction = magnitude % kScale; fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        out += u'.' + digits;
    }
    return m_units < 0 ? u'-' + out : out;
}

QString FixedMoney::grouped() const
{
    QString out = text();
    const qsizetype start = out.startsWith(u'-') ? 1 : 0;
    qsizetype end = out.indexOf(u'.');
    if (end < 0)
        end = out.size();
    for (qsizetype at = end - 3; at > start; at -= 3)
        out.insert(at, u',');
    return out;
}

} // namespace asv
