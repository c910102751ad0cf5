#pragma once

#include "ListWindow.h"

namespace asv {

class FrmLUser_save;

// The user list. A non-administrator sees only his own row.
class FrmLUser_admin : public ListWindow {
    Q_OBJECT
public:
    explicit FrmLUser_admin(QWidget* parent = nullptr);

    void SyncUpdateLUser(int mode, const QString& code);

protected:
    void fill() override;
    void openEditor(int mode, const QString& code) override;
    QString deleteRefusal(const QString& code) const override;
    bool deleteRecord(const QString& code) override;

private:
    bool isUsed(const QString& code) const;
};

} // namespace asv
