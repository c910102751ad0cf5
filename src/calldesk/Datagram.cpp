#include "Datagram.h"

#include "Cp949.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace asv {

Datagram Datagram::parse(const QByteArray& bytes)
{
    Datagram d;
    d.m_text = Cp949::decode(bytes);
    const qsizetype separator = d.m_text.indexOf(u';');
    if (separator < 0)
        return d;
    d.m_framed = true;
    d.m_payload = d.m_text.mid(separator + 1);
    // Digits only: a signed or spaced number is not a type any desk sends.
    const QStringView head = QStringView(d.m_text).left(separator);
    bool ok = !head.isEmpty() && std::all_of(head.begin(), head.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; });
    const int type = ok ? head.toInt(&ok) : 0;
    d.m_type = ok ? type : Unknown;
    return d;
}

QByteArray Datagram::encode() const
{
    return Cp949::encode(QString(QString::number(m_type) + u';' + m_payload));
}

bool Datagram::needsHandshake(int type)
{
    return type == Text || (type >= PresenceAnswer && type <= PresenceEcho) || (type >= Presence && type <= PresenceRelease);
}

} // namespace asv
