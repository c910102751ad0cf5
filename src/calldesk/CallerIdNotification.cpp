#include "CallerIdNotification.h"

#include "CallerIdNumber.h"

namespace asv {

std::optional<CallerIdNotification> CallerIdNotification::parse(QByteArrayView message)
{
    constexpr qsizetype kLine = 1, kKind = 2, kLength = 14, kNumber = 15;
    if (message.size() <= kNumber || message[kKind] != 'C' || message[kLength] == '\0')
        return std::nullopt;
    QByteArrayView number = message.sliced(kNumber);
    if (const qsizetype end = number.indexOf('\0'); end >= 0)
        number = number.first(end);
    CallerIdNotification n;
    n.number = NormalizeCallerNumber(QString::fromLatin1(number));
    if (n.number.isEmpty())
        return std::nullopt;
    const char line = message[kLine];
    n.line = line >= '0' && line <= '9' ? line - '0' : 0;
    return n;
}

} // namespace asv
