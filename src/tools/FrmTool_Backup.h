#pragma once

#include "DatabaseBackup.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

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
    void UndoRestore();
    // The undo button names the restore it undoes, and only while one is kept.
    void showUndo();
    void chooseFile();
    void setNightly(bool on);
    // What the nightly runs left since the last backup that worked.
    void showNightlyFailures();
    DatabaseBackup::Log windowLog();
    void setBusy(bool busy);
    // step on a backup of the program's database, the window's buttons off meanwhile.
    bool runBusy(const std::function<bool(DatabaseBackup&)>& step);
    void reject() override;

    QPlainTextEdit* m_log;
    QLabel* m_status;
    QLineEdit* m_restoreFile;
    QPushButton* m_btnBackUp;
    QPushButton* m_btnBrowse;
    QPushButton* m_btnRestore;
    QPushButton* m_btnUndoRestore;
    QPushButton* m_btnClose;
    QCheckBox* m_chkNightly;
    QSpinBox* m_spnKeep;
    QLabel* m_nightlyFailures;
    bool m_busy = false;
};

} // namespace asv
