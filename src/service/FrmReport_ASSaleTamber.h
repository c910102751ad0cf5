#pragma once

#include "PeriodListWindow.h"

class QComboBox;

namespace asv {

class ucFindBox;

// What went out to the customers in a period, for the edition that follows deliveries: AS result
// lines by their delivery date and sales by their sale date in one list, filtered by product
// class, product and customer (each chosen or typed).
class FrmReport_ASSaleTamber : public PeriodListWindow {
    Q_OBJECT
public:
    enum Col { ColKind, ColDate, ColCustName, ColModel, ColTelNo, ColAddress1, ColAddress2, ColProduct, ColCode };

    explicit FrmReport_ASSaleTamber(QWidget* parent = nullptr);

    void query() override;

private:
    QComboBox* m_cmbPCls;
    ucFindBox* m_fbProd;
    ucFindBox* m_fbCust;
};

} // namespace asv
