#include "CallerIdModemParser.h"

#include "CallerIdNumber.h"
#include "CallerIdPacket.h"

using namespace Qt::StringLiterals;

namespace asv {

CallerIdModemParser::Result CallerIdModemParser::feed(QByteArrayView line)
{
    // Some boxes pad with NUL bytes.
    const QString text = QString::fromLatin1(line).remove(QChar(u'\0')).trimmed();
    Result result;
    if (text.isEmpty())
        return result;
    if (text == u"OK"_s) {
        result.reply = Reply::Ok;
        return result;
    }
    if (text == u"ERROR"_s) {
        result.reply = Reply::Error;
        return result;
    }
    // "RING", "RING A", "RING 1": a ring, distinctive or not, ends the call's block.
    if (text.startsWith(u"RING"_s)) {
        m_numberTaken = false;
        return result;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals > 0) {
        const QString tag = text.left(equals).trimmed().toUpper();
        if (tag == u"DATE"_s)
            m_numberTaken = false;
        // Some boxes name it DDN_NMBR; MESG, NAME, TIME, DRON carry nothing we use.
        else if (tag.contains(u"NMBR"_s))
            result.number = takeNumber(QStringView(text).mid(equals + 1));
        return result;
    }
    // The unformatted form: one hex packet per call, no RING in between guaranteed.
    if (const auto number = CallerIdPacket::number(text.toLatin1())) {
        m_numberTaken = false;
        result.number = takeNumber(*number);
    }
    return result;
}

QString CallerIdModemParser::takeNumber(QStringView value)
{
    if (m_numberTaken)
        return {};
    m_numberTaken = true;
    return NormalizeCallerNumber(value);
}

} // namespace asv
