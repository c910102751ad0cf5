#pragma once

#include "FieldControls.h"
#include "ProductRecord.h"
#include "RecordEditor.h"

class QCheckBox;
class QComboBox;

namespace asv {

// The product editor: a new product, an existing one, or a copy of one as a new product.
class FrmProd_save : public RecordEditor {
    Q_OBJECT
public:
    explicit FrmProd_save(QWidget* parent = nullptr);

    HCText* field(const QString& column) const { return m_controls.text(column); }
    // After a new product was saved: code, name, norm, barcode, sale price and unit joined by NUL.
    QString addedRecText() const { return m_addedText; }

private:
    // The record in the fields: a fresh one (a name typed elsewhere, a copy, the next one kept from
    // the last) or a loaded one.
    void clearFields() override;
    void startNew(const QString& name) override;
    void startCopy() override;
    void startNextEntry() override;
    void loadRecord(const QString& code) override;
    // The save.
    bool checkBeforeSave() override;
    int writeRecord() override;
    Pick savedRecord() const override;

    void fillCombos();
    void applyOptions();
    void applyAutoBoxes();
    void applySkipBarcode();
    void refuseTypingWhenAuto(QCheckBox* autoBox);
    void barcodeEntered(int key);
    void barcodeLeft();
    void nameNormLeft();
    ProductRecord fromFields() const;

    FieldControls<ProductRecord> m_controls;
    QCheckBox* m_chkAutoBarcode;
    QCheckBox* m_chkBCodeChkDGT;
    QCheckBox* m_chkSkipCode;
    QComboBox* m_cmbField;
    QComboBox* m_cmbUnit;
    QComboBox* m_cmbVATType;
    QString m_loadedName;
    QString m_loadedNorm;
    ProductRecord m_record;
    QString m_codePrefix; // what the operator typed of a new product's code
    // A new product's code typed short is completed from the next free number.
    bool codeIsGenerated() const;
    QString m_addedText;
};

} // namespace asv
