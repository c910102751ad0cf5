#pragma once

#include "MailDraftReceiver.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace asv {

class MailSettingsPanel;

// One document to one recipient, from the print preview; the settings panel sits beside the mail.
class FrmSendMail : public QDialog, public MailDraftReceiver {
    Q_OBJECT
public:
    explicit FrmSendMail(QWidget* parent = nullptr);

    void setRecipient(const QString& name, const QString& address);
    void setSubject(const QString& subject);
    void setAttachments(const QStringList& files);
    void prepareMail(const QString& toName, const QString& toAddress, const QString& subject,
                     const QStringList& attachments) override;
    // True when the mail went out.
    bool send();

private:
    QStringList attachments() const;
    QString problem() const;
    void chooseFile();
    void saveDefaultCopy();
    void showSender();

    MailSettingsPanel* m_settings;
    QLineEdit* m_fromName;
    QLineEdit* m_fromAddress;
    QLabel* m_senderNote;
    QLineEdit* m_toName;
    QLineEdit* m_toAddress;
    QLineEdit* m_ccName;
    QLineEdit* m_ccAddress;
    QCheckBox* m_useDefaultCopy;
    QLineEdit* m_defaultCopyName;
    QLineEdit* m_defaultCopyAddress;
    QLineEdit* m_subject;
    QPlainTextEdit* m_body;
    QLineEdit* m_files;
    QLabel* m_sending;
};

} // namespace asv
