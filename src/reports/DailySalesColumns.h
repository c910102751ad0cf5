#pragma once

#include "RecordSetPtr.h"

namespace asv {

class GridModel;

// The columns of the daily sales report, shared by its window and the command line so that both
// show the same rows.
class DailySalesColumns {
public:
    enum Col {
        Date, CustCode, Alias, ProductName, Norm, Unit, Quantity, Price, Amount, Tax, Total, Memo, Serial, Code,
        Receiver, Count
    };

    // Captions, number formats and where each column reads the sale line.
    static void setUp(GridModel& cells);
    // The lines with their day totals and the grand total.
    static void fill(GridModel& cells, const RecordSetPtr& lines);
};

} // namespace asv
