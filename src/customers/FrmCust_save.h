#pragma once

#include "CustomerRecord.h"
#include "FieldControls.h"
#include "RecordEditor.h"

#include <functional>

class QComboBox;
class QPushButton;

namespace asv {

class FrmCust_addTel;
class HCText;
class ucFindBox;

// The customer editor: a new customer, an existing one, or a copy of one as a new customer.
class FrmCust_save : public RecordEditor {
    Q_OBJECT
public:
    explicit FrmCust_save(QWidget* parent = nullptr);

    // Opens over opener without blocking it; syncUpdateCust is told the code after every save.
    // The editor deletes itself when closed.
    static FrmCust_save* openOver(QWidget* opener, int mode, const QString& code = {},
                                  std::function<void(const QString& code)> syncUpdateCust = {});
    // A new customer from the find-or-register flow, modal; the saved one or an empty pick.
    static Pick registerNew(QWidget* parent, const QString& name);

    // The field of a column of customer (telno2..telno4 live in the companion window).
    HCText* field(const QString& column) const { return m_controls.text(column); }
    FrmCust_addTel* addTel() const { return m_addTel; }

private:
    void clearFields() override;
    void loadRecord(const QString& code) override;
    void startNew(const QString& name) override;
    void startCopy() override;
    void modeChanged() override;
    bool checkBeforeSave() override;
    int writeRecord() override;
    Pick savedRecord() const override;

    void showRecord(const CustomerRecord& customer);
    CustomerRecord fromFields() const;
    void codeLeft();
    void nameLeft();
    void zipcodeEdited();
    void zipcodeKeyDown(int key);
    void findZipcode();
    void mailCustomer();
    void showAddTel();

    FieldControls<CustomerRecord> m_controls;
    FrmCust_addTel* m_addTel;
    ucFindBox* m_fbUser;
    QComboBox* m_cmbVATType;
    QPushButton* m_btnTelAdd;
    QPushButton* m_btnZipcode;
    QPushButton* m_btnEMail;
    double m_loadedBase = 0;
    CustomerRecord m_record;
};

} // namespace asv
