#pragma once

#include "DatabaseBackup.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace asv {

// Backs the database up into the hour's file below the program folder, and restores a backup of
// ours after asking; both record their steps in the log box.
class FrmTool_Backup : public QDialog {
    Q_OBJECT
public:
    explicit FrmTool_Backup(QWidget* parent = nullptr);

private:
    void BackUp();
    void Restore();
    void chooseFile();
    DatabaseBackup::Log windowLog();
    void setBusy(bool busy);
    void reject() override;

    QPlainTextEdit* m_log;
    QLabel* m_status;
    QLineEdit* m_restoreFile;
    QPushButton* m_btnBackUp;
    QPushButton* m_btnBrowse;
    QPushButton* m_btnRestore;
    QPushButton* m_btnClose;
    bool m_busy = false;
};

} // namespace asv
