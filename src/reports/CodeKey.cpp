#include "CodeKey.h"

#include "Cp949.h"

#include <algorithm>

namespace asv {

QString CodeKey::of(const QString& code)
{
    qsizetype end = code.size();
    while (end > 0 && code.at(end - 1) == u' ')
        --end;
    const QString kept = end == code.size() ? code : code.left(end);
    return std::any_of(kept.cbegin(), kept.cend(), [](QChar c) { return c.isLower(); }) ? kept.toUpper() : kept;
}

QByteArray CodeKey::ofBytes(QByteArrayView code)
{
    qsizetype end = code.size();
    while (end > 0 && code[end - 1] == ' ')
        --end;
    const QByteArrayView kept = code.first(end);
    bool lower = false;
    for (const char c : kept) {
        // Case rules beyond ASCII are the decoded text's.
        if (static_cast<unsigned char>(c) >= 0x80)
            return of(Cp949::decode(code.data(), code.size())).toUtf8();
        lower = lower || (c >= 'a' && c <= 'z');
    }
    return lower ? kept.toByteArray().toUpper() : QByteArray::fromRawData(kept.data(), kept.size());
}

} // namespace asv
