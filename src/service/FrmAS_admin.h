#pragma once

#include "AsJobColumns.h"
#include "AsJobWindows.h"
#include "CustomerPickReceiver.h"
#include "PeriodListWindow.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QListWidget;

namespace asv {

class ucFindBox;

// The AS ledger: the jobs of a period with their state (every column of AsJobColumns), added,
// edited and deleted here, their results opened from the "결과등록" cell, and the selected job's
// customer shown beside the list with contacts and purchases.
class FrmAS_admin : public PeriodListWindow, public AsJobSync, public CustomerPickReceiver {
    Q_OBJECT
public:
    explicit FrmAS_admin(QWidget* parent = nullptr);

    void query() override;
    void SyncUpdateAS(QWidget* dialog, int mode) override;
    void SyncUpdateJob(int job) override;
    // Opened for a customer: the list shows that customer's jobs.
    void ShowPickedCustomer(const QString& code) override;

    void addJob();
    void editJob();
    void deleteSelected();
    void openResults(int row);
    void openPayment();

protected:
    // deliveries: the ledger of the edition that follows deliveries, under its own name (and so
    // its own saved layout).
    FrmAS_admin(QWidget* parent, const QString& name, bool deliveries);

private:
    void showCustomer(int row);
    int jobAt(int row) const;
    // Writes row (a new last row when it is past the end) from the job as the server has it;
    // false when the job is gone.
    bool writeJob(int job, int row);
    // The footer from m_counts.
    void showCounts();

    QComboBox* m_cmbDateType;
    ucFindBox* m_fbCust;
    ucFindBox* m_fbUser;
    QComboBox* m_cmbState;
    QLabel* m_labTotal;
    ucFindBox* m_fbCustInfo;
    QFormLayout* m_custInfo;
    QListWidget* m_lstSale;
    bool m_deliveries;
    QList<AsJobColumns::Col> m_columns;
    // Of the rows listed now: counted at the query, then kept by every row written or deleted.
    AsJobColumns::StateCounts m_counts{};
};

} // namespace asv
