#include "BiffCursor.h"

#include <QtEndian>
#include <cstring>

namespace asv {

BiffCursor::BiffCursor(QList<QByteArrayView> parts) : m_parts(std::move(parts))
{
}

void BiffCursor::nextPartIfDone()
{
    while (m_part < m_parts.size() && m_pos >= m_parts[m_part].size()) {
        ++m_part;
        m_pos = 0;
    }
}

bool BiffCursor::atEnd() const
{
    for (qsizetype p = m_part; p < m_parts.size(); ++p) {
        if ((p == m_part ? m_parts[p].size() - m_pos : m_parts[p].size()) > 0)
            return false;
    }
    return true;
}

const char* BiffCursor::take(qsizetype count)
{
    nextPartIfDone();
    if (m_part < m_parts.size() && m_parts[m_part].size() - m_pos >= count) {
        const char* at = m_parts[m_part].data() + m_pos;
        m_pos += count;
        return at;
    }
    m_scratch.resize(count);
    for (qsizetype done = 0; done < count;) {
        nextPartIfDone();
        if (m_part >= m_parts.size())
            throw Overrun{};
        const qsizetype n = std::min(count - done, m_parts[m_part].size() - m_pos);
        std::memcpy(m_scratch.data() + done, m_parts[m_part].data() + m_pos, static_cast<size_t>(n));
        m_pos += n;
        done += n;
    }
    return m_scratch.constData();
}

quint8 BiffCursor::u8()
{
    return static_cast<quint8>(*take(1));
}

quint16 BiffCursor::u16()
{
    return qFromLittleEndian<quint16>(take(2));
}

quint32 BiffCursor::u32()
{
    return qFromLittleEndian<quint32>(take(4));
}

double BiffCursor::f64()
{
    const quint64 bits = qFromLittleEndian<quint64>(take(8));
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void BiffCursor::skip(qsizetype count)
{
    while (count > 0) {
        nextPartIfDone();
        if (m_part >= m_parts.size())
            throw Overrun{};
        const qsizetype n = std::min(count, m_parts[m_part].size() - m_pos);
        m_pos += n;
        count -= n;
    }
}

QString BiffCursor::unicodeString(int countBytes)
{
    qsizetype remaining = countBytes == 1 ? u8() : u16();
    quint8 flags = u8();
    const qsizetype runs = (flags & 0x08) ? u16() : 0;
    const qsizetype phonetic = (flags & 0x04) ? u32() : 0;
    bool wide = flags & 0x01;

    QString text;
    text.reserve(remaining);
    while (remaining > 0) {
        if (m_part < m_parts.size() && m_pos >= m_parts[m_part].size()) {
            // The characters go on in the next CONTINUE, which says afresh how wide they are.
            ++m_part;
            m_pos = 0;
            if (m_part >= m_parts.size() || m_parts[m_part].isEmpty())
                throw Overrun{};
            wide = u8() & 0x01;
        }
        if (m_part >= m_parts.size())
            throw Overrun{};
        const qsizetype available = (m_parts[m_part].size() - m_pos) / (wide ? 2 : 1);
        if (available == 0)
            throw Overrun{};
        const qsizetype n = std::min(remaining, available);
        const char* at = m_parts[m_part].data() + m_pos;
        if (wide) {
            for (qsizetype i = 0; i < n; ++i)
                text += QChar(qFromLittleEndian<quint16>(at + i * 2));
        } else {
            text += QLatin1StringView(at, n);
        }
        m_pos += n * (wide ? 2 : 1);
        remaining -= n;
    }
    skip(runs * 4 + phonetic);
    return text;
}

QString BiffCursor::byteString(int countBytes, QStringDecoder& codePage)
{
    const qsizetype count = countBytes == 1 ? u8() : u16();
    const char* bytes = take(count);
    return codePage.decode(QByteArrayView(bytes, count));
}

} // namespace asv
