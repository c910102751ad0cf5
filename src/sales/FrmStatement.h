#pragma once

#include "Statement.h"

#include "DocumentPrinter.h"

#include <QWidget>

class QCheckBox;
class QLabel;

namespace asv {

class FrmSlip_sale;
class Grid;
class HCTerm;
class ucFindBox;

// "거래명세표 발행": a customer's statement of a period, or of lines chosen on the sales slip;
// preview, printer, PDF file, or a PDF mailed to the customer.
class FrmStatement : public QWidget {
    Q_OBJECT
public:
    explicit FrmStatement(QWidget* parent = nullptr);

    // The chosen lines of the slip, or the day of its current line.
    static void openFromSlip(FrmSlip_sale* slip);

    void showPeriod(const QString& ccode, const QString& from, const QString& to);
    void showLines(const QString& ccode, const QList<int>& codes);
    const Statement& statement() const { return m_statement; }

    // Pdf without a path asks for the file.
    bool output(DocumentPrinter::Output kind, const QString& path = {});
    // Writes the PDF under Doc and opens the mail screen with it; false when nothing was written.
    bool mail();

private:
    void query();
    void showStatement();
    bool hasLines() const;

    ucFindBox* m_fbCust;
    HCTerm* m_hmDate;
    QCheckBox* m_chkCopyPerPage;
    Grid* m_list;
    QLabel* m_lblSum;
    QList<int> m_codes; // chosen lines; empty for the period
    Statement m_statement;
};

} // namespace asv
