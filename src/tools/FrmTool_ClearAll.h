#pragma once

#include <QDialog>
#include <QList>

class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace asv {

// Deletes every slip, and the customer and product masters when ticked, for the administrator
// who types his password again.
class FrmTool_ClearAll : public QDialog {
    Q_OBJECT
public:
    explicit FrmTool_ClearAll(QWidget* parent = nullptr);

private:
    void ClearAll();

    QLineEdit* m_password;
    // Customers, then products with their AS codes.
    QList<QCheckBox*> m_chkDelItem;
    QProgressBar* m_progress;
    QPushButton* m_btnDelete;
    QPushButton* m_btnClose;
};

} // namespace asv
