#include "CallerIdAmiRing.h"

#include "CallerIdNumber.h"

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// Enough to recognise the second event of a ring; calls of an hour ago need not be remembered.
constexpr qsizetype kRememberedRings = 64;

} // namespace

CallerIdAmiRing::CallerIdAmiRing(QString extension) : m_extension(std::move(extension).trimmed()) {}

std::optional<QString> CallerIdAmiRing::callerOf(const CallerIdAmiReader::Message& message)
{
    if (m_extension.isEmpty())
        return std::nullopt;
    const QString event = message.value(u"event"_s);
    QString caller, ringId;
    if (event.compare(u"DialBegin"_s, Qt::CaseInsensitive) == 0) {
        if (!isExtensionChannel(message.value(u"destchannel"_s)) && message.value(u"destexten"_s) != m_extension)
            return std::nullopt;
        caller = message.value(u"calleridnum"_s);
        ringId = message.value(u"destuniqueid"_s, message.value(u"destchannel"_s));
    } else if (event.compare(u"Newstate"_s, Qt::CaseInsensitive) == 0
               && message.value(u"channelstatedesc"_s).compare(u"Ringing"_s, Qt::CaseInsensitive) == 0
               && isExtensionChannel(message.value(u"channel"_s))) {
        caller = message.value(u"connectedlinenum"_s);
        ringId = message.value(u"uniqueid"_s, message.value(u"channel"_s));
    } else {
        return std::nullopt;
    }
    if (!firstTime(ringId))
        return std::nullopt;
    QString number = NormalizeCallerNumber(caller);
    if (number.isEmpty())
        return std::nullopt;
    return number;
}

bool CallerIdAmiRing::isExtensionChannel(const QString& channel) const
{
    if (channel.isEmpty())
        return false;
    if (m_extension.contains(u'/'))
        return channel.startsWith(m_extension + u'-', Qt::CaseInsensitive);
    // "PJSIP/101-0000002a", "SIP/101-…", "Local/101@from-internal-…;1": the part after the technology.
    const qsizetype slash = channel.indexOf(u'/');
    if (slash < 0)
        return false;
    QString device = channel.mid(slash + 1);
    if (const qsizetype at = device.indexOf(u'@'); at >= 0)
        device.truncate(at);
    else if (const qsizetype dash = device.lastIndexOf(u'-'); dash >= 0)
        device.truncate(dash);
    return device == m_extension;
}

bool CallerIdAmiRing::firstTime(const QString& ringId)
{
    if (ringId.isEmpty())
        return true;
    if (m_recentRings.contains(ringId))
        return false;
    m_recentRings.append(ringId);
    if (m_recentRings.size() > kRememberedRings)
        m_recentRings.removeFirst();
    return true;
}

} // namespace asv
