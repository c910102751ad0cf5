#pragma once

#include "PickerDialog.h"

namespace asv {

// The user picker: finds users for the code-entry fields and lets the operator choose one.
class FrmLUser_sel : public PickerDialog {
    Q_OBJECT
public:
    explicit FrmLUser_sel(QWidget* parent = nullptr);

    void SyncUpdateLUser(int mode, const QString& code);

    // Makes this picker the one of the find-or-register flow for "담당자".
    static void registerPicker();

protected:
    void fill() override;
    Pick pickOf(int row) const override;
    void openEditor(int mode, const QString& code) override;
};

} // namespace asv
