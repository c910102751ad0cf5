#include "CallerIdPacket.h"

#include <QByteArray>
#include <algorithm>
#include <numeric>

namespace asv {

namespace {

constexpr unsigned char kSingle = 0x04;
constexpr unsigned char kMultiple = 0x80;
constexpr int kDateTimeBytes = 8;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

QString text(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes).trimmed();
}

// Single message: date and time, then the number or the reason it is missing (O, P).
QString readSingle(QByteArrayView body)
{
    const QString number = text(body.sliced(kDateTimeBytes));
    return number == u'O' || number == u'P' ? QString() : number;
}

// Multiple message: [type, length, data] parameters filling the body exactly; 02 is the number.
std::optional<QString> readMultiple(QByteArrayView body)
{
    QString number;
    qsizetype i = 0;
    while (i < body.size()) {
        if (i + 2 > body.size())
            return std::nullopt;
        const auto type = static_cast<unsigned char>(body[i]);
        const auto length = static_cast<unsigned char>(body[i + 1]);
        if (i + 2 + length > body.size())
            return std::nullopt;
        if (type == 0x02)
            number = text(body.sliced(i + 2, length));
        i += 2 + length;
    }
    return number;
}

} // namespace

std::optional<QString> CallerIdPacket::number(QByteArrayView hexLine)
{
    const QByteArrayView hex = hexLine.trimmed();
    if (hex.size() < 6 || hex.size() % 2 != 0 || !std::all_of(hex.begin(), hex.end(), isHexDigit))
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromHex(hex.toByteArray());
    const auto type = static_cast<unsigned char>(bytes[0]);
    const auto length = static_cast<unsigned char>(bytes[1]);
    if ((type != kSingle && type != kMultiple) || bytes.size() != length + 3)
        return std::nullopt;
    const int sum = std::accumulate(bytes.cbegin(), bytes.cend(), 0,
                                    [](int s, char c) { return s + static_cast<unsigned char>(c); });
    if (sum % 256 != 0)
        return std::nullopt;
    const QByteArrayView body = QByteArrayView(bytes).sliced(2, length);
    if (type == kMultiple)
        return readMultiple(body);
    if (body.size() < kDateTimeBytes)
        return std::nullopt;
    return readSingle(body);
}

} // namespace asv
