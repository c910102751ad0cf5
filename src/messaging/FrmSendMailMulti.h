#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace asv {

class MailSettingsPanel;

// Each customer of the list gets a mail of its own with its ledger attached; a failed mail is
// told and the run goes on with the next.
class FrmSendMailMulti : public QDialog {
    Q_OBJECT
public:
    explicit FrmSendMailMulti(QWidget* parent = nullptr);

    void addCustomer(const QString& code, const QString& name, const QString& address, const QString& ledgerFile);
    // The number of mails sent.
    int send();

private:
    bool sendTo(int row);

    MailSettingsPanel* m_settings;
    QLineEdit* m_fromName;
    QLineEdit* m_fromAddress;
    QLineEdit* m_subject;
    QPlainTextEdit* m_body;
    QTableWidget* m_customers;
};

} // namespace asv
