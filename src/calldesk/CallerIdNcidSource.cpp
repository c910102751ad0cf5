#include "CallerIdNcidSource.h"

#include "CallerIdNcidLine.h"
#include "CallerIdSettings.h"

using namespace Qt::StringLiterals;

namespace asv {

CallerIdNcidSource::CallerIdNcidSource(QObject* parent)
    : CallerIdTcpSource(u"ncid"_s, CallerIdSettings::NcidHost.get(), CallerIdSettings::NcidPort.get(), parent)
{
}

void CallerIdNcidSource::connected()
{
    reportStatus(u"CONNECT"_s);
}

void CallerIdNcidSource::lineRead(QByteArrayView line, CallArrival arrived)
{
    if (const auto number = CallerIdNcidLine::callerNumber(line))
        emit callerNumber(*number, 1, arrived);
}

} // namespace asv
