#include "Statement.h"

namespace asv {

double Statement::amount() const
{
    double sum = 0;
    for (const StatementLine& line : lines)
        sum += line.amount;
    return sum;
}

double Statement::tax() const
{
    double sum = 0;
    for (const StatementLine& line : lines)
        sum += line.tax;
    return sum;
}

} // namespace asv
