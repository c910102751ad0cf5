#pragma once

#include "ReceiveStore.h"

#include <QDialog>

namespace asv {

class Grid;
class HCTerm;
class ucFindBox;

// The payment list of a period, for one customer or all: a payment is chosen for editing, or
// payments are deleted and their amounts go back onto the customers' balances.
class FrmRecv_sel : public QDialog {
    Q_OBJECT
public:
    explicit FrmRecv_sel(QWidget* parent = nullptr);

    // Lists the payments of this customer (all customers for an empty code).
    void setCustomer(const QString& ccode);

    // Reads the list and says so when nothing was found; the number of rows.
    int FindRecords();
    int Refresh_Sheet();
    // The code of the chosen payment; 0 before one was chosen.
    int Result() const { return m_result; }
    void RecDelete();

    QSize sizeHint() const override { return {900, 520}; }

private:
    void choose();
    QList<int> selectedCodes() const;

    ReceiveStore m_store;
    HCTerm* m_hmDate;
    ucFindBox* m_fbCust;
    Grid* m_spList;
    int m_result = 0;
};

} // namespace asv
