#pragma once

#include <QDialog>
#include <QMap>

class QPushButton;

namespace asv {

class HCText;

// The company record (office, code 1): name, registration number, address and contacts.
class FrmOffice_save : public QDialog {
    Q_OBJECT
public:
    explicit FrmOffice_save(QWidget* parent = nullptr);

    // The field of a column of office.
    HCText* field(const QString& column) const { return m_fields.value(column); }

signals:
    // After a save, for the main window's title.
    void companyNameChanged(const QString& name);

private:
    void DispRec();
    void save();
    void checkRegistrationNumber();
    void findZipcode();

    QMap<QString, HCText*> m_fields;
    QPushButton* m_btnSave;
    QPushButton* m_btnClose;
    QPushButton* m_btnZipcode;
};

} // namespace asv
