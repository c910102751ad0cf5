#pragma once

#include "OptionsDialog.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace asv {

class HCText;

// The options shared by every PC of the company (table options).
class frmOptions : public OptionsDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    // The window name of the sales slip, whose open screen keeps the old quantity limit.
    static QString salesSlipWindow() { return QStringLiteral("FrmSlip_sale"); }

protected:
    bool writeChanges() override;

private:
    void ReadValue();
    int taxCalcType() const;

    QList<QComboBox*> m_cmbDecNum;
    QComboBox* m_cmbBarcodeLen;
    QList<QRadioButton*> m_optTaxCalcType; // by value: 0 truncate, 1 round half up, 2 round up
    QList<QCheckBox*> m_chkCngBasicUnit;
    QList<QCheckBox*> m_chkStockAlert;
    HCText* m_htQntLimit;
};

} // namespace asv
