#pragma once

#include "FieldControls.h"
#include "RecordEditor.h"
#include "UserRecord.h"

class QPushButton;

namespace asv {

class HCText;

// The user editor. Only the administrator adds users or changes another user's data; everybody
// may change his own password.
class FrmLUser_save : public RecordEditor {
    Q_OBJECT
public:
    explicit FrmLUser_save(QWidget* parent = nullptr);

    // Opens over opener without blocking it; the opener connects saved to its SyncUpdateLUser.
    static FrmLUser_save* openOver(QWidget* opener, int mode, const QString& code = {});
    // A new user from the find-or-register flow, modal; the saved one or an empty pick.
    static Pick registerNew(QWidget* parent, const QString& name);

    // By objectName, "htCode" … "htBigo".
    HCText* field(const QString& name) const;

private:
    void clearFields() override;
    void loadRecord(const QString& code) override;
    void startNew(const QString& name) override;
    void modeChanged() override;
    bool checkBeforeSave() override;
    int writeRecord() override;
    Pick savedRecord() const override;
    void codeLeft();
    void findZipcode();

    FieldControls<UserRecord> m_controls;
    QPushButton* m_btnZipcode;
    UserRecord m_record;
};

} // namespace asv
