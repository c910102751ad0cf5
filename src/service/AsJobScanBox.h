#pragma once

#include <QLineEdit>
#include <functional>

namespace asv {

class Grid;

// The AS ledger's job-number search: a number typed, or scanned from a ticket by the barcode
// reader (which types it followed by Enter), opens that job's reception.
class AsJobScanBox : public QLineEdit {
    Q_OBJECT
public:
    // jobAt: the job number of a list row; ledger: the window whose row is rewritten after a save.
    AsJobScanBox(QWidget* ledger, Grid* list, std::function<int(int row)> jobAt);

    // Opens the job; false when the text is no job number or there is no such job.
    bool openJob(const QString& text);

private:
    QWidget* m_ledger;
    Grid* m_list;
    std::function<int(int row)> m_jobAt;
};

} // namespace asv
