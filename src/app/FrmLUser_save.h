#pragma once

#include "UserRecord.h"

#include <QDialog>
#include <QMap>

class QCheckBox;
class QPushButton;

namespace asv {

class HCText;

// The user editor. Only the administrator adds users or changes another user's data; everybody
// may change his own password.
class FrmLUser_save : public QDialog {
    Q_OBJECT
public:
    enum Mode { NewRecord = 1, EditRecord = 2 };

    explicit FrmLUser_save(QWidget* parent = nullptr);

    // Mode 1 takes text as the name of the new user; mode 2 loads the user whose code it is.
    void SetFormMode(int mode, const QString& text = {});
    int mode() const { return m_mode; }
    // The user saved last in mode 1 as code + QChar(0) + name, for the find-or-register flow.
    QString AddedRec() const { return m_addedRec; }

    // Opens over opener without blocking it; the opener connects saved to its refresh.
    static FrmLUser_save* openOver(QWidget* opener, int mode, const QString& code = {});
    // A new user from the find-or-register flow, modal; its AddedRec or "".
    static QString registerNew(QWidget* parent, const QString& name);

    HCText* field(const QString& name) const { return m_fields.value(name); }

signals:
    // The opener's SyncUpdateLUser.
    void saved(int mode, const QString& code);

private:
    void DispRec(const QString& code);
    void clearFields();
    void applyRights();
    void save();
    bool trySave();
    UserRecord fromFields() const;
    void codeLeft();
    void codeKeyPressed();
    void findZipcode();

    QMap<QString, HCText*> m_fields;
    QCheckBox* m_chkPDA;
    QCheckBox* m_chkConsult;
    QCheckBox* m_chkAutoCode;
    QCheckBox* m_chkContinueAdd;
    QPushButton* m_btnSave;
    QPushButton* m_btnClose;
    QPushButton* m_btnZipcode;
    int m_mode = NewRecord;
    QString m_addedRec;
};

} // namespace asv
