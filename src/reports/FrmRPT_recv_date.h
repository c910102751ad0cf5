#pragma once

#include "PeriodListWindow.h"

namespace asv {

class ChargeFilter;
class ucFindBox;

// The daily receipts report: every payment of the period, a subtotal after each date and the
// grand total; a payment opens for editing from here.
class FrmRPT_recv_date : public PeriodListWindow {
    Q_OBJECT
public:
    enum Col { ColDate, ColCustCode, ColAlias, ColKind, ColAmount, ColDc, ColTotal, ColMemo, ColCode, ColCount };

    explicit FrmRPT_recv_date(QWidget* parent = nullptr);

    void Refresh_Sheet();
    void query() override { Refresh_Sheet(); }

protected:
    QString printSubtitle() const override;

private:
    void editSelected();

    ucFindBox* m_fbCust;
    ChargeFilter* m_charge;
};

} // namespace asv
