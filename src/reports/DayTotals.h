#pragma once

#include <QList>

namespace asv {

class GridModel;

// Closes every date of a period list with a "[소 계]" row and the list with a "[합 계]" row, both
// labelled in the date column and summing the summed columns. The rows come sorted by date.
void AddDayTotals(GridModel& cells, int dateColumn, const QList<int>& summedColumns);

} // namespace asv
