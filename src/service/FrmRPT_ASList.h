#pragma once

#include "PeriodListWindow.h"

class QComboBox;

namespace asv {

class HCText;
class ucFindBox;

// The AS result list: one row per result line with its job, for a period and filters, closed by
// the total "[합 계]" of the billed amounts.
class FrmRPT_ASList : public PeriodListWindow {
    Q_OBJECT
public:
    enum Col {
        ColDate, ColCustName, ColProduct, ColReceptionCode, ColContents, ColCause, ColResult, ColMemo, ColAmount,
        ColCode,
        // Only in the edition that follows deliveries.
        ColModel, ColTelNo, ColAddress1, ColAddress2, ColSendDate, ColCount
    };

    explicit FrmRPT_ASList(QWidget* parent = nullptr);

    void query() override;

protected:
    // deliveries: the list of the edition that follows deliveries, under its own name: the period
    // is on the delivery date and each line shows its customer's model, telephone and address.
    FrmRPT_ASList(QWidget* parent, const QString& name, bool deliveries);

private:
    void fillClasses();

    ucFindBox* m_fbCust;
    HCText* m_htPSerial;
    ucFindBox* m_fbProd;
    QComboBox* m_cmbPCls;
    bool m_deliveries;
};

} // namespace asv
