#pragma once

#include "CustomerPickReceiver.h"
#include "ReceiveRecord.h"
#include "ReceiveRules.h"
#include "ReceiveStore.h"
#include "RecordEditor.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace asv {

class HCText;
class hcDate;
class ucFindBox;

// The payment entry: a new payment, or an edit of one (mode 2, keyed by its code), with the
// customer's receivable before and after it.
class FrmSlip_recv : public RecordEditor, public CustomerPickReceiver {
    Q_OBJECT
public:
    explicit FrmSlip_recv(QWidget* parent = nullptr);

    void ShowPickedCustomer(const QString& code) override;

private:
    void clearFields() override;
    void loadRecord(const QString& code) override;
    // A new payment for the customer whose code this is.
    void startNew(const QString& ccode) override;
    void modeChanged() override;
    bool checkBeforeSave() override;
    int writeRecord() override;
    Pick savedRecord() const override;

    void customerChosen();
    // The receivable before this payment, read again when customer, date or base-day box change.
    void readPreviousBalance();
    void showBalances();
    void applySkips();
    void openList();
    void startCalculator();
    ReceiveRules::Typed typed() const;

    ReceiveStore m_store;
    hcDate* m_hdField;
    ucFindBox* m_fbCust;
    ucFindBox* m_fbUser;
    HCText* m_txtAmount;
    HCText* m_txtDC;
    QComboBox* m_cmbCashType;
    HCText* m_txtBigo;
    QLabel* m_pnlCustName;
    QLabel* m_pnlCustBigo;
    QLabel* m_pnlPrevBaln;
    QLabel* m_pnlTotal;
    QLabel* m_pnlCurBaln;
    QCheckBox* m_chkBaseDay;
    QCheckBox* m_chkSkipAmt;
    QCheckBox* m_chkSkipDC;
    // As loaded for editing: what the balance correction and the statement number reset go by.
    ReceiveRecord m_loaded;
    int m_savedCode = 0;
    double m_previous = 0;
};

} // namespace asv
