#pragma once

#include <QString>

namespace asv {

class Grid;

// The result line of the grid's active row, deleted after the operator confirms; the store takes
// the line's charge off the job's customer with it. Both screens that list a job's lines delete
// through here. True when the line went.
bool DeleteActiveResultLine(Grid* lines, int seqColumn, int job, const QString& form);

} // namespace asv
