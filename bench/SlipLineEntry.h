#pragma once

#include "SaleLineEdit.h"

#include <QString>

// The sales slip's work for one line typed into its empty row, without the window: the day, then
// a barcode, which finds the product, prices and stores the line with the balance and reads the
// month's sums again.
class SlipLineEntry {
public:
    // As the slip opens on a customer's month ("yyyy-MM"): the customer's salesperson.
    SlipLineEntry(const QString& ccode, const QString& month);

    // False when the slip would refuse the line or the store failed.
    bool enter(const QString& day, const QString& barcode);

private:
    QString m_ccode;
    QString m_month;
    QString m_charge;
    asv::SaleLineEdit::Catalogue m_catalogue;
};
