#pragma once

#include "PeriodListWindow.h"

namespace asv {

class ucFindBox;

// "세금계산서 발행": electronic tax invoices are issued on the tax office's service, so this screen
// says so and offers what the desk can give instead: the statement, or the period's invoiced
// slip lines (the slip's V column) as a spreadsheet to reconcile with the issued invoices.
class FrmTaxInvoice : public PeriodListWindow {
    Q_OBJECT
public:
    explicit FrmTaxInvoice(QWidget* parent = nullptr);

    void query() override;
    static QString noticeText();

private:
    void openStatement();

    ucFindBox* m_fbCust;
};

} // namespace asv
