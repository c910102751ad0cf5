#include "SqlNumber.h"

#include "AppError.h"

#include <QLocale>
#include <cmath>

using namespace Qt::StringLiterals;

namespace asv {

QString SqlNumber(double value)
{
    if (!std::isfinite(value))
        throw AppError(6, u"SqlNumber"_s, u"숫자로 쓸 수 없는 값입니다."_s);
    if (value == 0.0)
        return u"0"_s; // also for -0
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

} // namespace asv
