#include "CallerIdNcidLine.h"

#include "CallerIdNumber.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

std::optional<QString> CallerIdNcidLine::callerNumber(QByteArrayView text)
{
    const QString line = QString::fromUtf8(text).trimmed();
    if (!line.startsWith(u"CID:"_s))
        return std::nullopt;
    // "*NAME*value*" pairs; the text before the first "*" is not a field.
    const QStringList parts = line.mid(4).split(u'*');
    for (qsizetype i = 1; i + 1 < parts.size(); i += 2) {
        if (parts[i] != u"NMBR"_s)
            continue;
        QString number = NormalizeCallerNumber(parts[i + 1]);
        if (number.isEmpty())
            return std::nullopt;
        return number;
    }
    return std::nullopt;
}

} // namespace asv
