#pragma once

#include "PeriodListWindow.h"

#include <memory>

class QCheckBox;

namespace asv {

class GridPrinter;
class LedgerMerge;
class ucFindBox;

// The customer ledger: per customer the balance carried forward, every sale line, charged AS item
// and payment of the period with the running balance, and its subtotal; the grand total last.
class FrmRPT_ledger : public PeriodListWindow {
    Q_OBJECT
public:
    explicit FrmRPT_ledger(QWidget* parent = nullptr);
    ~FrmRPT_ledger() override;

    void query() override { Refresh_Sheet(); }
    void Refresh_Sheet();
    void printList() override;

    // "기간: <from> ~ <to>", or "전체" without the period.
    QString periodHeading() const;
    // The rows shown; null before a query and after a failed one.
    const LedgerMerge* ledger() const { return m_ledger.get(); }

private:
    void showRows();
    GridPrinter printer() const;
    // The chosen customer's ledger as shown, attached to a mail to that customer.
    void mailLedger();

    QCheckBox* m_chkTerm;
    ucFindBox* m_fbCust;
    std::shared_ptr<LedgerMerge> m_ledger;
};

} // namespace asv
