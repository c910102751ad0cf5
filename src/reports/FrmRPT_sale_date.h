#pragma once

#include "PeriodCustomerReceiver.h"
#include "PeriodListWindow.h"

class QComboBox;

namespace asv {

class ChargeFilter;
class HCText;
class ucFindBox;

// The daily sales report: every sale line of the period and filters, a subtotal after each date
// and the grand total at the end.
class FrmRPT_sale_date : public PeriodListWindow, public PeriodCustomerReceiver {
    Q_OBJECT
public:
    explicit FrmRPT_sale_date(QWidget* parent = nullptr);

    void Refresh_Sheet();
    void query() override { Refresh_Sheet(); }
    void showCustomerPeriod(const QString& ccode, const QDate& from, const QDate& to) override;

protected:
    QString printSubtitle() const override;

private:
    ucFindBox* m_fbCust;
    HCText* m_htPSerial;
    HCText* m_htBigo;
    ChargeFilter* m_charge;
    ucFindBox* m_fbProd;
    QComboBox* m_cmbPCls;
};

} // namespace asv
