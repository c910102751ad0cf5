#pragma once

#include <QWidget>

class QCheckBox;
class QListWidget;
class QProgressBar;

namespace asv {

// Data check and repair: the chosen tools run in turn and write what they found into the log.
class FrmTool_Repair : public QWidget {
    Q_OBJECT
public:
    explicit FrmTool_Repair(QWidget* parent = nullptr);

    void run();
    // Restores the customers' final balances from their documents.
    void rprCBaln();

private:
    void log(const QStringList& lines);

    QCheckBox* m_chkBalance;
    QListWidget* m_lstLog;
    QProgressBar* m_prgBar;
};

} // namespace asv
