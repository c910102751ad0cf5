#pragma once

#include "PickerDialog.h"

class QCheckBox;
class QListWidget;

namespace asv {

// The product picker: the products of one class or of all, searched by barcode, name, norm or
// memo, from which another screen takes one product.
class FrmProd_sel : public PickerDialog {
    Q_OBJECT
public:
    explicit FrmProd_sel(QWidget* parent = nullptr);

    void SyncUpdateProd(const QString& code);
    // The classes of the left list read again.
    void Refresh_SheetP();

    // Makes this picker and the product editor the ones of the find-or-register flow for "상품".
    static void registerPicker();

protected:
    void fill() override;
    Pick pickOf(int row) const override;
    void openEditor(int mode, const QString& code) override;

private:
    QListWidget* m_lstClass;
    QCheckBox* m_chkAllPList;
};

} // namespace asv
