#pragma once

#include "PaintedDocument.h"
#include "Statement.h"

namespace asv {

// The statement on A4: the recipient's and the supplier's copy, both on one sheet or each on a
// page of its own; lines that do not fit continue on further sheets, the sums on the last.
class StatementLayout : public PaintedDocument {
public:
    StatementLayout(Statement statement, bool copyPerPage);

    static QPageLayout defaultPageLayout();
    const Statement& statement() const { return m_statement; }
    // Lines one copy holds on a sheet.
    int linesPerCopy() const;

    int pageCount() const override;
    void paintPage(QPainter& painter, int page) const override;

    // Numbers as the sales slip shows them.
    static QString qtyText(double v);
    static QString priceText(double v);
    static QString amountText(double v);

private:
    int chunks() const;
    double copyHeight() const;
    void paintCopy(QPainter& painter, const QRectF& area, bool supplierCopy, int chunk) const;
    double paintParties(QPainter& painter, const QRectF& area) const;

    Statement m_statement;
    bool m_copyPerPage;
};

} // namespace asv
