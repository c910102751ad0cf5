#include "CallerIdAmiReader.h"

namespace asv {

namespace {

// A message never has this many headers; past it the stream is noise and is dropped.
constexpr qsizetype kMaxHeaders = 256;

} // namespace

std::optional<CallerIdAmiReader::Message> CallerIdAmiReader::feed(QByteArrayView line)
{
    const QString text = QString::fromUtf8(line).trimmed();
    if (text.isEmpty()) {
        if (m_pending.isEmpty())
            return std::nullopt;
        return std::exchange(m_pending, {});
    }
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    if (m_pending.size() >= kMaxHeaders)
        m_pending.clear();
    m_pending.insert(text.left(colon).trimmed().toLower(), text.mid(colon + 1).trimmed());
    return std::nullopt;
}

} // namespace asv
