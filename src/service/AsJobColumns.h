#pragma once

#include "GridModel.h"

#include <QList>
#include <QStringList>
#include <array>

namespace asv {

// The columns of the job lists (the ledger and the status screen): their captions and how each
// shows a row of the job query, for a loaded list and for a row written later.
class AsJobColumns {
public:
    enum Col {
        Received, CustCode, CustName, Product, State, ReceptionCode, Contents, Receiver, Charge, VisitRequested,
        VisitPlanned, Completed, Results, Code,
        // Only the ledger of the edition that follows deliveries reads these.
        ModelName, TelNo, Address1, Address2, SendDates, Count
    };

    // Rows of a job list by state: waiting (any state but confirmed and completed), confirmed,
    // completed.
    using StateCounts = std::array<int, 3>;

    // Every column of the job lists up to the job number; the customer's and the delivery columns
    // after it in the edition that follows deliveries.
    static QList<Col> ledger(bool deliveries);
    // The list shows these columns in this order.
    static void define(GridModel& cells, const QList<Col>& shown);
    // Writes the row from row sourceRow of a job query result.
    static void write(GridModel& cells, int row, const QList<Col>& shown, const RecordSet& rs, int sourceRow);
    // Colours the state cells of the loaded rows (blue confirmed, red completed) and counts them.
    static StateCounts colourStates(GridModel& cells, int stateColumn);
    // Where a row showing this state is counted.
    static size_t countedAs(const QString& shownState);
    static QColor stateColour(int state);
};

} // namespace asv
