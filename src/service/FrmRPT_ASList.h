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
        ColCode, ColCount
    };

    explicit FrmRPT_ASList(QWidget* parent = nullptr);

    void query() override;

private:
    void fillClasses();

    ucFindBox* m_fbCust;
    HCText* m_htPSerial;
    ucFindBox* m_fbProd;
    QComboBox* m_cmbPCls;
};

} // namespace asv
