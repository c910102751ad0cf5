#pragma once

#include "PaintedDocument.h"

#include <QString>
#include <optional>

namespace asv {

// The ticket stuck on a device received for repair: the job number as a barcode (scanned back
// into the AS ledger), who brought it and what is wrong with it.
class AsTicket : public PaintedDocument {
public:
    struct Job {
        int code = 0;
        QString customer;
        QString tel;
        QString product;
        QString serial;
        QString symptom;
        QString received; // yyyy-MM-dd HH:mm
        QString company;  // the shop, at the foot
        QString companyTel;
    };

    explicit AsTicket(Job job);

    // The job as the ticket shows it; nullopt when there is no such job. Throws DbError.
    static std::optional<Job> load(int code);
    // What the barcode holds: the job number, digits only, read back by the ledger's search.
    static QString barcodeText(int code) { return QString::number(code); }
    static QPageLayout defaultPageLayout();

    const Job& job() const { return m_job; }
    int pageCount() const override { return 1; }
    void paintPage(QPainter& painter, int page) const override;

private:
    Job m_job;
};

} // namespace asv
