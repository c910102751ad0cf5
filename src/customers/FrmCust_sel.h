#pragma once

#include "PickerDialog.h"

#include <QPointer>

class QCheckBox;

namespace asv {

class CustomerOrderBox;

// The customer picker: a compact search list from which another screen takes one customer.
class FrmCust_sel : public PickerDialog {
    Q_OBJECT
public:
    explicit FrmCust_sel(QWidget* parent = nullptr);

    // The window that asked; a CustomerPickReceiver is handed the pick instead of getting it back.
    void SetCalledForm(QWidget* form) { m_calledForm = form; }

    void SyncUpdateCust(const QString& code);

    // Makes this picker the one of the find-or-register flow for "고객".
    static void registerPicker();

protected:
    void fill() override;
    Pick pickOf(int row) const override;
    void openEditor(int mode, const QString& code) override;
    bool handOver(const Pick& pick) override;

private:
    void viewNameToggled(bool on);

    CustomerOrderBox* m_cmbOrderBy;
    QCheckBox* m_chkViewCName;
    QPointer<QWidget> m_calledForm;
    bool m_tamber;
};

} // namespace asv
