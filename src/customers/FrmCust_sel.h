#pragma once

#include "PickerDialog.h"

#include <QPointer>

class QCheckBox;
class QComboBox;

namespace asv {

class hclimit;

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
    QString pickOf(int row) const override;
    void openEditor(int mode, const QString& code) override;
    bool handOver(const QString& pick) override;

private:
    void orderChosen();
    void viewNameToggled(bool on);

    QComboBox* m_cmbOrderBy;
    QCheckBox* m_chkViewCName;
    hclimit* m_hcLimit;
    QPointer<QWidget> m_calledForm;
    bool m_tamber;
};

} // namespace asv
