#include "CodeKey.h"

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

} // namespace asv
