#include "CallerIdNcidLine.h"

#include "CallerIdNumber.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace asv {

std::optional<CallerIdNcidLine> CallerIdNcidLine::parse(QByteArrayView text)
{
    const QString line = QString::fromUtf8(text).trimmed();
    if (!line.startsWith(u"CID:"_s))
        return std::nullopt;
    // "*NAME*value*" pairs; the text before the first "*" is not a field.
    const QStringList parts = line.mid(4).split(u'*');
    CallerIdNcidLine call;
    for (qsizetype i = 1; i + 1 < parts.size(); i += 2) {
        const QString& key = parts[i];
        const QString& value = parts[i + 1];
        if (key == u"NMBR"_s)
            call.number = NormalizeCallerNumber(value);
        else if (key == u"NAME"_s)
            call.name = value;
        else if (key == u"LINE"_s)
            call.line = value;
    }
    if (call.number.isEmpty())
        return std::nullopt;
    return call;
}

} // namespace asv
