#include "SerialDevicePath.h"

using namespace Qt::StringLiterals;

namespace asv {

QString SerialDevicePath(const QString& setting)
{
    const QString port = setting.trimmed();
    if (port.isEmpty())
        return {};
    const QString number = port.startsWith(u"COM"_s, Qt::CaseInsensitive) ? port.mid(3) : port;
    bool numeric = false;
    const int n = number.toInt(&numeric);
    if (numeric)
        return n > 0 ? u"/dev/ttyS"_s + QString::number(n - 1) : QString();
    if (port.startsWith(u'/'))
        return port;
    return u"/dev/"_s + port;
}

} // namespace asv
