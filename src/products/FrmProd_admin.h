#pragma once

#include "ListWindow.h"
#include "ProductStore.h"

class QCheckBox;
class QComboBox;

namespace asv {

class HCText;

// The product management list: search by class and key, the editor for new, changed and copied
// products, the class editor, the default unit of new products, delete, print and export.
class FrmProd_admin : public ListWindow {
    Q_OBJECT
public:
    explicit FrmProd_admin(QWidget* parent = nullptr);

    // The editor saved code: the list is read again and the product selected.
    void SyncUpdateProd(const QString& code) { refreshAfterSave(code); }

private:
    void fill() override;
    QString printSubtitle() const override;
    void openEditor(int mode, const QString& code) override;
    bool deleteRecord(const QString& code) override { return ProductStore().remove(code); }
    void fillClasses();
    void openClasses();

    QComboBox* m_cmbClass;
    QCheckBox* m_chkShowHidden;
    HCText* m_txtBasicUnit;
};

} // namespace asv
