#pragma once

#include "AsJobReceivers.h"
#include "AsJobRecord.h"
#include "CustomerPickReceiver.h"
#include "RecordEditor.h"

class QComboBox;
class QLabel;

namespace asv {

class HCText;
class hcDate;
class ucFindBox;

// The reception of an AS job: who reports what about which product, the visit wanted and
// planned, and the staff member in charge. A job's number is known from its first save on.
class FrmAS_save : public RecordEditor, public CustomerPickReceiver, public AsProductReceiver {
    Q_OBJECT
public:
    explicit FrmAS_save(QWidget* parent = nullptr);

    // The customer (and the product) the opener already knows.
    void ShowPickedCustomer(const QString& code) override;
    void presetProduct(const QString& pcode) override;
    // Shows telephone and address of the customer in the customer box.
    void public_DisplayCustInfo();
    // The job as last saved or loaded.
    int jobCode() const;

private:
    void clearFields() override;
    void loadRecord(const QString& code) override;
    void startNew(const QString&) override {}
    bool checkBeforeSave() override;
    int writeRecord() override;
    Pick savedRecord() const override;

    void productChosen();
    void openCodeScreen();
    AsJobRecord fromFields() const;

    QLabel* m_lblCode;
    QLabel* m_lblDate;
    QLabel* m_lblTime;
    QLabel* m_lblDealDam;
    QLabel* m_lblCustInfo[2];
    ucFindBox* m_fbCust;
    ucFindBox* m_fbProd;
    ucFindBox* m_fbUser;
    QComboBox* m_combo;
    HCText* m_contents;
    HCText* m_serial;
    hcDate* m_visitDate[2];
    HCText* m_visitTime[2];
};

} // namespace asv
