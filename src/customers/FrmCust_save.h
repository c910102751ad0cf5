#pragma once

#include "CustomerRecord.h"

#include <QDialog>
#include <QMap>
#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace asv {

class FrmCust_addTel;
class HCText;
class ucFindBox;

// The customer editor: a new customer, an existing one, or a copy of one as a new customer.
class FrmCust_save : public QDialog {
    Q_OBJECT
public:
    enum Mode { NewRecord = 1, EditRecord = 2, CopyRecord = 3 };

    explicit FrmCust_save(QWidget* parent = nullptr);

    // Mode 1 takes text as the name of the new customer; mode 2 loads the customer whose code
    // text is; mode 3 loads it and goes on as a new customer with the same details.
    void SetFormMode(int mode, const QString& text = {});
    int mode() const { return m_mode; }

    // The opener's refresh, called with the code after every save.
    void setSyncUpdateCust(std::function<void(const QString& code)> callback);
    // The code saved last ("" before the first save).
    QString savedCode() const { return m_savedCode; }
    // The customer saved last in mode 1 as code + QChar(0) + compname, for the find-or-register flow.
    QString AddedRec() const { return m_addedRec; }

    // Opens over opener without blocking it; the editor deletes itself when closed.
    static FrmCust_save* openOver(QWidget* opener, int mode, const QString& code = {},
                                  std::function<void(const QString& code)> syncUpdateCust = {});
    // A new customer from the find-or-register flow, modal; its AddedRec or "".
    static QString registerNew(QWidget* parent, const QString& name);

    // The field of a column of customer (telno2..telno4 live in the companion window).
    HCText* field(const QString& column) const;
    FrmCust_addTel* addTel() const { return m_addTel; }

signals:
    void saved(const QString& code);

private:
    void DispRec(const QString& code);
    void clearFields();
    CustomerRecord fromFields() const;
    void showRecord(const CustomerRecord& customer);
    void save();
    bool trySave();
    bool refuseUnencodable();
    void autoCodeClicked(bool on);
    void applyAutoCode();
    void codeLeft();
    void codeKeyPressed();
    void nameLeft();
    void checkRegistrationNumber();
    void zipcodeEdited();
    void zipcodeKeyDown(int key);
    void showAddTel();
    void findZipcode();
    void setCodeLocked(bool locked);

    QMap<QString, HCText*> m_fields;
    FrmCust_addTel* m_addTel;
    ucFindBox* m_fbUser;
    QComboBox* m_cmbVATType;
    QCheckBox* m_chkHidden;
    QCheckBox* m_chkAutoCode;
    QCheckBox* m_chkContinueAdd;
    QPushButton* m_btnSave;
    QPushButton* m_btnTelAdd;
    QPushButton* m_btnZipcode;
    QPushButton* m_btnClose;
    int m_mode = NewRecord;
    double m_loadedBase = 0;
    QString m_savedCode;
    QString m_addedRec;
    std::function<void(const QString&)> m_syncUpdateCust;
};

} // namespace asv
