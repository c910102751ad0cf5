#pragma once

#include "ListWindow.h"

class QCheckBox;
class QLabel;

namespace asv {

class CustomerOrderBox;

// The customer management list: search, the editor for new, changed and copied customers,
// delete, print and spreadsheet export.
class FrmCust_admin : public ListWindow {
    Q_OBJECT
public:
    explicit FrmCust_admin(QWidget* parent = nullptr);

    // The editor saved code: the list is read again and the customer selected.
    void SyncUpdateCust(const QString& code);

protected:
    void fill() override;
    void openEditor(int mode, const QString& code) override;
    bool deleteRecord(const QString& code) override;
    void listChanged() override;

private:
    int columnOf(const QString& field) const;
    void mailCustomer();

    CustomerOrderBox* m_cmbOrderBy;
    QCheckBox* m_chkShowHidden;
    QLabel* m_lblCount;
    QStringList m_fields; // the record-set field of each column
    bool m_tamber;
};

} // namespace asv
