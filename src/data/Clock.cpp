#include "Clock.h"

namespace asv {

std::optional<QDateTime> Clock::s_fixed;

QDateTime Clock::now()
{
    return s_fixed ? *s_fixed : QDateTime::currentDateTime();
}

void Clock::setFixed(const QDateTime& at)
{
    s_fixed = at;
}

void Clock::clearFixed()
{
    s_fixed.reset();
}

} // namespace asv
