#pragma once

#include "MailSettings.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace asv {

// The mail settings of both mail screens, with their own save button and the test mail.
class MailSettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit MailSettingsPanel(QWidget* parent = nullptr);

    MailSettings settings() const;

signals:
    // The sender address may have changed.
    void saved();

private:
    void show(const MailSettings& s);
    void serverKindChosen();
    // The settings check; false (told) when they cannot be used.
    bool usable() const;
    void save();
    void sendTestMail();

    QComboBox* m_kind;
    QComboBox* m_method;
    QCheckBox* m_web;
    QLineEdit* m_host;
    QLineEdit* m_port;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QCheckBox* m_ssl;
    QLineEdit* m_address;
    QString m_webFormUrl;
};

} // namespace asv
